#pragma once
// The main window: at once the hidden controller that owns the timer and the settings
// controls, and the settings window opened from the tray. Its controls are the only store
// of the settings; every interval is computed afresh from them.

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "app/FileCtrl.h"
#include "app/MPlayer.h"
#include "components/BrowseDr.h"
#include "components/OnlyOne.h"
#include "components/StyledLabel.h"
#include "components/TrayIcon.h"
#include "components/UrlLabel.h"
#include "components/Waveplay.h"
#include "components/WindowsListUnit.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/GroupBox.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/ListBox.h"
#include "framework/PageControl.h"
#include "framework/PopupMenu.h"
#include "framework/Timer.h"
#include "framework/UpDown.h"

namespace wumpex {

inline constexpr const char* kProgramTitle = "Wumpex! 1.11";
inline constexpr const char* kEmptyPoolTip = "No WAV's in Wumpex! path!";
// The box at a start without a sound folder.
inline constexpr const char* kFirstStartPrompt =
    "Wumpex! needs to know where it can find WAV files that it should play.  Press OK, then "
    "please select a folder where WAV files may be found";
inline constexpr const char* kFirstStartCaption = "Wumpex! Configure";
// The name of the system's entry that starts the program when the user logs in.
inline constexpr const char* kLogInEntryName = "Wumpex!";

// The settings file's name as the program asks for it. The system keeps a file named without
// a folder in the Windows directory; it is used there when it exists or that directory takes
// new files. Otherwise (a standard user on current Windows) the file lives in the user's
// application-data folder, in "Wumpex!\WUMPEX.INI".
inline constexpr const char* kSettingsFileName = "WUMPEX.INI";
inline constexpr const char* kSettingsSection = "WumpexSettings";

class TWumpexForm : public TForm {
 public:
  // The window is built from its layout; WumpexForm refers to it from the start of
  // construction, and is cleared again when construction fails.
  TWumpexForm();
  ~TWumpexForm() override;
  const char* ClassName() const override { return "TWumpexForm"; }

  // Handlers.
  void TrayIcon1DblClick(TComponent* sender);
  void OKBtnClick(TComponent* sender);
  void ApplyBtnClick(TComponent* sender);
  void ShutDownBtnClick(TComponent* sender);
  void Timer1Timer(TComponent* sender);
  void FormCreate(TComponent* sender);
  void WumpexDisabledCBClick(TComponent* sender);
  void Enable1Click(TComponent* sender);
  void Disable1Click(TComponent* sender);
  void FormShow(TComponent* sender);
  void AnyControlChanged(TComponent* sender);
  void AddBeQuietItemBtnClick(TComponent* sender);
  void DeleteBeQuietItemBtnClick(TComponent* sender);
  void FileListBox1Click(TComponent* sender);
  void BrowseBtnClick(TComponent* sender);
  void Label1Click(TComponent* sender);
  void PlayNow1Click(TComponent* sender);
  void Quiet15Minutes1Click(TComponent* sender);
  void Quiet1Hour1Click(TComponent* sender);
  void QuietUntilTomorrow1Click(TComponent* sender);
  void QuietTimerTimer(TComponent* sender);

  // Draws the next interval from the settings controls and starts the timer; nothing while
  // muted or quiet for a while. Counts times their units are taken as 0 to 4,294,967
  // seconds: a negative count counts as 0 and a larger total as the largest, so that the
  // milliseconds always fit in the timer's 32 bits. A unit box with no selected item counts
  // in seconds.
  void ScheduleNextSound();
  // True when a sound may play: no Be Quiet pattern occurs in the title of any top-level
  // window, letter case ignored for a to z. An empty pattern never matches.
  bool BeQuietCheck();
  // True when a sound may play as far as the screen goes: the box that keeps quiet while a
  // program fills the screen is clear, or the shell reports no full-screen program and the
  // window in front does not cover its whole monitor.
  bool FullScreenCheck();
  // The tray shows the muted picture while the mute box is ticked or the program is quiet
  // for a while, else the program's own.
  void UpdateTrayIconImage();
  // Quiet until a moment of the wall clock, so that a computer that sleeps past it is not
  // quiet for longer. No tick runs meanwhile; the tip says until when. Not stored.
  void QuietUntil(std::int64_t wallSeconds);
  // Ends a quiet while early or on time: the tip and picture come back, and, unless muted,
  // a fresh interval begins.
  void EndQuiet();
  bool Quiet() const { return quietUntil_.has_value(); }

