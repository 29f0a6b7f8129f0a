#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "app/MPlayer.h"
#include "framework/Exceptions.h"
#include "platform/headless/HeadlessMedia.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

namespace mci = platform::mci;
using Btn = TMPBtnType;
using platform::headless::HeadlessMedia;

class MediaPlayerTest : public DesktopTest {
 protected:
  MediaPlayerTest() {
    WriteSilentWave(wave, 1000);
    player->SetFileName(wave);
    player->SetDeviceType(TMPDeviceTypes::dtWaveAudio);
  }
  std::vector<HeadlessMedia::Command> Sent(std::uint32_t message) const {
    return CommandsSent(media, message);
  }
  std::uint32_t LastFlags(std::uint32_t message) const {
    auto sent = Sent(message);
    return sent.empty() ? 0xFFFFFFFF : sent.back().flags;
  }

  HeadlessMedia media{desktop};
  platform::MediaScope mediaScope{media};
  std::string wave = ::testing::TempDir() + "one-second.wav";
  TComponent form{nullptr, "Form"};
  TMediaPlayer* player = form.Make<TMediaPlayer>("MediaPlayer1");
};

TEST_F(MediaPlayerTest, OpenReopenPlayCloseAndDestroyKeepOneDeviceAtMost) {
  player->Open();
  EXPECT_EQ(player->Length(), 1000u);
  player->Open();  // closes the open device first
  EXPECT_EQ(media.openDevices(), 1u);
  player->SetWait(true);
  player->Play();
  EXPECT_EQ(desktop.now(), 1000u);
  player->Close();
  EXPECT_EQ(media.openDevices(), 0u);

  // The preview opens the bare device at start.
  auto* preview = form.Make<TMediaPlayer>("MediaPlayer2");
  preview->SetDeviceType(TMPDeviceTypes::dtWaveAudio);
  preview->SetAutoOpen(true);
  form.LoadedAll();
  EXPECT_TRUE(preview->Opened());

  // Destroyed while open: closed with a plain wait, since no window is left for a notice.
  {
    TMediaPlayer owned(nullptr, "Owned");
    owned.SetFileName(wave);
    owned.Open();
    media.commands.clear();
  }
  ASSERT_EQ(media.commands.size(), 1u);
  EXPECT_EQ(media.commands[0].message, mci::kClose);
  EXPECT_EQ(media.commands[0].flags, mci::kWait);
  EXPECT_EQ(media.openDevices(), 1u);
}

TEST_F(MediaPlayerTest, WaitAndNotifyCountForTheNextCommandOnly) {
  // What is done, with which player calls; the command to look at and its flags.
  const std::tuple<const char*, std::function<void(TMediaPlayer&)>, std::uint32_t, std::uint32_t>
      steps[] = {
          {"stop waits", [](auto& p) { p.Stop(); }, mci::kStop, 2},
          {"wait off once", [](auto& p) { p.SetWait(false), p.Stop(); }, mci::kStop, 0},
          {"waits again", [](auto& p) { p.Stop(); }, mci::kStop, 2},
          {"play notifies", [](auto& p) { p.Play(); }, mci::kPlay, 1},
          {"waited play", [](auto& p) { p.SetWait(true), p.Play(); }, mci::kPlay, 3},
          {"notify on stop", [](auto& p) { p.SetNotify(true), p.Stop(); }, mci::kStop, 3},
          {"no notify on play", [](auto& p) { p.SetNotify(false), p.Play(); }, mci::kPlay, 0},
          {"marks to the stop", [](auto& p) { p.SetWait(true), p.Stop(), p.Play(); }, mci::kPlay,
           1},
          {"from once", [](auto& p) { p.SetFrom(200), p.Play(); }, mci::kPlay, 5},
          {"then from nowhere", [](auto& p) { p.Play(); }, mci::kPlay, 1},
          {"rewind keeps marks", [](auto& p) { p.SetWait(false), p.Rewind(); }, mci::kSeek, 0x102},
          {"status keeps marks", [](auto& p) { p.Position(), p.Stop(); }, mci::kStop, 0},
          {"pause while playing", [](auto& p) { p.Play(), p.Pause(); }, mci::kPause, 2},
          {"pause while paused resumes", [](auto& p) { p.Pause(); }, mci::kResume, 1},
          {"a resume takes the marks",
           [](auto& p) { p.Pause(), p.SetNotify(true), p.Pause(), p.Stop(); }, mci::kStop, 2},
          {"refused resume plays", [](auto& p) { p.Stop(), p.SetWait(true), p.Resume(); },
           mci::kPlay, 3},
          {"next seeks to the end", [](auto& p) { p.Next(); }, mci::kSeek, 0x202},
          {"previous to the start", [](auto& p) { p.SetWait(false), p.Previous(); }, mci::kSeek,
           0x100},
      };
  player->Open();
  for (const auto& [what, act, message, flags] : steps) {
    SCOPED_TRACE(what);
    act(*player);
    EXPECT_EQ(LastFlags(message), flags);
  }
  EXPECT_EQ(Sent(mci::kPlay)[4].params.from, 200u);  // the fifth play
  EXPECT_EQ(LastFlags(mci::kResume), 3u);            // the refused one had the marks too
}

