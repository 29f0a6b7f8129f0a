// The Be Quiet check over arbitrary patterns and other programs' window titles, against a
// plain reference: a pattern keeps quiet when it occurs in a title as the window list reads it
// (up to its first zero, at most 254 UTF-16 units, cut between characters), letter case folded
// for a to z only; an empty pattern never does. The input is the patterns, one a line, then a zero,
// then the titles.

#include <algorithm>
#include <memory>

#include "app/WumpexProps.h"
#include "framework/Application.h"
#include "fuzz/Fuzz.h"
#include "platform/LetterCase.h"
#include "platform/Utf8.h"
#include "tests/HeadlessServices.h"

namespace {

using namespace wumpex;

std::string Listed(std::string title) {
  title.resize(std::min(title.find('\0'), title.size()));
  return title.substr(0, platform::Utf8PrefixWithin(title, 254));
}

struct Started : Program {
  TWumpexForm* form = application.CreateForm<TWumpexForm>();
  // The program's own windows' titles, read whole through the desktop.
  const std::vector<std::string> ownTitles = [this] {
    std::vector<std::string> titles;
    for (auto window = desktop.topWindow(); window != 0; window = desktop.nextWindow(window)) {
      titles.push_back(desktop.windowText(window, 4096));
    }
    return titles;
  }();
};

bool MayPlay(const std::vector<std::string>& patterns, const std::vector<std::string>& titles) {
  return std::ranges::none_of(patterns, [&](const std::string& pattern) {
    return !pattern.empty() && std::ranges::any_of(titles, [&](const std::string& title) {
      return platform::UpperCase(Listed(title)).find(platform::UpperCase(pattern)) !=
             std::string::npos;
    });
  });
}

}  // namespace

void wumpex::fuzz::Check(const std::string& input) {
  static Started program;
  const std::size_t zero = std::min(input.find('\0'), input.size());
  const std::vector<std::string> patterns = Split(input.substr(0, zero), "\n");
  std::vector<std::string> titles =
      zero < input.size() ? Split(input.substr(zero + 1), "\n") : std::vector<std::string>{};

  program.form->BeQuietListBox->Clear();
  for (const std::string& pattern : patterns) program.form->BeQuietListBox->Add(pattern);
  std::vector<platform::Handle> opened;
  for (const std::string& title : titles)
    opened.push_back(program.desktop.openForeignWindow(title));
  const bool mayPlay = program.form->BeQuietCheck();
  for (const platform::Handle window : opened) program.desktop.closeForeignWindow(window);

  titles.insert(titles.end(), program.ownTitles.begin(), program.ownTitles.end());
  Require(mayPlay == MayPlay(patterns, titles), "the check to agree with the reference");
}
