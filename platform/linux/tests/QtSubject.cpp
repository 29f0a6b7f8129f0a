// The Linux desktop's windows under the desktop contract, on the X display the test runs on.
#include <QApplication>

#include "platform/linux/QtDesktop.h"
#include "platform/tests/DesktopContract.h"

namespace platform::contract {
namespace {

// The one application object that Qt's windows need, for the whole test program.
class QtApplication final : public ::testing::Environment {
 public:
  void SetUp() override { application_ = std::make_unique<QApplication>(count_, arguments_); }
  void TearDown() override { application_.reset(); }

 private:
  int count_ = 1;
  char name_[24] = "desktop_contract_tests";
  char* arguments_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplication);

std::unique_ptr<Desktop> makeDesktop() { return std::make_unique<linuxdesktop::QtDesktop>(); }

INSTANTIATE_TEST_SUITE_P(Qt, WindowContract, ::testing::Values(&makeDesktop));

}  // namespace
}  // namespace platform::contract
