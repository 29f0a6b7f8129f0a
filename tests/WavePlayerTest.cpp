#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "components/Waveplay.h"
#include "framework/Exceptions.h"
#include "framework/Screen.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

using platform::headless::HeadlessSimpleSound;

// The built-in sound's bare image: 20,764 bytes of sound at 4,096 bytes a second.
const std::string kJingle{BuiltInWaveData().substr(5)};

std::string Image(const TWave& wave) {
  return wave.Size() == 0 ? std::string() : std::string(wave.Memory(), wave.Size());
}

void Load(TWave& wave, const std::string& bytes) {
  std::istringstream stream(bytes);
  wave.LoadFromStream(stream);
}

// A sound call that breaks down.
class BrokenSound final : public platform::SimpleSound {
  bool playSound(const char* sound, std::uint32_t /*flags*/) override {
    if (sound != nullptr) throw Exception("no sound");
    return true;
  }
};

class WavePlayerTest : public ::testing::Test, protected HeadlessServices {
 protected:
  WavePlayerTest() {
    Screen().SetCursor(crDefault);
    desktop.screenCursors.clear();
  }
  const HeadlessSimpleSound::Call& LastCall() const { return simpleSound.calls.back(); }

  std::unique_ptr<TWavePlayer> player = std::make_unique<TWavePlayer>(nullptr, "WavePlayer1");
};

TEST_F(WavePlayerTest, TheDataPropertyIsAByteBlockOfTheBareImage) {
  const struct {
    std::string image;
    std::string stored;
  } cases[] = {
      {"", std::string("\x0a\0\0\0\0", 5)},
      {std::string(300, 'x'), std::string("\x0a\x2c\x01\0\0", 5) + std::string(300, 'x')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.image.size());
    TWave wave;
    Load(wave, c.image);
    std::ostringstream written("prefix", std::ios::ate);
    wave.WriteDataProperty(written);
    EXPECT_EQ(written.str(), "prefix" + c.stored);

    TWave read;
    std::istringstream stored("prefix" + c.stored + "next");
    stored.seekg(6);
    read.ReadDataProperty(stored);
    EXPECT_EQ(Image(read), c.image);
    EXPECT_TRUE(read.Modified());
  }
  TWave wave;
  std::istringstream text(std::string("\x06\x04\0\0\0RIFF", 9));
  EXPECT_EQ(RaisedMessage<EInOutError>([&] { wave.ReadDataProperty(text); }),
            "Invalid property value");
  std::istringstream cut(std::string("\x0a\xff\xff\xff\x7f", 5) + std::string(9000, 'x'));
  EXPECT_EQ(RaisedMessage<EInOutError>([&] { wave.ReadDataProperty(cut); }), "Stream read error");
  // Refused on its count alone: nothing of the image is read, or held in memory for it.
  EXPECT_EQ(cut.tellg(), 5);
  EXPECT_FALSE(wave.Modified());
}

TEST_F(WavePlayerTest, PlayShowsTheHourglassWhileTheSoundPlaysToItsEnd) {
  std::istringstream stored{std::string(BuiltInWaveData())};
  player->Wave().ReadDataProperty(stored);
  ASSERT_EQ(Image(player->Wave()), kJingle);
  ASSERT_EQ(kJingle.size(), 20916u);
  std::vector<std::string> seen;
  player->BeforePlay = [&](TComponent*) {
    seen.push_back("before " + std::to_string(desktop.now()));
  };
  player->AfterPlay = [&](TComponent*) {
    seen.push_back("after " + std::to_string(desktop.now()) + " cursor " +
                   std::to_string(Screen().Cursor()));
  };
  Screen().SetCursor(5);
  player->Play();
  EXPECT_EQ(seen, (std::vector<std::string>{"before 0", "after 5069 cursor 0"}));
  EXPECT_EQ(desktop.screenCursors, (std::vector<int>{5, crHourGlass, crDefault}));
  EXPECT_TRUE(LastCall().played);

  desktop.screenCursors.clear();
  player->SetEnabled(false);
  player->Play();
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_EQ(simpleSound.calls.size(), 1u);
  EXPECT_TRUE(desktop.screenCursors.empty());

  BrokenSound broken;
  platform::SimpleSoundScope brokenScope(broken);
  player->SetEnabled(true);
  EXPECT_THROW(player->Play(), Exception);
  EXPECT_EQ(desktop.screenCursors, (std::vector<int>{crHourGlass, crDefault}));
  EXPECT_EQ(seen.size(), 5u);
}

// The sound call gets only the image's first byte and trusts its headers for the rest.
TEST_F(WavePlayerTest, OnlyAnImageWhoseHeadersFitReachesTheSoundCall) {
  const auto claiming = [](std::string image, std::size_t at, std::uint32_t size) {
    for (std::size_t i = 0; i < 4; ++i) image[at + i] = static_cast<char>(size >> (8 * i));
    return image;
  };
  const std::size_t data = kJingle.find("data");
  const struct {
    const char* what;
    std::string image;
    bool handed;
  } cases[] = {
      {"the built-in sound", kJingle, true},
      {"bytes after the RIFF chunk", kJingle + "xyz", true},
      {"an empty chunk last", claiming(kJingle + std::string("junk\0\0\0\0", 8), 4, 20916), true},
      {"an odd chunk and its pad byte",
       claiming(kJingle + std::string("junk\3\0\0\0abc\0", 12), 4, 20920), true},
      {"RIFF size one too large", claiming(kJingle, 4, 20909), false},
      {"cut short", kJingle.substr(0, 1000), false},
      {"data chunk beyond the RIFF chunk", claiming(kJingle, data + 4, 0xFFFFFFF0), false},
      {"a chunk header cut by the RIFF chunk's end", claiming(kJingle + "abc", 4, 20911), false},
      {"shorter than a RIFF header", "RIFF", false},
      {"no RIFF header", std::string(64, 'x'), false},
      {"a bare header not RIFF", std::string("RIFX\4\0\0\0WAVE", 12), false},
      {"a bare RIFF header", std::string("RIFF\4\0\0\0WAVE", 12), true},
      {"data chunk one byte longer than the image",
       claiming(kJingle, data + 4, static_cast<std::uint32_t>(kJingle.size() - data - 7)), false},
  };
  int played = 0;
  player->AfterPlay = [&](TComponent*) { ++played; };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    simpleSound.calls.clear();
    Load(player->Wave(), c.image);
    player->Play();
    EXPECT_EQ(simpleSound.calls.size(), c.handed ? 1u : 0u);
  }
  EXPECT_EQ(played, 13);
}

TEST_F(WavePlayerTest, ASoundLeftPlayingStopsWhenThePlayerGoes) {
  player->Play();
  EXPECT_EQ(LastCall().sound, nullptr);
  Load(player->Wave(), kJingle);
  player->SetOptions({TWavePlayOpt::wpoAsync, TWavePlayOpt::wpoLoop});
  player->Play();
  EXPECT_EQ(desktop.now(), 0u);
  desktop.advance(60000);
  EXPECT_TRUE(simpleSound.playing());
  player.reset();
  EXPECT_FALSE(simpleSound.playing());
  EXPECT_EQ(LastCall().sound, nullptr);
  EXPECT_EQ(LastCall().flags, 0u);
}

}  // namespace
}  // namespace wumpex
