// The whole settings load over arbitrary bytes as WUMPEX.INI: the main window is built on the
// in-memory desktop, each box then holds its default or a value the file held; the settings
// are saved through OK and loaded by a second window, which must show the same boxes.
//
// Where a second load differs, the system's profile reader is the cause: it keeps at most
// 1023 characters of a value and drops the blanks around it and then one pair of matching
// quotes. A value the first load unquoted is saved as it stands and loses its next pair of
// quotes or its blanks at the second load.
//
// The file is read as the system reads it: UTF-16 after a byte-order mark, else in the code
// page; a UTF-16 file without the mark is text in the code page, zeros and all.
//
// A hang and unbounded memory are findings through libFuzzer's -timeout and -rss_limit_mb,
// which scripts/fuzz.sh sets.

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <memory>

#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "framework/IniFile.h"
#include "fuzz/Fuzz.h"
#include "platform/LetterCase.h"
#include "platform/Utf8.h"
#include "tests/HeadlessServices.h"

namespace {

using namespace wumpex;
using fuzz::Require;

struct Boxes {
  std::string folder;
  std::string randomTime;
  int randomUnit = 0;
  std::string variableTime;
  int variableUnit = 0;
  std::vector<std::string> patterns;  // in the list's order
  bool operator==(const Boxes&) const = default;
};

Boxes BoxesOf(const TWumpexForm& form) {
  return {form.SoundPathEB->Text(),         form.RandomTimeEB->Text(),
          form.RandomTimeCB->ItemIndex(),   form.VariableTimeEB->Text(),
          form.VariableTimeCB->ItemIndex(), form.BeQuietListBox->Items()};
}

// As the system's profile reader takes them, the end-of-file mark included.
bool Blank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

// What the system's profile reader makes of a value written back.
std::string Reread(std::string value) {
  const auto first = std::ranges::find_if_not(value, Blank);
  const auto last = std::find_if_not(value.rbegin(), value.rend(), Blank).base();
  value = first < last ? std::string(first, last) : std::string();
  if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// Text that the file held: empty, or a piece of it no longer than the reader keeps, 1023
// UTF-16 units.
bool Held(const std::string& file, const std::string& value) {
  return platform::Utf8PrefixWithin(value, 1023) == value.size() &&
         file.find(value) != std::string::npos;
}

// A number the file held, as decimal digits or, written "$" or "0x", hexadecimal ones.
bool HeldNumber(const std::string& file, const std::string& number, const char* byDefault) {
  if (number == byDefault) return true;
  const std::int64_t value = std::stoll(number);
  char hex[8];
  const auto end = std::to_chars(hex, hex + 8, static_cast<std::uint32_t>(value), 16).ptr;
  return file.find(std::to_string(std::abs(value))) != std::string::npos ||
         platform::UpperCase(file).find(platform::UpperCase(std::string(hex, end))) !=
             std::string::npos;
}

void RequireFromFile(const std::string& file, const Boxes& boxes) {
  Require(Held(file, boxes.folder), "the folder box to hold a value of the file");
  Require(HeldNumber(file, boxes.randomTime, "10") && HeldNumber(file, boxes.variableTime, "5"),
          "the count boxes to hold their defaults or numbers of the file");
  for (const int unit : {boxes.randomUnit, boxes.variableUnit}) {
    Require(unit >= -1 && unit <= 2, "a unit box to select one of its units or none");
  }
  const bool defaults = boxes.patterns == std::vector<std::string>{"Defrag", "ScanDisk"};
  for (const std::string& pattern : boxes.patterns) {
    Require(defaults || Held(file, pattern), "every pattern to be the default or of the file");
  }
}

}  // namespace

// A file without a folder asks for one at the start: the in-memory desktop's user answers
// the message box and cancels the folder browser.
void wumpex::fuzz::Check(const std::string& bytes) {
  Program services;
  services.WriteSettings(bytes);
  const std::string file = FileText(bytes);

  Boxes expected;
  {
    const auto form = std::make_unique<TWumpexForm>();
    expected = BoxesOf(*form);
    RequireFromFile(file, expected);
    form->TrayIcon1DblClick(form->TrayIcon1);
    const std::size_t shown = services.desktop.messageBoxes.size();
    services.User(form->OKBtn).userClicked();
    Require(services.desktop.messageBoxes.size() == shown, "OK to save without a complaint");
  }
  // A file that holds the section twice keeps the second one's other keys through a save, as
  // the system erases only the first; a key without a name first among them hides the key list
  // of the section, and with it the saved patterns, from the next load.
  const auto keys = TIniFile(kSettingsFileName).ReadSection(kSettingsSection);
  // Key names match in any letter case, and a save keeps the case the file had.
  if (std::ranges::none_of(keys, [](const std::string& key) {
        return platform::UpperCase(key) == "NUMBEQUIETITEMS";
      })) {
    expected.patterns.clear();
  }
  expected.folder = Reread(expected.folder);
  for (std::string& pattern : expected.patterns) pattern = Reread(pattern);
  Boxes second = BoxesOf(*std::make_unique<TWumpexForm>());
  std::ranges::sort(expected.patterns);
  std::ranges::sort(second.patterns);
  Require(second == expected, "a second load to show what the first one saved");
}