  TPageControl* PageControl1;
  TTabSheet* TimingTabSheet;
  TImage* Image1;
  TStyledLabel* StyledLabel2;
  TGroupBox* TimingGB;
  TLabel* NoteLabel2;
  TLabel* NoteLabel3;
  TUpDown* UpDown1;
  TEdit* RandomTimeEB;
  TComboBox* RandomTimeCB;
  TComboBox* VariableTimeCB;
  TEdit* VariableTimeEB;
  TUpDown* UpDown2;
  TCheckBox* StartAtLogInCB;
  TTabSheet* WavFolderTabSheet;
  TImage* Image3;
  TStyledLabel* StyledLabel3;
  TGroupBox* SoundPathGB;
  TLabel* Label4;
  TEdit* SoundPathEB;
  TButton* BrowseBtn;
  TFileListBox* FileListBox1;
  TMediaPlayer* MediaPlayer2;
  TTabSheet* BeQuietTabSheet;
  TImage* ProgramOffIconImage;
  TStyledLabel* StyledLabel4;
  TCheckBox* WumpexDisabledCB;
  TGroupBox* GroupBox1;
  TButton* AddBeQuietItemBtn;
  TButton* DeleteBeQuietItemBtn;
  TListBox* BeQuietListBox;
  TCheckBox* QuietFullScreenCB;
  TTabSheet* AboutTabSheet;
  TImage* ProgramOnIconImage;
  TLabel* AboutLabel;
  TStyledLabel* StyledLabel1;
  TUrlLabel* UrlLabel1;
  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label3;
  TButton* OKBtn;
  TButton* ApplyBtn;
  TButton* ShutDownBtn;
  TMediaPlayer* MediaPlayer1;
  TTrayIcon* TrayIcon1;
  TTimer* Timer1;
  TTimer* QuietTimer;
  TPopupMenu* PopupMenu1;
  TMenuItem* Settings1;
  TMenuItem* PlayNow1;
  TMenuItem* N2;
  TMenuItem* Enable1;
  TMenuItem* Disable1;
  TMenuItem* QuietFor1;
  TMenuItem* Quiet15Minutes1;
  TMenuItem* Quiet1Hour1;
  TMenuItem* QuietUntilTomorrow1;
  TMenuItem* N1;
  TMenuItem* Shutdown1;
  TBrowseDirectoryDlg* BrowseDirectoryDlg1;
  TWindowsList* WindowsList1;
  TOnlyOne* OnlyOne1;
  TWavePlayer* WavePlayer1;

 private:
  // Creates every component and sets its properties, in the order of the window's layout.
  void ReadLayout();
  // The settings file fills the settings controls; an empty folder asks the user for one.
  void LoadSettings();
  // Writes the settings controls to the settings file, or raises and leaves the stored file
  // as it was: EConvertError for a count that is not a whole number, Exception "Unable to
  // write to WUMPEX.INI" for a read-only file or when the system refuses a change.
  void SaveSettings();
  // Explains the program and lets the user pick the sound folder, while the window is built.
  void ConfigureFirstRun();
  // Points the pool at the folder box's folder. A folder that cannot be listed leaves the
  // pool empty and raises, so that the user hears of it at once rather than from a tick.
  void ListSoundFolder();
  // OK and Apply list a folder that was typed into the folder box.
  void ListTypedFolder();
  // Picks a file of the pool, never the one that played last while another can play, names
  // it in the tip and plays it; an empty pool is said in the tip.
  void PlayPick();
  // Opens and plays one file of the pool to its end, Escape cutting it short.
  void PlaySound(const std::string& name);
  // Makes or removes the entry that starts the program at log-in as the box says; a refusal
  // is shown and the box goes back to what is there.
  void ApplyStartAtLogIn();
  // Checks again when the quiet while ends: each minute, and at its end.
  void WaitOutQuiet();
  // Shows why a sound did not play. A file that cannot be opened is shown once and left out
  // of later picks until the folder is listed again; a missing or busy device is shown once
  // until a sound plays again.
  void SoundFailed(const std::string& name, std::uint32_t error, const std::string& message);

  std::string listedFolder_;          // the folder box's text when the pool was pointed at it
  std::set<std::string> unplayable_;  // names in the pool that could not be opened
  bool deviceTroubleShown_ = false;
  std::string lastPlayed_;                  // the name of the file picked last
  std::optional<std::int64_t> quietUntil_;  // the wall clock's second at which quiet ends
  std::string tipBeforeQuiet_;              // the tip that the quiet's own replaced
};

// The main window, while it exists.
extern TWumpexForm* WumpexForm;

inline constexpr std::int64_t kMillisecondsPerSecond = 1000;
inline constexpr std::int64_t kSecondsPerMinute = 60;
inline constexpr std::int64_t kSecondsPerHour = 60 * kSecondsPerMinute;
// Seconds per unit, by the item index of a unit box: Seconds, Minutes, Hours.
inline constexpr std::uint16_t kUnitFactors[3] = {1, kSecondsPerMinute, kSecondsPerHour};
// The longest interval whose milliseconds fit in 32 bits.
inline constexpr std::int64_t kMaxIntervalSeconds = 0xFFFF'FFFF / kMillisecondsPerSecond;

}  // namespace wumpex
