#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "components/BrowseDr.h"
#include "tests/DesktopFixture.h"

namespace wumpex {
namespace {

struct SettingsForm : TForm {
  SettingsForm() : TForm(nullptr, "WumpexForm") {}
};

class BrowseDirectoryTest : public DesktopTest {
 protected:
  // What the last dialog was shown with.
  const platform::headless::ShownFolderDialog& Shown() const {
    return folderBrowser.dialogs.back();
  }
  static void ExpectAllGivenBack(const platform::headless::HeadlessFolderBrowser& shell) {
    EXPECT_EQ(shell.liveBlocks(), 0u);
    EXPECT_EQ(shell.liveAllocators(), 0);
    EXPECT_EQ(shell.strayFrees(), 0);
  }

  SettingsForm* form = application.CreateForm<SettingsForm>();
  TBrowseDirectoryDlg* dialog = form->Make<TBrowseDirectoryDlg>("BrowseDirectoryDlg1");
};

TEST_F(BrowseDirectoryTest, OptionsBecomeTheShellsBrowseFlags) {
  using enum TBrowseFlag;
  const struct {
    TBrowseFlags options;
    std::uint32_t flags;
  } cases[] = {
      {{}, 0},
      {{bfDirectoriesOnly, bfAncestors, bfPrinters}, 0x2009},
      {{bfDirectoriesOnly, bfDomainOnly, bfAncestors, bfComputers, bfPrinters}, 0x300B},
  };
  EXPECT_EQ(dialog->Options(), TBrowseFlags{});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    dialog->SetOptions(c.options);
    dialog->Execute();
    EXPECT_EQ(Shown().flags, c.flags);
  }
}

TEST_F(BrowseDirectoryTest, DialogIsOwnedByTheOwnerFormOrElseTheMainForm) {
  EXPECT_EQ(dialog->Title(), "");
  dialog->Execute();
  ASSERT_TRUE(form->HandleAllocated());
  EXPECT_EQ(Shown().owner, form->Peer()->handle());
  EXPECT_EQ(Shown().title, "");

  TComponent holder(nullptr, "Holder");
  auto* unowned = holder.Make<TBrowseDirectoryDlg>("BrowseDirectoryDlg2");
  unowned->SetTitle("Select WAV sound folder...");
  unowned->Execute();
  EXPECT_EQ(Shown().owner, form->Peer()->handle());
  EXPECT_EQ(Shown().title, "Select WAV sound folder...");
}

TEST_F(BrowseDirectoryTest, ConfirmedChoiceBecomesDirectoryAndCancelKeepsIt) {
  using Shell = platform::headless::HeadlessFolderBrowser;
  using platform::headless::Call;
  using Step = std::function<void(Shell&)>;
  const auto choose = [](const std::string& path) -> Step {
    return [path](Shell& shell) { shell.chooseNextFolder(path); };
  };
  const Step cancel = [](Shell& shell) { shell.cancelNextDialog(); };
  const Step printer = [](Shell& shell) { shell.chooseNextItemWithoutPath("HP LaserJet"); };
  const Step noAllocator = [this](Shell&) { faults.refuse({Call::TaskAllocator}); };
  const Step noMemory = [this](Shell&) { faults.refuse({Call::TaskMemory}); };
  const struct {
    const char* what;
    std::vector<Step> script;
    std::vector<bool> results;
    std::string directory;
    std::size_t dialogs;
  } cases[] = {
      {"confirmed", {choose("C:\\Sounds\\Wave")}, {true}, "C:\\Sounds\\Wave", 1},
      {"cancelled", {cancel}, {false}, "C:\\Before", 1},
      {"unscripted user cancels", {}, {false}, "C:\\Before", 1},
      {"cancel keeps the first choice", {choose("D:\\Wav"), cancel}, {true, false}, "D:\\Wav", 2},
      {"each run starts afresh", {choose("D:\\1"), choose("E:\\2")}, {true, true}, "E:\\2", 2},
      {"an item without a path gives an empty one", {printer}, {true}, "", 1},
      {"no allocator", {noAllocator}, {false}, "C:\\Before", 0},
      {"no memory for the path", {noMemory}, {false}, "C:\\Before", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Shell shell;
    platform::FolderBrowserScope shellScope{shell};
    faults.refuseNothing();
    TBrowseDirectoryDlg picker(form, "BrowseDirectoryDlg1");
    shell.chooseNextFolder("C:\\Before");
    ASSERT_TRUE(picker.Execute());
    shell.dialogs.clear();
    for (const Step& step : c.script) step(shell);
    std::vector<bool> results;
    for (std::size_t run = 0; run < c.results.size(); ++run) results.push_back(picker.Execute());
    EXPECT_EQ(results, c.results);
    EXPECT_EQ(picker.Directory(), c.directory);
    EXPECT_EQ(shell.dialogs.size(), c.dialogs);
    for (const auto& shown : shell.dialogs) EXPECT_EQ(shown.rootFolder, std::nullopt);
    ExpectAllGivenBack(shell);
  }
}

}  // namespace
}  // namespace wumpex
