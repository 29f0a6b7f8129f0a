#include "framework/Application.h"

#include <cstdint>
#include <cstdio>

#include "framework/Exceptions.h"

namespace wumpex {

TApplication* Application = nullptr;

namespace {

std::string BaseName(const std::string& path) {
  auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TApplication::TApplication()
    : window_(platform::desktop().createWidget(platform::WidgetKind::ApplicationWindow, nullptr, {},
                                               *this)) {
  // Until the program names itself, the title is the program file's name.
  std::string name = BaseName(platform::desktop().moduleFileName());
  SetTitle(name.substr(0, name.find_last_of('.')));
  Application = this;
}

TApplication::~TApplication() {
  while (!forms_.empty()) forms_.pop_back();
  if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  window_->setText(title_);
}

void TApplication::HideApplicationWindow() {
  platform::desktop().hideWindow(Handle());
  platform::desktop().processMessages();
}

int TApplication::Run() {
  if (showMainForm_ && mainForm_ != nullptr) mainForm_->Show();
  int code = platform::desktop().runMessageLoop();
  terminated_ = true;
  return code;
}

void TApplication::Terminate() {
  platform::desktop().postQuit(0);
}

void TApplication::closeRequested() {
  Terminate();
}

TDisabledWindows::TDisabledWindows(platform::Handle except) {
  platform::Desktop& d = platform::desktop();
  for (platform::Handle w : d.threadWindows()) {
    if (w != except && d.isWindowVisible(w) && d.isWindowEnabled(w)) {
      d.enableWindow(w, false);
      disabled_.push_back(w);
    }
  }
}

TDisabledWindows::~TDisabledWindows() {
  for (platform::Handle w : disabled_) platform::desktop().enableWindow(w, true);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  platform::Desktop& d = platform::desktop();
  const platform::Handle active = d.activeWindow();
  int answer = 0;
  {
    const TDisabledWindows disabled;
    answer = d.messageBox(Handle(), text, caption, flags);
  }
  d.setActiveWindow(active);
  return answer;
}

void TApplication::HandleException(const std::exception& error) {
  platform::Desktop& d = platform::desktop();
  if (platform::Handle capture = d.captureWindow(); capture != 0) d.cancelMode(capture);
  if (dynamic_cast<const EAbort*>(&error) != nullptr) return;
  // The title as the application window reads it, at most 255 characters.
  MessageBox(std::string(error.what()) + ".", title_.substr(0, 255),
             platform::mb::kOk | platform::mb::kIconError);
}

int ShowLastResort(const std::exception& error) {
  const auto* known = dynamic_cast<const Exception*>(&error);
  const std::string className = known != nullptr ? known->ClassName() : "Exception";
  const std::string module = BaseName(platform::desktop().moduleFileName()).substr(0, 63);
  char address[2 * sizeof(void*) + 1];
  std::snprintf(address, sizeof address, "%0*jX", static_cast<int>(2 * sizeof(void*)),
                static_cast<std::uintmax_t>(reinterpret_cast<std::uintptr_t>(
                    known != nullptr ? known->Address() : nullptr)));
  std::string message = error.what();
  if (!message.empty() && message.back() != '.') message += '.';
  std::string text =
      "Exception " + className + " in module " + module + " at " + address + ".\n" + message;
  platform::desktop().messageBox(0, text, "Application Error",
                                 platform::mb::kTaskModal | platform::mb::kIconError);
  return 1;
}

void GuardHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    if (Application == nullptr) throw;
    Application->HandleException(error);
  }
}

}  // namespace wumpex
