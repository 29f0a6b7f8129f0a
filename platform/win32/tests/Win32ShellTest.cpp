// The mail link on the real system: its Copy menu and the clipboard, the hand cursor from
// the resources and the tip that shows its hint.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "components/UrlLabel.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/PopupMenu.h"
#include "framework/Screen.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/tests/TestSupport.h"

namespace platform::win32 {
namespace {

constexpr char kAddress[] = "wumpex@example.com";
constexpr char kHint[] = "Click here to send mail";

// The clipboard's text as any other program reads it, with the size of its memory block.
struct ClipboardText {
  std::string text;
  SIZE_T blockSize = 0;
};

std::optional<ClipboardText> readClipboard() {
  const OpenedClipboard clipboard(nullptr);
  if (!clipboard.isOpen()) return std::nullopt;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data == nullptr) return std::nullopt;
  const LockedMemory text(data);
  if (text.data() == nullptr) return std::nullopt;
  return ClipboardText{text.data(), GlobalSize(data)};
}

class Win32ShellTest : public ::testing::Test {
 protected:
  Win32ShellTest() {
    label->SetParent(&form);
    label->SetBounds({144, 264, 109, 13});
    label->SetURL(std::string("mailto:") + kAddress + "?subject=Wumpex! Correspondence");
    label->SetHint(kHint);
    label->SetShowHint(true);
    label->SetParentShowHint(false);
    form.CreateHandle();
  }

  HWND labelWindow() const { return toWindow(label->Peer()->handle()); }

  Win32Services services;
  wumpex::TApplication application;
  wumpex::TForm form{nullptr, "Form"};
  wumpex::TUrlLabel* label = form.Make<wumpex::TUrlLabel>("UrlLabel1");
};

TEST_F(Win32ShellTest, CopyReplacesWhatTheClipboardHeldWithTheCaption) {
  for (const char* caption : {kAddress, ""}) {
    SCOPED_TRACE(std::string("caption \"") + caption + "\"");
    label->SetCaption(caption);
    label->PopupMenu()->Items().at(0)->Click();
    const std::optional<ClipboardText> read = readClipboard();
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->text, caption);
    EXPECT_GE(read->blockSize, std::string(caption).size() + 1) << "the text ends in its zero";
    EXPECT_EQ(services.shell.clipboardText(application.Handle()), caption);
  }
}

TEST_F(Win32ShellTest, TheHandComesFromTheResourcesAndShowsOverTheLabelOnly) {
  const auto hand = reinterpret_cast<HCURSOR>(wumpex::Screen().Cursors(wumpex::crHand));
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(hand, LoadCursorA(GetModuleHandleA(nullptr), "HAND"));

  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  const UniqueBitmap mask(info.hbmMask);
  const UniqueBitmap colour(info.hbmColor);
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 1u);
  EXPECT_FALSE(colour) << "monochrome: the mask holds both halves";
  BITMAP bits{};
  ASSERT_NE(GetObjectA(mask.get(), sizeof bits, &bits), 0);
  EXPECT_EQ(bits.bmWidth, 32);
  EXPECT_EQ(bits.bmHeight, 64);

  // The static control asks its parent which cursor to show.
  HWND parent = GetParent(labelWindow());
  SetCursor(nullptr);
  EXPECT_TRUE(SendMessageA(parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(labelWindow()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), hand);
  EXPECT_FALSE(SendMessageA(parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(parent),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)))
      << "the form leaves its cursor to the system";
}

TEST_F(Win32ShellTest, ATipShowsTheHintForTheLabel) {
  HWND tip = testing::windowOfProcess(GetCurrentProcessId(), TOOLTIPS_CLASSA);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  char text[80] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = GetParent(labelWindow());
  tool.uId = reinterpret_cast<UINT_PTR>(labelWindow());
  tool.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, kHint);
}

}  // namespace
}  // namespace platform::win32
