#pragma once
// The program's desktop on Windows.

#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace platform::win32 {

class Win32Desktop final : public Desktop {
 public:
  Win32Desktop();

  std::unique_ptr<Widget> createWidget(WidgetKind kind, Widget* parent, const WidgetStyle& style,
                                       WidgetEvents& events) override;
  std::unique_ptr<PopupMenuPeer> createPopupMenu() override;
  std::unique_ptr<TimerWindow> createTimerWindow(TimerEvents& events) override;
  std::unique_ptr<MessageWindow> createMessageWindow(MessageEvents& events, bool topLevel) override;
  bool postMessage(Handle window, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;
  unsigned registerWindowMessage(const std::string& name) override;

  std::vector<Handle> threadWindows() override;
  bool isWindowVisible(Handle window) override;
  bool isWindowEnabled(Handle window) override;
  void enableWindow(Handle window, bool enable) override;
  Handle activeWindow() override;
  void setActiveWindow(Handle window) override;
  Handle captureWindow() override;
  void cancelMode(Handle window) override;
  void hideWindow(Handle window) override;

  int messageBox(Handle owner, const std::string& text, const std::string& caption,
                 unsigned flags) override;

  int runMessageLoop() override;
  void processMessages() override;
  void runModalLoop(const std::function<bool()>& done) override;
  void postQuit(int exitCode) override;

  Handle topWindow() override;
  Handle nextWindow(Handle window) override;
  std::string windowText(Handle window, int count) override;

  void setScreenCursor(int slot) override;
  CursorHandle loadCursor(const std::string& resourceName) override;

  Size measureText(const std::string& text, const Font& font, unsigned flags, int width) override;

  TimeOfDay utcTimeOfDay() override;
  std::int64_t wallClock() override;
  TimeOfDay localTimeAt(std::int64_t wallSeconds) override;
  std::optional<FrontWindow> frontWindow() override;
  bool shellReportsBusy() override;
  std::string moduleFileName() override;
};

}  // namespace platform::win32
