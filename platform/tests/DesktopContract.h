#pragma once
// What every desktop must answer the same way, written once: the rows live in
// DesktopContractTest.cpp, and each desktop's test program instantiates them with a subject
// of its own:
//   INSTANTIATE_TEST_SUITE_P(Name, DesktopContract, ::testing::Values(&makeSubject));
// and, where it has windows of its own,
//   INSTANTIATE_TEST_SUITE_P(Name, WindowContract, ::testing::Values(&makeDesktop));
// and, for its widgets under a user's eyes and hand,
//   INSTANTIATE_TEST_SUITE_P(Name, PeerContract, ::testing::Values(&makeHand));
// and, for its wave-audio devices,
//   INSTANTIATE_TEST_SUITE_P(Name, MediaContract, ::testing::Values(&makeSounds));

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Atoms.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/Media.h"
#include "platform/Profile.h"
#include "platform/tests/RecordingEvents.h"
#include "tests/HeadlessServices.h"

namespace platform::contract {

// A new folder under the host's temporary one, removed with its contents.
using HostFolder = wumpex::TempFolder;

// One desktop's services, made afresh for each test, with a folder of the test's own that
// they name `folder()` and the host names `hostFolder()`.
class Subject {
 public:
  virtual ~Subject() = default;
  virtual FileSystem& fileSystem() = 0;
  virtual Profile& profile() = 0;
  virtual GlobalAtoms& atoms() = 0;
  virtual std::string folder() = 0;
  virtual std::filesystem::path hostFolder() = 0;
  // Sets the hidden and system bits of a file in the folder, where the desktop keeps them.
  virtual void setAttributes(const std::string& name, std::uint32_t bits) = 0;
  // Settings files are in UTF-8, where every text fits; else in a Western code page.
  virtual bool utf8Settings() { return false; }
};

using MakeSubject = std::unique_ptr<Subject> (*)();

class DesktopContract : public ::testing::TestWithParam<MakeSubject> {
 protected:
  ~DesktopContract() override;
  // The folder then holds sounds, one read-only and one hidden, a text and a sub-folder, and
  // is the current directory.
  void FillSounds();
  void Enter() { ASSERT_EQ(files.setCurrentDirectory(subject->folder()), 0u); }
  // A name in the folder as the services name it; a path written with "/" in the desktop's
  // separator.
  std::string At(const std::string& name) const { return subject->folder() + Native("/" + name); }
  std::string Native(std::string path) const;
  std::string Bytes(const std::string& name) const;
  void Put(const std::string& name, const std::string& content) const;

  std::unique_ptr<Subject> subject = GetParam()();
  FileSystem& files = subject->fileSystem();
  Profile& profile = subject->profile();
  const bool caseSensitive = files.grammar().caseSensitive;
};

// The desktop's loops, timers and windows; each test gets a new desktop.
using MakeDesktop = std::unique_ptr<Desktop> (*)();

class WindowContract : public ::testing::TestWithParam<MakeDesktop> {
 protected:
  std::unique_ptr<Desktop> desktop = GetParam()();
};

// A desktop with a user at it: what they read off a widget, through the system where there is
// one, and what they do to it with the mouse and the keys.
class Hand {
 public:
  virtual ~Hand() = default;
  virtual Desktop& desktop() = 0;
  virtual std::string text(const Widget& widget) = 0;
  // A list's or combo box's items, or a page control's tab captions, in the order shown.
  virtual std::vector<std::string> items(const Widget& widget) = 0;
  // The selected item or tab; -1 for none.
  virtual int selected(const Widget& widget) = 0;
  virtual bool checked(const Widget& widget) = 0;
  // On the screen: visible, and so is every window that holds it.
  virtual bool shown(const Widget& widget) = 0;
  // The left button pressed and let go over the widget; with an item, over that item (a combo
  // box's item chosen from its dropped list).
  virtual void click(Widget& widget, int item = -1) = 0;
  // A second click soon after a first, which the system reports as a double click.
  virtual void doubleClick(Widget& widget) = 0;
  // The left button pressed over the widget and let go outside it.
  virtual void pressAndLeave(Widget& widget) = 0;
  // Characters typed at the caret, which the user first puts at the end of the text.
  virtual void type(Widget& widget, const std::string& keys) = 0;
};

using MakeHand = std::unique_ptr<Hand> (*)();

class PeerContract : public ::testing::TestWithParam<MakeHand> {
 protected:
  struct Made {
    Widget& widget;
    RecordingEvents& events;
  };
  PeerContract();
  Made make(WidgetKind kind, Widget* parent, const WidgetStyle& style = {});

  std::unique_ptr<Hand> hand = GetParam()();
  Desktop& desktop = hand->desktop();
  std::deque<RecordingEvents> recorders;
  std::vector<std::unique_ptr<Widget>> widgets;
  Widget& form = make(WidgetKind::Form, nullptr).widget;
};

// How each notified command ended, and its device.
using Notices = std::vector<std::pair<std::uintptr_t, std::intptr_t>>;

// One desktop's wave-audio devices, with a window that keeps how each notified command ended.
class Sounds {
 public:
  virtual ~Sounds() = default;
  virtual Media& media() = 0;
  virtual Handle window() = 0;
  // Lets the time pass, delivering what the devices post meanwhile.
  virtual void pass(std::chrono::milliseconds time) = 0;
  // Every notice so far.
  virtual Notices notices() = 0;
};

using MakeSounds = std::unique_ptr<Sounds> (*)();

// A hidden window of a desktop's that keeps the devices' notices.
class NoticeWindow final : public MessageEvents {
 public:
  explicit NoticeWindow(Desktop& desktop) : window_(desktop.createMessageWindow(*this, false)) {}
  Handle handle() const { return window_->handle(); }

  Notices notices;

 private:
  std::optional<std::intptr_t> messageArrived(unsigned message, std::uintptr_t how,
                                              std::intptr_t device) override {
    if (message == mci::kNotifyMessage) notices.emplace_back(how, device);
    return 0;
  }
  std::unique_ptr<MessageWindow> window_;
};

class MediaContract : public ::testing::TestWithParam<MakeSounds> {
 protected:
  std::unique_ptr<Sounds> sounds = GetParam()();
  wumpex::TempFolder folder;
};

}  // namespace platform::contract
