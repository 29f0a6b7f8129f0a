#pragma once
// The application object: its own hidden top-level window, which carries the title and owns
// every message box, the forms, the message loop and the display of errors.

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "platform/Desktop.h"

namespace wumpex {

// While it lives, the thread's visible and enabled top-level windows, but one, are
// disabled; afterwards exactly those are enabled again. Modal boxes and dialogs use it.
class TDisabledWindows {
 public:
  explicit TDisabledWindows(platform::Handle except = 0);
  ~TDisabledWindows();
  TDisabledWindows(const TDisabledWindows&) = delete;
  TDisabledWindows& operator=(const TDisabledWindows&) = delete;

 private:
  std::vector<platform::Handle> disabled_;
};

class TApplication : private platform::WidgetEvents {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // The application window's text: captions every message box of the program.
  std::string Title() const { return title_; }
  void SetTitle(const std::string& title);
  platform::Handle Handle() const { return window_->handle(); }
  // Hides the application window, so that the program has no task-bar button, and handles
  // every message already waiting.
  void HideApplicationWindow();

  // Builds a form; the first one built is the main form. An exception from the form's
  // construction passes to the caller and leaves no form behind.
  template <class T>
  T* CreateForm() {
    auto form = std::make_unique<T>();
    T* made = form.get();
    if (mainForm_ == nullptr) mainForm_ = made;
    forms_.push_back(std::move(form));
    return made;
  }
  TForm* MainForm() const { return mainForm_; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool show) { showMainForm_ = show; }

  // Runs the message loop until the quit message; returns its exit code.
  int Run();
  // Posts the quit message with exit code 0.
  void Terminate();
  bool Terminated() const { return terminated_; }

  // A message box owned by the application window. While it is up, the thread's other
  // windows are disabled; afterwards exactly those are enabled again and the window that
  // was active gets activation back.
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags);

  // Shows an exception that left an event handler: EAbort silently dropped, anything else
  // as its message and "." under the title, with the error icon.
  void HandleException(const std::exception& error);

 private:
  void closeRequested() override;

  std::unique_ptr<platform::Widget> window_;
  std::string title_;
  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
  bool showMainForm_ = true;
  bool terminated_ = false;
};

// The one application object of the process, while it exists.
extern TApplication* Application;

// The report for an exception that escaped start-up, made without the application object,
// which may be what failed; returns the exit code, 1.
int ShowLastResort(const std::exception& error);

// Runs an event handler; what escapes it goes to the application's exception display.
void GuardHandler(const std::function<void()>& handler);

}  // namespace wumpex
