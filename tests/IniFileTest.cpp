#include "framework/IniFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "platform/headless/HeadlessProfile.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void Put(const std::string& name, const std::string& content) {
    std::ofstream(*profile.realPath(name), std::ios::binary) << content;
  }
  std::string Content(const std::string& name) { return ReadBytes(*profile.realPath(name)); }

  TempFolder driveC;
  platform::headless::HeadlessProfile profile{driveC.path()};
  platform::ProfileScope scope{profile};
};

TEST_F(IniFileTest, ReadsIntegersLeniently) {
  Put("T.INI",
      "[S]\r\nhex=0x1E\r\nHEX2=0X1f\r\nx=0x\r\nbad=0x-1\r\nabc=abc\r\ndollar=$C\r\n"
      "spaced=\" 12\"\r\nneg=-7\r\nbig=2147483648\r\nempty=\r\n");
  const struct {
    const char* key;
    std::int32_t expected;
  } cases[] = {{"hex", 30}, {"hex2", 31},   {"x", 99},      {"bad", 99},
               {"abc", 99}, {"dollar", 12}, {"spaced", 12}, {"neg", -7},
               {"big", 99}, {"empty", 99},  {"absent", 99}};
  const TIniFile file("T.INI");
  for (const auto& c : cases) EXPECT_EQ(file.ReadInteger("S", c.key, 99), c.expected) << c.key;
}

TEST_F(IniFileTest, ReadsTextAsTheSystemDoes) {
  const std::string longValue(1100, 'v');
  Put("T.INI",
      "[Main]\r\n  Name  =  some value  \r\nquoted=\"a b \"\r\nhalf='a\r\nname=second\r\n"
      "long=" +
          longValue + "\r\n[Other]\r\nonly=here\r\n");
  const struct {
    const char* section;
    const char* key;
    std::string expected;
  } cases[] = {{"MAIN", "NAME", "some value"}, {"main", "quoted", "a b "},
               {"Main", "half", "'a"},         {"Main", "long", longValue.substr(0, 1023)},
               {"Main", "only", "default"},    {"Missing", "name", "default"},
               {"other", "ONLY", "here"}};
  const TIniFile file("T.INI");
  for (const auto& c : cases) {
    EXPECT_EQ(file.ReadString(c.section, c.key, "default"), c.expected) << c.key;
  }
}

TEST_F(IniFileTest, WritesTheSystemsLayout) {
  const TIniFile file("NEW.INI");
  file.WriteString("Settings", "Path", "C:\\Sounds");
  file.WriteInteger("Settings", "Count", -5);
  file.WriteString("More", "Item0", "Defrag");
  file.WriteInteger("SETTINGS", "count", 12);
  EXPECT_EQ(Content("NEW.INI"),
            "[Settings]\r\nPath=C:\\Sounds\r\nCount=12\r\n[More]\r\nItem0=Defrag\r\n");
  file.EraseSection("settings");
  EXPECT_EQ(Content("NEW.INI"), "[More]\r\nItem0=Defrag\r\n");
  file.EraseSection("Absent");
  EXPECT_EQ(Content("NEW.INI"), "[More]\r\nItem0=Defrag\r\n");
  TIniFile("MISSING.INI").EraseSection("Settings");
  EXPECT_FALSE(profile.fileExists("MISSING.INI")) << "erasing creates no file";
}

TEST_F(IniFileTest, RefusedWritesRaiseWithTheFileName) {
  profile.refuseWritesIn("C:\\windows");
  for (const std::string name : {"WUMPEX.INI", "C:\\no%sfolder\\W.INI"}) {
    const TIniFile file(name);
    for (const auto& write : {+[](const TIniFile& f) { f.WriteString("S", "k", "v"); },
                              +[](const TIniFile& f) { f.WriteInteger("S", "k", 1); },
                              +[](const TIniFile& f) { f.EraseSection("S"); }}) {
      EXPECT_EQ(RaisedMessage([&] { write(file); }), "Unable to write to " + name);
    }
  }
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
