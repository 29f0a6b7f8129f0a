#include "app/WumpexProps.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "app/BQForm.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/IniFile.h"
#include "framework/IntegerText.h"
#include "framework/Random.h"
#include "platform/FileSystem.h"
#include "platform/LetterCase.h"
#include "platform/Media.h"
#include "platform/Profile.h"
#include "platform/Shell.h"

namespace wumpex {

TWumpexForm* WumpexForm = nullptr;

namespace {

// A count of units in seconds, held within 0..kMaxIntervalSeconds.
std::int64_t CountSeconds(const std::string& countText, int unitIndex) {
  const std::int64_t count = StrToInt(countText);
  const std::int64_t factor =
      unitIndex >= 0 && unitIndex < 3 ? kUnitFactors[static_cast<std::size_t>(unitIndex)] : 1;
  return std::clamp<std::int64_t>(count * factor, 0, kMaxIntervalSeconds);
}

// A name in a folder: the folder as given, the system's separator, the name. A typed root thus
// doubles its separator, which the system's calls take as one.
std::string InFolder(const std::string& folder, const std::string& name) {
  std::string path = folder;
  (path += platform::fileSystem().grammar().separator) += name;
  return path;
}

// Where the settings file is: the name to give the profile calls, the file's full path and
// its folder.
struct SettingsPlace {
  std::string name;
  std::string path;
  std::string folder;
};

// The file stays where it is. A new one goes where the profile calls keep a bare name (the
// Windows directory) when that folder takes new files, else into the application-data folder.
SettingsPlace FindSettings() {
  auto& profile = platform::profile();
  const std::string bareFolder = profile.bareNameFolder();
  const SettingsPlace bare{kSettingsFileName, InFolder(bareFolder, kSettingsFileName), bareFolder};
  const auto appData = profile.appDataFolder();
  if (profile.fileExists(bare.path) || !appData) return bare;
  const std::string own = InFolder(*appData, "Wumpex!");
  const SettingsPlace inAppData{InFolder(own, kSettingsFileName), InFolder(own, kSettingsFileName),
                                own};
  if (profile.fileExists(inAppData.path) || !profile.folderWritable(bareFolder)) return inAppData;
  return bare;
}

std::string BeQuietKey(int index) {
  return "BeQuietItem" + std::to_string(index);
}

// The index of a pattern key as the program writes it ("BeQuietItem" and a decimal number
// without padding; letter case counts no more than it does for the system); nothing for
// any other key.
std::optional<std::int32_t> BeQuietIndex(const std::string& key) {
  constexpr std::string_view kPrefix = "BEQUIETITEM";
  const std::string upper = platform::UpperCase(key);
  if (!upper.starts_with(kPrefix)) return std::nullopt;
  const std::string_view digits = std::string_view(upper).substr(kPrefix.size());
  if (digits.empty() || (digits.size() > 1 && digits[0] == '0') ||
      !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  std::int32_t index = 0;
  if (std::from_chars(digits.data(), digits.data() + digits.size(), index).ec != std::errc()) {
    return std::nullopt;
  }
  return index;
}

constexpr std::int64_t kSecondsPerDay = 24 * kSecondsPerHour;
// The quiet while is checked at least this often, so that its end is kept within a minute
// of the wall clock also after the computer slept.
constexpr std::int64_t kQuietCheckSeconds = kSecondsPerMinute;

std::int64_t SecondsSinceLocalMidnight(std::int64_t wallSeconds) {
  const platform::TimeOfDay local = platform::desktop().localTimeAt(wallSeconds);
  return local.hour * kSecondsPerHour + local.minute * kSecondsPerMinute + local.second;
}

// The next local midnight after a moment. A change to or from summer time on the way puts
// the day's end an hour off a plain day's length, which the second look corrects.
std::int64_t NextLocalMidnight(std::int64_t wallSeconds) {
  std::int64_t midnight = wallSeconds + kSecondsPerDay - SecondsSinceLocalMidnight(wallSeconds);
  const std::int64_t past = SecondsSinceLocalMidnight(midnight);
  midnight += past < kSecondsPerDay / 2 ? -past : kSecondsPerDay - past;
  return midnight;
}

// A window covers its monitor when no edge of the monitor lies outside it.
bool CoversMonitor(const platform::FrontWindow& front) {
  return front.window.left <= front.monitor.left && front.window.top <= front.monitor.top &&
         front.window.right >= front.monitor.right && front.window.bottom >= front.monitor.bottom;
}

// A time of day as the clock shows it: "14:35".
std::string HoursAndMinutes(const platform::TimeOfDay& time) {
  const char text[] = {
      static_cast<char>('0' + time.hour / 10), static_cast<char>('0' + time.hour % 10), ':',
      static_cast<char>('0' + time.minute / 10), static_cast<char>('0' + time.minute % 10)};
  return std::string(text, sizeof text);
}

// Errors of the device rather than of the file: every other file would meet them too.
bool DeviceTrouble(std::uint32_t error) {
  namespace mci = platform::mci;
  for (const std::uint32_t code :
       {mci::kErrHardware, mci::kErrInvalidDeviceName, mci::kErrDeviceOpen,
        mci::kErrCannotLoadDriver, mci::kErrDeviceNotReady, mci::kErrDeviceLocked,
        mci::kErrDeviceNotInstalled, mci::kErrWaveOutputsInUse, mci::kErrWaveSetOutputInUse,
        mci::kErrWaveOutputUnspecified, mci::kErrWaveOutputsUnsuitable,
        mci::kErrWaveSetOutputUnsuitable}) {
    if (error == code) return true;
  }
  return false;
}

}  // namespace

TWumpexForm::TWumpexForm() : TForm(nullptr, "WumpexForm") {
  WumpexForm = this;
  try {
    ReadLayout();
    FinishCreation();
  } catch (...) {
    WumpexForm = nullptr;
    throw;
  }
}

TWumpexForm::~TWumpexForm() {
  if (WumpexForm == this) WumpexForm = nullptr;
}

// A start that gives way to a running instance loads nothing, so that it shows nothing on
// its way out. Scheduled before the folder is listed: a folder that cannot be listed is
// shown, and the ticks still come at the settings' intervals.
void TWumpexForm::FormCreate(TComponent*) {
  if (OnlyOne1->GaveWay()) return;
  LoadSettings();
  ScheduleNextSound();
  ListSoundFolder();
}

// No sound is scheduled while the settings window is open, except after an unmute.
void TWumpexForm::TrayIcon1DblClick(TComponent*) {
  Timer1->SetEnabled(false);
  Show();
}

void TWumpexForm::OKBtnClick(TComponent*) {
  SaveSettings();
  ApplyStartAtLogIn();
  ListTypedFolder();
  ScheduleNextSound();
  Hide();
}

void TWumpexForm::ApplyBtnClick(TComponent*) {
  SaveSettings();
  ApplyStartAtLogIn();
  ApplyBtn->SetEnabled(false);
  ListTypedFolder();
}

// The folder is read afresh, also when it is the one listed before: files may have come and
// gone since. An empty folder box means no folder, so the pool is empty rather than some
// other folder's.
void TWumpexForm::ListSoundFolder() {
  listedFolder_ = SoundPathEB->Text();
  unplayable_.clear();
  FileListBox1->ClearFiles();
  if (!listedFolder_.empty()) FileListBox1->SetDirectory(listedFolder_);
}

void TWumpexForm::ListTypedFolder() {
  if (SoundPathEB->Text() != listedFolder_) ListSoundFolder();
}

// Nothing is erased before the whole file is known: the stored defaults of the Be Quiet list
// show only while the file has never held a count.
void TWumpexForm::LoadSettings() {
  const TIniFile file(FindSettings().name);
  SoundPathEB->SetText(file.ReadString(kSettingsSection, "WAVPath", ""));
  RandomTimeEB->SetText(std::to_string(file.ReadInteger(kSettingsSection, "RandomTime", 10)));
  RandomTimeCB->SetItemIndex(file.ReadInteger(kSettingsSection, "RandomTimeType", 0));
  VariableTimeEB->SetText(std::to_string(file.ReadInteger(kSettingsSection, "VariableTime", 5)));
  VariableTimeCB->SetItemIndex(file.ReadInteger(kSettingsSection, "VariableTimeType", 0));
  const std::int32_t patterns = file.ReadInteger(kSettingsSection, "NumBeQuietItems", -1);
  const TListUpdate update(*BeQuietListBox);
  if (patterns == -1) {
    BeQuietListBox->Add("ScanDisk");
    BeQuietListBox->Add("Defrag");
  }
  // Only the pattern keys present below the count are read, so that a count or a key number
  // beyond the patterns the file holds (a corrupt or forged file) costs nothing.
  std::set<std::int32_t> present;
  if (patterns > 0) {
    for (const std::string& key : file.ReadSection(kSettingsSection)) {
      const auto index = BeQuietIndex(key);
      if (index && *index < patterns) present.insert(*index);
    }
  }
  for (const std::int32_t i : present) {
    BeQuietListBox->Add(file.ReadString(kSettingsSection, BeQuietKey(i), ""));
  }
  QuietFullScreenCB->SetChecked(file.ReadInteger(kSettingsSection, "QuietFullScreen", 1) != 0);
  if (SoundPathEB->Text().empty()) ConfigureFirstRun();
}

// Both counts are converted before anything is written. The new file is made beside the old
// one and moved over it only when complete, so a refused write leaves the stored settings
// as they were.
void TWumpexForm::SaveSettings() {
  const std::int32_t randomTime = StrToInt(RandomTimeEB->Text());
  const std::int32_t variableTime = StrToInt(VariableTimeEB->Text());
  auto& profile = platform::profile();
  const SettingsPlace place = FindSettings();
  const std::string scratch = place.path + ".new";
  const auto refused = [&] {
    profile.deleteFile(scratch);
    return Exception(std::string("Unable to write to ") + kSettingsFileName);
  };
  // Read-only, the file stays as it is, even where the system would let its owner write it.
  if (profile.fileReadOnly(place.path)) throw refused();
  const bool started = profile.createFolder(place.folder) &&
                       (profile.fileExists(place.path)
                            ? profile.copyFile(place.path, scratch)
                            : !profile.fileExists(scratch) || profile.deleteFile(scratch));
  if (!started) throw refused();
  try {
    const TIniFile file(scratch);
    file.EraseSection(kSettingsSection);
    file.WriteString(kSettingsSection, "WAVPath", SoundPathEB->Text());
    file.WriteInteger(kSettingsSection, "RandomTime", randomTime);
    file.WriteInteger(kSettingsSection, "RandomTimeType", RandomTimeCB->ItemIndex());
    file.WriteInteger(kSettingsSection, "VariableTime", variableTime);
    file.WriteInteger(kSettingsSection, "VariableTimeType", VariableTimeCB->ItemIndex());
    const int patterns = BeQuietListBox->Count();
    file.WriteInteger(kSettingsSection, "NumBeQuietItems", patterns);
    for (int i = 0; i < patterns; ++i) {
      file.WriteString(kSettingsSection, BeQuietKey(i), BeQuietListBox->Item(i));
    }
    file.WriteInteger(kSettingsSection, "QuietFullScreen", QuietFullScreenCB->Checked() ? 1 : 0);
  } catch (const Exception&) {
    throw refused();
  }
  if (!profile.replaceFile(scratch, place.path)) throw refused();
}

void TWumpexForm::ConfigureFirstRun() {
  Timer1->SetEnabled(false);
  Application->MessageBox(kFirstStartPrompt, kFirstStartCaption,
                          platform::mb::kOk | platform::mb::kIconExclamation);
  PageControl1->SetActivePage(WavFolderTabSheet);
  Show();
  if (BrowseDirectoryDlg1->Execute()) SoundPathEB->SetText(BrowseDirectoryDlg1->Directory());
  PageControl1->SetActivePage(TimingTabSheet);
  Hide();
  // A cancel, or a picker that gave no path, leaves the box empty and nothing to keep.
  if (SoundPathEB->Text().empty()) return;
  // The chosen folder is kept as OK keeps it, so that the next start does not ask again; a
  // refused save is shown, and the start goes on with the folder all the same. The create
  // handler lists it.
  try {
    SaveSettings();
  } catch (const Exception& error) {
    Application->HandleException(error);
  }
}

void TWumpexForm::ShutDownBtnClick(TComponent*) {
  Application->Terminate();
}

// The log-in box shows what the system holds, which another program may have changed.
void TWumpexForm::FormShow(TComponent*) {
  StartAtLogInCB->SetChecked(platform::shell().startsAtLogIn(kLogInEntryName));
  ApplyBtn->SetEnabled(false);
}

void TWumpexForm::ApplyStartAtLogIn() {
  auto& shell = platform::shell();
  const bool wanted = StartAtLogInCB->Checked();
  if (shell.startsAtLogIn(kLogInEntryName) == wanted) return;
  if (shell.setStartAtLogIn(kLogInEntryName, wanted)) return;
  StartAtLogInCB->SetChecked(!wanted);
  Application->HandleException(Exception(wanted ? "Unable to start Wumpex! when you log in"
                                                : "Unable to stop starting Wumpex! at log-in"));
}

void TWumpexForm::AnyControlChanged(TComponent*) {
  ApplyBtn->SetEnabled(true);
}

// Only the dialog's OK adds the text, exactly as typed, to the sorted list.
void TWumpexForm::AddBeQuietItemBtnClick(TComponent* sender) {
  const auto dialog = std::make_unique<TAddBeQuietForm>(this);
  if (dialog->ShowModal() != mrOk) return;
  BeQuietListBox->Add(dialog->AddBeQuietEditBox->Text());
  AnyControlChanged(sender);
}

// Deleting a pattern is a change like any other, to be saved with Apply or OK.
void TWumpexForm::DeleteBeQuietItemBtnClick(TComponent* sender) {
  const int selected = BeQuietListBox->ItemIndex();
  if (selected < 0) return;
  BeQuietListBox->Delete(selected);
  AnyControlChanged(sender);
}

// The chosen folder goes into the folder box (a change) and is listed at once.
void TWumpexForm::BrowseBtnClick(TComponent*) {
  if (!BrowseDirectoryDlg1->Execute()) return;
  SoundPathEB->SetText(BrowseDirectoryDlg1->Directory());
  ListSoundFolder();
}

// The typed folder joined with the listed name; nothing plays until the user presses Play.
void TWumpexForm::FileListBox1Click(TComponent*) {
  if (FileListBox1->Count() == 0) return;
  MediaPlayer2->SetFileName(
      InFolder(SoundPathEB->Text(), FileListBox1->Item(FileListBox1->ItemIndex())));
  MediaPlayer2->Open();
}

// The built-in sound plays to its end before the caption changes.
void TWumpexForm::Label1Click(TComponent*) {
  WavePlayer1->Play();
  Label1->SetCaption("A shameless rip off of the random sound functionality of Grunzo!");
}

void TWumpexForm::WumpexDisabledCBClick(TComponent* sender) {
  UpdateTrayIconImage();
  AnyControlChanged(sender);
  ScheduleNextSound();
}

// Setting the box raises its click handler whenever its state really changes. Either mark
// ends a quiet while: "Mute on" turns it into a plain mute.
void TWumpexForm::Enable1Click(TComponent*) {
  if (Quiet()) EndQuiet();
  Enable1->SetChecked(true);
  Disable1->SetChecked(false);
  WumpexDisabledCB->SetChecked(Disable1->Checked());
  UpdateTrayIconImage();
}

void TWumpexForm::Disable1Click(TComponent*) {
  Enable1->SetChecked(false);
  Disable1->SetChecked(true);
  WumpexDisabledCB->SetChecked(Disable1->Checked());
  if (Quiet()) EndQuiet();
  UpdateTrayIconImage();
}

void TWumpexForm::UpdateTrayIconImage() {
  const TImage* picture =
      WumpexDisabledCB->Checked() || Quiet() ? ProgramOffIconImage : ProgramOnIconImage;
  TrayIcon1->SetIcon(TIcon(picture->Icon()));
}

void TWumpexForm::ScheduleNextSound() {
  if (WumpexDisabledCB->Checked() || Quiet()) return;
  const std::int64_t base = CountSeconds(RandomTimeEB->Text(), RandomTimeCB->ItemIndex());
  const std::int64_t adjustment = CountSeconds(VariableTimeEB->Text(), VariableTimeCB->ItemIndex());
  const std::int64_t extra = RandomBelow(static_cast<std::int32_t>(adjustment));
  const std::int64_t seconds = std::min(base + extra, kMaxIntervalSeconds);
  Timer1->SetInterval(static_cast<std::uint32_t>(seconds * kMillisecondsPerSecond));
  Timer1->SetEnabled(true);
}

bool TWumpexForm::BeQuietCheck() {
  WindowsList1->Refresh();
  const auto& titles = WindowsList1->TheWindowsList();
  const int patterns = BeQuietListBox->Count();
  for (int j = 0; j < patterns; ++j) {
    const std::string pattern = platform::UpperCase(BeQuietListBox->Item(j));
    if (pattern.empty()) continue;
    for (const auto& entry : titles) {
      if (platform::UpperCase(entry.title).find(pattern) != std::string::npos) return false;
    }
  }
  return true;
}

bool TWumpexForm::FullScreenCheck() {
  if (!QuietFullScreenCB->Checked()) return true;
  auto& desktop = platform::desktop();
  if (desktop.shellReportsBusy()) return false;
  const auto front = desktop.frontWindow();
  return !front || !CoversMonitor(*front);
}

// The tick switches the timer off first, so that no second tick can start while a sound
// plays or its error is shown, and schedules again only as its last step.
void TWumpexForm::Timer1Timer(TComponent*) {
  Timer1->SetEnabled(false);
  const bool shown = Visible();
  if (!WumpexDisabledCB->Checked() && !Quiet() && BeQuietCheck() && FullScreenCheck()) {
    PlayPick();
  }
  // The settings window was opened while an error was shown: its OK schedules.
  if (Visible() && !shown) return;
  ScheduleNextSound();
}

// The user asked for a sound: it plays while muted or quiet too, and the next interval counts
// from its end. While the settings window is open, its OK schedules.
void TWumpexForm::PlayNow1Click(TComponent*) {
  const bool counting = Timer1->Enabled();
  Timer1->SetEnabled(false);
  PlayPick();
  if (counting || !Visible()) ScheduleNextSound();
}

void TWumpexForm::PlayPick() {
  ReseedFromClock();
  std::vector<int> playable;
  for (int i = 0; i < FileListBox1->Count(); ++i) {
    if (!unplayable_.contains(FileListBox1->Item(i))) playable.push_back(i);
  }
  // The file that played last sits out while another can play; the pick stays uniform over
  // the others.
  if (playable.size() > 1) {
    std::erase_if(playable, [this](int i) { return FileListBox1->Item(i) == lastPlayed_; });
  }
  if (playable.empty()) {
    TrayIcon1->SetToolTip(kEmptyPoolTip);
    return;
  }
  const int picked = RandomBelow(static_cast<std::int32_t>(playable.size()));
  const std::string name = FileListBox1->Item(playable[static_cast<std::size_t>(picked)]);
  lastPlayed_ = name;
  TrayIcon1->SetToolTip("Last Wumpex! \"" + name + "\"");
  if (Quiet()) tipBeforeQuiet_ = TrayIcon1->ToolTip();
  PlaySound(name);
}

void TWumpexForm::Quiet15Minutes1Click(TComponent*) {
  QuietUntil(platform::desktop().wallClock() + 15 * kSecondsPerMinute);
}

void TWumpexForm::Quiet1Hour1Click(TComponent*) {
  QuietUntil(platform::desktop().wallClock() + kSecondsPerHour);
}

void TWumpexForm::QuietUntilTomorrow1Click(TComponent*) {
  QuietUntil(NextLocalMidnight(platform::desktop().wallClock()));
}

void TWumpexForm::QuietUntil(std::int64_t wallSeconds) {
  if (!Quiet()) tipBeforeQuiet_ = TrayIcon1->ToolTip();
  quietUntil_ = wallSeconds;
  Timer1->SetEnabled(false);
  std::string tip = "Quiet until ";
  tip += HoursAndMinutes(platform::desktop().localTimeAt(wallSeconds));
  TrayIcon1->SetToolTip(tip);
  UpdateTrayIconImage();
  WaitOutQuiet();
}

void TWumpexForm::WaitOutQuiet() {
  const std::int64_t left = *quietUntil_ - platform::desktop().wallClock();
  if (left <= 0) {
    EndQuiet();
    return;
  }
  QuietTimer->SetInterval(
      static_cast<std::uint32_t>(std::min(left, kQuietCheckSeconds) * kMillisecondsPerSecond));
  QuietTimer->SetEnabled(true);
}

void TWumpexForm::QuietTimerTimer(TComponent*) {
  WaitOutQuiet();
}

void TWumpexForm::EndQuiet() {
  quietUntil_.reset();
  QuietTimer->SetEnabled(false);
  TrayIcon1->SetToolTip(tipBeforeQuiet_);
  UpdateTrayIconImage();
  ScheduleNextSound();
}

void TWumpexForm::PlaySound(const std::string& name) {
  // The tick drives the hidden player's device; its bar never shows.
  TMediaDevice& device = MediaPlayer1->Device();
  device.SetFileName(InFolder(SoundPathEB->Text(), name));
  try {
    device.Open();
  } catch (const EMCIDeviceError& error) {
    SoundFailed(name, device.Error(), error.Message());
    return;
  }
  platform::MciParams breakParams;
  breakParams.callback = 0;
  breakParams.virtKey = platform::vk::kEscape;  // ends the waiting play
  breakParams.breakWindow = 0;
  platform::media().sendCommand(device.DeviceID(), platform::mci::kBreak, platform::mci::kBreakKey,
                                breakParams);
  device.SetWait(true);
  device.Play();
  const std::uint32_t error = device.Error();
  const std::string message = error != 0 ? device.ErrorMessage() : std::string();
  device.Close();
  if (error == 0) {
    deviceTroubleShown_ = false;
  } else if (DeviceTrouble(error)) {
    SoundFailed(name, error, message);
  }
}

void TWumpexForm::SoundFailed(const std::string& name, std::uint32_t error,
                              const std::string& message) {
  if (DeviceTrouble(error)) {
    if (deviceTroubleShown_) return;
    deviceTroubleShown_ = true;
  } else {
    unplayable_.insert(name);
  }
  Application->HandleException(EMCIDeviceError(message));
}

}  // namespace wumpex
