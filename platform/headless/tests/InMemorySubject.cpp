// The in-memory desktop under the desktop contract: drive C: over a folder of the host's, and
// windows on the virtual clock.
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessFileSystem.h"
#include "platform/headless/HeadlessGlobalAtoms.h"
#include "platform/headless/HeadlessMedia.h"
#include "platform/headless/HeadlessProfile.h"
#include "platform/tests/DesktopContract.h"

namespace platform::contract {
namespace {

class InMemorySubject final : public Subject {
 public:
  InMemorySubject() {
    std::filesystem::create_directories(hostFolder());
    files_.mapRoot("C:", drive_.path());
  }
  FileSystem& fileSystem() override { return files_; }
  Profile& profile() override { return profile_; }
  GlobalAtoms& atoms() override { return atoms_; }
  std::string folder() override { return "C:\\" + name_; }
  std::filesystem::path hostFolder() override { return drive_.path() / name_; }
  void setAttributes(const std::string& name, std::uint32_t bits) override {
    files_.setAttributes(folder() + "\\" + name, bits);
  }

 private:
  HostFolder drive_;
  const std::string name_ = drive_.path().filename().string();
  headless::HeadlessFileSystem files_;
  headless::HeadlessProfile profile_{drive_.path()};
  headless::HeadlessGlobalAtoms atoms_;
};

std::unique_ptr<Subject> makeInMemory() {
  return std::make_unique<InMemorySubject>();
}

INSTANTIATE_TEST_SUITE_P(InMemory, DesktopContract, ::testing::Values(&makeInMemory));

std::unique_ptr<Desktop> makeDesktop() {
  return std::make_unique<headless::HeadlessDesktop>();
}

INSTANTIATE_TEST_SUITE_P(InMemory, WindowContract, ::testing::Values(&makeDesktop));

// Reads what the widgets keep and tells the program what the user did, as the system's controls
// would.
class InMemoryHand final : public Hand {
 public:
  Desktop& desktop() override { return desktop_; }
  std::string text(const Widget& widget) override { return peer(widget).text(); }
  std::vector<std::string> items(const Widget& widget) override { return peer(widget).items(); }
  int selected(const Widget& widget) override { return peer(widget).itemIndex(); }
  bool checked(const Widget& widget) override { return peer(widget).checked(); }
  bool shown(const Widget& widget) override {
    for (const headless::HeadlessWidget* at = &peer(widget); at != nullptr; at = at->parent()) {
      if (!at->visible()) return false;
    }
    return true;
  }
  void click(Widget& widget, int item) override {
    WidgetEvents& events = peer(widget).events();
    if (item >= 0) {
      widget.setItemIndex(item);
      events.userSelected(item);
    } else if (peer(widget).kind() == WidgetKind::CheckBox) {
      widget.setChecked(!peer(widget).checked());
      events.userToggled(peer(widget).checked());
    } else {
      events.userClicked();
    }
  }
  void doubleClick(Widget& widget) override { click(widget, -1); }
  void pressAndLeave(Widget& /*widget*/) override {}
  void type(Widget& widget, const std::string& keys) override {
    for (const char key : keys) {
      widget.setText(peer(widget).text() + key);
      peer(widget).events().userEditedText(peer(widget).text());
    }
  }

 private:
  static const headless::HeadlessWidget& peer(const Widget& widget) {
    return static_cast<const headless::HeadlessWidget&>(widget);
  }
  headless::HeadlessDesktop desktop_;
};

std::unique_ptr<Hand> makeHand() {
  return std::make_unique<InMemoryHand>();
}

INSTANTIATE_TEST_SUITE_P(InMemory, PeerContract, ::testing::Values(&makeHand));

// The devices play on the virtual clock.
class InMemorySounds final : public Sounds {
 public:
  Media& media() override { return media_; }
  Handle window() override { return window_.handle(); }
  void pass(std::chrono::milliseconds time) override {
    desktop_.advance(static_cast<std::uint64_t>(time.count()));
    desktop_.processMessages();
  }
  Notices notices() override { return window_.notices; }

 private:
  headless::HeadlessDesktop desktop_;
  headless::HeadlessMedia media_{desktop_};
  NoticeWindow window_{desktop_};
};

std::unique_ptr<Sounds> makeSounds() {
  return std::make_unique<InMemorySounds>();
}

INSTANTIATE_TEST_SUITE_P(InMemory, MediaContract, ::testing::Values(&makeSounds));

}  // namespace
}  // namespace platform::contract
