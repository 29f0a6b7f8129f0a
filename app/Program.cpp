#include "app/Program.h"

#include "app/WumpexProps.h"
#include "framework/Application.h"

namespace wumpex {

// Whatever fails before the message loop, the application object's own window included,
// ends in the last-resort report.
int RunWumpex() {
  try {
    TApplication application;
    // The program never has a task-bar button: the application window stays hidden.
    application.HideApplicationWindow();
    application.SetTitle(kProgramTitle);
    application.CreateForm<TWumpexForm>();
    application.SetShowMainForm(false);
    return application.Run();
  } catch (const std::exception& error) {
    return ShowLastResort(error);
  }
}

}  // namespace wumpex