TEST_F(MediaPlayerTest, ClosedPlayerSendsNothingOnCloseAndRefusesCommands) {
  player->Close();
  const std::vector<std::function<void(TMediaDevice&)>> commands = {
      &TMediaDevice::Play,   &TMediaDevice::Stop,   &TMediaDevice::Pause,
      &TMediaDevice::Resume, &TMediaDevice::Next,   &TMediaDevice::Previous,
      &TMediaDevice::Step,   &TMediaDevice::Back,   &TMediaDevice::StartRecording,
      &TMediaDevice::Eject,  &TMediaDevice::Rewind,
  };
  for (std::size_t i = 0; i < commands.size(); ++i) {
    EXPECT_EQ(RaisedMessage<EMCIDeviceError>([&] { commands[i](player->Device()); }),
              "No MCI device open")
        << "command " << i;
  }
  EXPECT_TRUE(media.commands.empty());
}

TEST_F(MediaPlayerTest, PlayAtTheEndRewindsFirstUnlessToldOtherwise) {
  // AutoRewind, a start given, whether it rewinds.
  for (const auto& [autoRewind, from, rewinds] :
       {std::tuple{true, false, true}, {false, false, false}, {true, true, false}}) {
    SCOPED_TRACE(::testing::Message() << autoRewind << from);
    player->SetAutoRewind(autoRewind);
    player->Open();
    player->Next();
    ASSERT_EQ(player->Position(), 1000u);
    media.commands.clear();
    if (from) player->SetFrom(0);
    player->Play();
    EXPECT_EQ(LastFlags(mci::kSeek), rewinds ? 0x102u : 0xFFFFFFFFu);
    EXPECT_EQ(player->Error(), 0u);
    // Without a rewind the play ends where it starts.
    EXPECT_EQ(player->Mode() == TMPModes::mpPlaying, rewinds || from);
  }
}

TEST_F(MediaPlayerTest, OpenSetsTheButtonsTheDeviceAllows) {
  const TButtonSet stepping{Btn::btNext, Btn::btPrev, Btn::btStep, Btn::btBack, Btn::btPlay};
  const std::pair<HeadlessMedia::Capabilities, TButtonSet> cases[] = {
      {{}, {Btn::btNext, Btn::btPrev, Btn::btPlay}},
      {{false, true, true, false, mci::kDevTypeWaveform},
       {Btn::btNext, Btn::btPrev, Btn::btRecord, Btn::btEject}},
      {{true, false, false, true, mci::kDevTypeDigitalVideo}, stepping},
      {{true, false, false, true, mci::kDevTypeVcr}, stepping},
  };
  EXPECT_TRUE(player->AutomaticButtons() == TButtonSet{});
  for (const auto& [caps, buttons] : cases) {
    media.setCapabilities(caps);
    player->Open();
    EXPECT_TRUE(player->AutomaticButtons() == buttons);
    EXPECT_EQ(player->StepFrames(), 100u);
  }
  player->Close();
  EXPECT_TRUE(player->AutomaticButtons() == TButtonSet{});
}

TEST_F(MediaPlayerTest, PressesAndNoticesChangeTheButtons) {
  media.setCapabilities({true, true, false, false, mci::kDevTypeWaveform});
  player->Open();
  const TButtonSet start{Btn::btNext, Btn::btPrev, Btn::btPlay, Btn::btRecord};
  const TButtonSet running{Btn::btNext, Btn::btPrev, Btn::btPause, Btn::btStop};
  const TButtonSet paused{Btn::btNext,   Btn::btPrev,  Btn::btPlay,
                          Btn::btRecord, Btn::btPause, Btn::btStop};
  const std::pair<Btn, TButtonSet> presses[] = {{Btn::btPlay, running},   {Btn::btPause, paused},
                                                {Btn::btRecord, running}, {Btn::btStop, start},
                                                {Btn::btPlay, running},   {Btn::btNext, start},
                                                {Btn::btRecord, running}, {Btn::btEject, start}};
  for (const auto& [button, after] : presses) {
    player->ApplyTransition(button);
    EXPECT_TRUE(player->AutomaticButtons() == after) << static_cast<int>(button);
  }

  int notices = 0;
  player->OnNotify = [&](TComponent* sender) { notices += sender == player ? 1 : 100; };
  player->Play();
  player->ApplyTransition(Btn::btPlay);
  desktop.advance(999);
  EXPECT_EQ(notices, 0);
  player->Stop();  // the play's notice: aborted
  desktop.processMessages();
  EXPECT_EQ(notices, 1);
  EXPECT_EQ(player->NotifyValue(), TMPNotifyValues::nvAborted);
  EXPECT_TRUE(player->AutomaticButtons() == start);

  player->SetAutoEnable(false);
  player->Play();
  player->ApplyTransition(Btn::btPlay);
  desktop.advance(1000);  // played to the end
  EXPECT_EQ(notices, 2);
  EXPECT_EQ(player->NotifyValue(), TMPNotifyValues::nvSuccessful);
  EXPECT_TRUE(player->AutomaticButtons() == running);
}

}  // namespace
}  // namespace wumpex
