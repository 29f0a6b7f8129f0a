#include "framework/IniFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/headless/HeadlessProfile.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void Put(const std::string& name, const std::string& content) {
    std::ofstream(*profile.realPath(name), std::ios::binary) << content;
  }

  TempFolder driveC;
  platform::headless::HeadlessProfile profile{driveC.path()};
  platform::ProfileScope scope{profile};
};

TEST_F(IniFileTest, ReadsIntegersLeniently) {
  Put("T.INI",
      "[S]\r\nhex=0x1E\r\nHEX2=0X1f\r\nhex3=0xF\r\nx=0x\r\nbad=0x-1\r\nabc=abc\r\ndollar=$C\r\n"
      "spaced=\" 12\"\r\nneg=-7\r\nbig=2147483648\r\nempty=\r\n");
  const struct {
    const char* key;
    std::int32_t expected;
  } cases[] = {{"hex", 30}, {"hex2", 31}, {"hex3", 15},   {"x", 99},
               {"bad", 99}, {"abc", 99},  {"dollar", 12}, {"spaced", 12},
               {"neg", -7}, {"big", 99},  {"empty", 99},  {"absent", 99}};
  const TIniFile file("T.INI");
  for (const auto& c : cases) EXPECT_EQ(file.ReadInteger("S", c.key, 99), c.expected) << c.key;
}

// The system cuts a section's key list to its buffer, which therefore has to grow.
TEST_F(IniFileTest, ReadSectionListsEveryKeyInOrderHoweverLongTheList) {
  std::string big = "[Big]\r\n";
  std::vector<std::string> keys;
  for (int i = 0; i < 10'000; ++i) {  // 70,000 bytes of names
    keys.push_back(std::to_string(100'000 + i));
    big += keys.back() + "=\r\n";
  }
  Put("T.INI", "[S]\r\nfirst=1\r\nsecond=2\r\n" + big);
  const TIniFile file("T.INI");
  EXPECT_EQ(file.ReadSection("S"), (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(file.ReadSection("Big"), keys);
}

}  // namespace
}  // namespace wumpex
