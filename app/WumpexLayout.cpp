// The main window's layout: every component, in the order in which it is created, with the
// properties it starts with. The order is behaviour, so it stays in this one place.

#include "app/WumpexProps.h"

#include <sstream>

namespace wumpex {
namespace {

const platform::Font kWindowFont{"MS Sans Serif", -11, false};
const platform::Font kBannerFont{"Haettenschweiler", -53, true};
const std::vector<std::string> kUnits{"Seconds", "Minutes", "Hours"};
const std::string kMailAddress = "wumpex@example.com";
// A page's width inside the page control's frame.
constexpr int kSheetWidth = 315;

template <class T>
T* Place(TForm& form, const char* name, TControl* parent, Bounds bounds, int tabOrder = -1) {
  T* control = form.Make<T>(name);
  control->SetBounds(bounds);
  control->SetParent(parent);
  if (tabOrder >= 0) control->SetTabOrder(tabOrder);
  return control;
}

// The banner's font; where the system has not got it and its stand-in is wider, the largest
// size of the stand-in that keeps the caption within `room`.
platform::Font BannerFont(const std::string& caption, int room) {
  platform::Font font = kBannerFont;
  while (font.height < -8 &&
         platform::desktop().measureText(caption, font, platform::dt::kExpandTabs, room).width >
             room) {
    ++font.height;
  }
  return font;
}

TTabSheet* Page(TForm& form, const char* name, TPageControl* control, const char* caption) {
  TTabSheet* page = form.Make<TTabSheet>(name);
  page->SetCaption(caption);
  page->SetPageControl(control);
  return page;
}

TLabel* Text(TForm& form, const char* name, TControl* parent, Bounds bounds,
             const std::string& caption, bool wordWrap = false) {
  auto* label = Place<TLabel>(form, name, parent, bounds);
  label->SetCaption(caption);
  label->SetWordWrap(wordWrap);
  if (wordWrap) label->SetAutoSize(false);
  return label;
}

// A heading text: a styled label drawn plain, wrapped within its box.
TStyledLabel* Heading(TForm& form, const char* name, TControl* parent, Bounds bounds,
                      const std::string& caption) {
  auto* label = Place<TStyledLabel>(form, name, parent, bounds);
  label->SetTextStyle(TTextStyle::tsNone);
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetCaption(caption);
  return label;
}

TMenuItem* Item(TForm& form, TPopupMenu* menu, const char* name, const char* caption, int group) {
  TMenuItem* item = form.Make<TMenuItem>(name);
  item->SetCaption(caption);
  item->SetGroupIndex(group);
  menu->Add(item);
  return item;
}

TMenuItem* SubItem(TForm& form, TMenuItem* parent, const char* name, const char* caption) {
  TMenuItem* item = form.Make<TMenuItem>(name);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

}  // namespace

void TWumpexForm::ReadLayout() {
  TForm& f = *this;
  SetCaption(kProgramTitle);
  SetClientSize(337, 373);
  SetFont(kWindowFont);
  SetIcon("MAINICON");
  OnCreate = [this](TComponent* s) { FormCreate(s); };
  OnShow = [this](TComponent* s) { FormShow(s); };
  const TNotifyEvent changed = [this](TComponent* s) { AnyControlChanged(s); };

  PageControl1 = Place<TPageControl>(f, "PageControl1", this, {8, 8, 323, 329}, 0);

  TimingTabSheet = Page(f, "TimingTabSheet", PageControl1, "Timing");
  Image1 = Place<TImage>(f, "Image1", TimingTabSheet, {8, 16, 33, 33});
  Image1->SetIcon("IMAGE1");
  StyledLabel2 =
      Heading(f, "StyledLabel2", TimingTabSheet, {48, 16, 257, 33},
              "Wumpex! timing settings allows control over the intervals between playing WAV's.");
  TimingGB = Place<TGroupBox>(f, "TimingGB", TimingTabSheet, {8, 80, 297, 89}, 0);
  TimingGB->SetCaption("Timing");
  NoteLabel2 = Text(f, "NoteLabel2", TimingGB, {16, 24, 119, 13}, "Play random sound every");
  NoteLabel3 = Text(f, "NoteLabel3", TimingGB, {16, 56, 116, 13}, "Random time adjustment");
  UpDown1 = Place<TUpDown>(f, "UpDown1", TimingGB, {193, 24, 12, 21}, 0);
  UpDown1->SetRange(1, 100);
  UpDown1->SetPosition(10);
  RandomTimeEB = Place<TEdit>(f, "RandomTimeEB", TimingGB, {144, 24, 49, 21}, 1);
  RandomTimeEB->SetText("10");
  RandomTimeEB->OnChange = changed;
  RandomTimeCB = Place<TComboBox>(f, "RandomTimeCB", TimingGB, {208, 24, 73, 21}, 2);
  RandomTimeCB->SetItems(kUnits);
  RandomTimeCB->SetText("Seconds");
  RandomTimeCB->OnChange = changed;
  VariableTimeCB = Place<TComboBox>(f, "VariableTimeCB", TimingGB, {208, 56, 73, 21}, 4);
  VariableTimeCB->SetItems(kUnits);
  VariableTimeCB->SetText("Seconds");
  VariableTimeCB->OnChange = changed;
  VariableTimeEB = Place<TEdit>(f, "VariableTimeEB", TimingGB, {144, 56, 49, 21}, 3);
  VariableTimeEB->SetText("5");
  VariableTimeEB->OnChange = changed;
  UpDown2 = Place<TUpDown>(f, "UpDown2", TimingGB, {193, 56, 12, 21}, 5);
  UpDown2->SetRange(0, 100);
  UpDown2->SetPosition(5);
  StartAtLogInCB = Place<TCheckBox>(f, "StartAtLogInCB", TimingTabSheet, {8, 184, 297, 17}, 1);
  StartAtLogInCB->SetCaption("Start Wumpex! when I log in");
  StartAtLogInCB->OnClick = changed;

  WavFolderTabSheet = Page(f, "WavFolderTabSheet", PageControl1, "WAV Folder");
  Image3 = Place<TImage>(f, "Image3", WavFolderTabSheet, {8, 16, 33, 33});
  Image3->SetIcon("IMAGE3");
  // Three lines high: the sentence needs a third line in the window's font.
  StyledLabel3 = Heading(f, "StyledLabel3", WavFolderTabSheet, {48, 16, 257, 39},
                         "The Wumpex! WAV folder setting allows control where Wumpex! will "
                         "search for a random sound to play.");
  SoundPathGB = Place<TGroupBox>(f, "SoundPathGB", WavFolderTabSheet, {8, 80, 297, 209}, 0);
  SoundPathGB->SetCaption("WAV Sounds Folder");
  Label4 = Text(f, "Label4", SoundPathGB, {16, 152, 38, 13}, "Preview");
  SoundPathEB = Place<TEdit>(f, "SoundPathEB", SoundPathGB, {16, 120, 185, 21}, 0);
  SoundPathEB->SetText("C:\\");
  SoundPathEB->OnChange = changed;
  BrowseBtn = Place<TButton>(f, "BrowseBtn", SoundPathGB, {208, 120, 75, 23}, 1);
  BrowseBtn->SetCaption("&Browse");
  BrowseBtn->OnClick = [this](TComponent* s) { BrowseBtnClick(s); };
  FileListBox1 = Place<TFileListBox>(f, "FileListBox1", SoundPathGB, {16, 24, 265, 84}, 2);
  FileListBox1->SetMask("*.wav");
  FileListBox1->SetItemHeight(16);
  FileListBox1->OnClick = [this](TComponent* s) { FileListBox1Click(s); };
  MediaPlayer2 = Place<TMediaPlayer>(f, "MediaPlayer2", SoundPathGB, {16, 171, 57, 22}, 3);
  MediaPlayer2->SetVisibleButtons({TMPBtnType::btPlay, TMPBtnType::btStop});
  MediaPlayer2->SetEnabledButtons({TMPBtnType::btPlay, TMPBtnType::btStop});
  MediaPlayer2->SetColoredButtons({TMPBtnType::btPause, TMPBtnType::btNext, TMPBtnType::btPrev,
                                   TMPBtnType::btStep, TMPBtnType::btBack, TMPBtnType::btRecord,
                                   TMPBtnType::btEject});
  MediaPlayer2->SetAutoOpen(true);
  MediaPlayer2->SetDeviceType(TMPDeviceTypes::dtWaveAudio);

  BeQuietTabSheet = Page(f, "BeQuietTabSheet", PageControl1, "Be Quiet");
  ProgramOffIconImage = Place<TImage>(f, "ProgramOffIconImage", BeQuietTabSheet, {8, 16, 33, 33});
  ProgramOffIconImage->SetIcon("PROGRAMOFF");
  StyledLabel4 = Heading(f, "StyledLabel4", BeQuietTabSheet, {48, 16, 257, 57},
                         "The Be Quiet settings define running applications that Wumpex! not "
                         "should interrupt with WAV's.  Pattern matching is done so title bar "
                         "changes can be accounted for.");
  WumpexDisabledCB = Place<TCheckBox>(f, "WumpexDisabledCB", BeQuietTabSheet, {8, 280, 201, 17}, 0);
  WumpexDisabledCB->SetCaption("&Mute Wumpex!");
  WumpexDisabledCB->OnClick = [this](TComponent* s) { WumpexDisabledCBClick(s); };
  GroupBox1 = Place<TGroupBox>(f, "GroupBox1", BeQuietTabSheet, {8, 80, 297, 177}, 1);
  GroupBox1->SetCaption("\"Be Quiet\" Application List");
  AddBeQuietItemBtn = Place<TButton>(f, "AddBeQuietItemBtn", GroupBox1, {16, 146, 75, 23}, 0);
  AddBeQuietItemBtn->SetCaption("&Add");
  AddBeQuietItemBtn->OnClick = [this](TComponent* s) { AddBeQuietItemBtnClick(s); };
  DeleteBeQuietItemBtn = Place<TButton>(f, "DeleteBeQuietItemBtn", GroupBox1, {96, 146, 75, 23}, 1);
  DeleteBeQuietItemBtn->SetCaption("&Delete");
  DeleteBeQuietItemBtn->OnClick = [this](TComponent* s) { DeleteBeQuietItemBtnClick(s); };
  BeQuietListBox = Place<TListBox>(f, "BeQuietListBox", GroupBox1, {16, 24, 265, 108}, 2);
  BeQuietListBox->SetSorted(true);
  BeQuietListBox->SetItemHeight(13);
  // In the room between the list's group and the mute box.
  QuietFullScreenCB =
      Place<TCheckBox>(f, "QuietFullScreenCB", BeQuietTabSheet, {8, 260, 297, 17}, 2);
  QuietFullScreenCB->SetCaption("Keep quiet while a program fills the screen");
  QuietFullScreenCB->SetChecked(true);
  QuietFullScreenCB->OnClick = changed;

  AboutTabSheet = Page(f, "AboutTabSheet", PageControl1, "About");
  ProgramOnIconImage = Place<TImage>(f, "ProgramOnIconImage", AboutTabSheet, {8, 16, 33, 33});
  ProgramOnIconImage->SetIcon("MAINICON");
  AboutLabel =
      Text(f, "AboutLabel", AboutTabSheet, {64, 88, 169, 13}, "Version 1.11 ( 21-Dec-1996 )");
  AboutLabel->SetAutoSize(false);
  // The banner: a 53-pixel italic title with its shadow 7 pixels right and down, all of it
  // on the page.
  StyledLabel1 = Place<TStyledLabel>(f, "StyledLabel1", AboutTabSheet, {64, 8, 169, 65});
  StyledLabel1->SetCaption("WUMPEX!");
  StyledLabel1->SetFont(BannerFont(StyledLabel1->Caption(), kSheetWidth - 64 - 7));
  StyledLabel1->SetTextStyle(TTextStyle::tsShadow);
  StyledLabel1->SetShadowDepth(7);
  UrlLabel1 = Place<TUrlLabel>(f, "UrlLabel1", AboutTabSheet, {144, 264, 109, 13});
  UrlLabel1->SetCaption(kMailAddress);
  UrlLabel1->SetURL("mailto:" + kMailAddress + "?subject=Wumpex! Correspondence");
  UrlLabel1->SetHint("Click here to send mail");
  UrlLabel1->SetShowHint(true);
  UrlLabel1->SetParentShowHint(false);
  UrlLabel1->SetCursor(crHand);
  Label1 = Text(f, "Label1", AboutTabSheet, {64, 112, 217, 33},
                "Random sounds and noises system extention.", true);
  Label1->OnClick = [this](TComponent* s) { Label1Click(s); };
  Label2 = Text(f, "Label2", AboutTabSheet, {144, 216, 171, 13}, "Written in C++ on the Win32 API",
                true);
  Label3 = Text(f, "Label3", AboutTabSheet, {144, 248, 81, 13}, "Wumpex! team", true);

  OKBtn = Place<TButton>(f, "OKBtn", this, {96, 344, 75, 23}, 1);
  OKBtn->SetCaption("OK");
  OKBtn->OnClick = [this](TComponent* s) { OKBtnClick(s); };
  ApplyBtn = Place<TButton>(f, "ApplyBtn", this, {176, 344, 75, 23}, 2);
  ApplyBtn->SetCaption("Apply");
  ApplyBtn->OnClick = [this](TComponent* s) { ApplyBtnClick(s); };
  ShutDownBtn = Place<TButton>(f, "ShutDownBtn", this, {256, 344, 75, 23}, 3);
  ShutDownBtn->SetCaption("Shut Down");
  ShutDownBtn->OnClick = [this](TComponent* s) { ShutDownBtnClick(s); };
  MediaPlayer1 = Place<TMediaPlayer>(f, "MediaPlayer1", this, {304, 120, 29, 30}, 4);
  MediaPlayer1->SetVisible(false);
  MediaPlayer1->SetVisibleButtons({TMPBtnType::btPlay});
  MediaPlayer1->SetDeviceType(TMPDeviceTypes::dtWaveAudio);

  // The icon appears as soon as Active arrives, still without picture and tip; the picture
  // is read straight in, and the tip then shows both.
  TrayIcon1 = f.Make<TTrayIcon>("TrayIcon1");
  TrayIcon1->SetActive(true);
  TrayIcon1->SetShowDesigning(false);
  TrayIcon1->Icon().LoadFromResourceName("MAINICON");
  TrayIcon1->SetToolTip("Wumpex!");
  TrayIcon1->OnDblClick = [this](TComponent* s) { TrayIcon1DblClick(s); };

  Timer1 = f.Make<TTimer>("Timer1");
  Timer1->SetOnTimer([this](TComponent* s) { Timer1Timer(s); });
  // Runs only while the program is quiet for a while.
  QuietTimer = f.Make<TTimer>("QuietTimer");
  QuietTimer->SetEnabled(false);
  QuietTimer->SetOnTimer([this](TComponent* s) { QuietTimerTimer(s); });

  PopupMenu1 = f.Make<TPopupMenu>("PopupMenu1");
  Settings1 = Item(f, PopupMenu1, "Settings1", "Wumpex! &Settings", 0);
  Settings1->SetDefault(true);
  Settings1->OnClick = [this](TComponent* s) { TrayIcon1DblClick(s); };
  PlayNow1 = Item(f, PopupMenu1, "PlayNow1", "Play a sound now", 0);
  PlayNow1->OnClick = [this](TComponent* s) { PlayNow1Click(s); };
  N2 = Item(f, PopupMenu1, "N2", "-", 1);
  Enable1 = Item(f, PopupMenu1, "Enable1", "Mute off", 1);
  Enable1->SetRadioItem(true);
  Enable1->SetChecked(true);
  Enable1->OnClick = [this](TComponent* s) { Enable1Click(s); };
  Disable1 = Item(f, PopupMenu1, "Disable1", "Mute on", 1);
  Disable1->SetRadioItem(true);
  Disable1->OnClick = [this](TComponent* s) { Disable1Click(s); };
  QuietFor1 = Item(f, PopupMenu1, "QuietFor1", "Quiet for", 1);
  Quiet15Minutes1 = SubItem(f, QuietFor1, "Quiet15Minutes1", "15 minutes");
  Quiet15Minutes1->OnClick = [this](TComponent* s) { Quiet15Minutes1Click(s); };
  Quiet1Hour1 = SubItem(f, QuietFor1, "Quiet1Hour1", "1 hour");
  Quiet1Hour1->OnClick = [this](TComponent* s) { Quiet1Hour1Click(s); };
  QuietUntilTomorrow1 = SubItem(f, QuietFor1, "QuietUntilTomorrow1", "Until tomorrow");
  QuietUntilTomorrow1->OnClick = [this](TComponent* s) { QuietUntilTomorrow1Click(s); };
  N1 = Item(f, PopupMenu1, "N1", "-", 1);
  Shutdown1 = Item(f, PopupMenu1, "Shutdown1", "Shutdown Wumpex!", 2);
  Shutdown1->OnClick = [this](TComponent* s) { ShutDownBtnClick(s); };

  BrowseDirectoryDlg1 = f.Make<TBrowseDirectoryDlg>("BrowseDirectoryDlg1");
  BrowseDirectoryDlg1->SetTitle("Select WAV sound folder...");
  WindowsList1 = f.Make<TWindowsList>("WindowsList1");
  WindowsList1->SetAcceptEmptyNames(false);
  // The guard acts in its after-loading step, before the create handler runs.
  OnlyOne1 = f.Make<TOnlyOne>("OnlyOne1");
  WavePlayer1 = f.Make<TWavePlayer>("WavePlayer1");
  std::istringstream builtInWave{std::string(BuiltInWaveData())};
  WavePlayer1->Wave().ReadDataProperty(builtInWave);

  // References to components read later are resolved once all exist.
  TrayIcon1->SetPopupMenu(PopupMenu1);
  UpDown1->SetAssociate(RandomTimeEB);
  UpDown2->SetAssociate(VariableTimeEB);
  PageControl1->SetActivePage(TimingTabSheet);
}

}  // namespace wumpex
