#include "app/Program.h"

#include "app/WumpexProps.h"
#include "framework/Application.h"

namespace wumpex {

int RunWumpex() {
  TApplication application;
  // The program never has a task-bar button: the application window stays hidden.
  application.HideApplicationWindow();
  application.SetTitle(kProgramTitle);
  try {
    application.CreateForm<TWumpexForm>();
  } catch (const std::exception& error) {
    return application.ShowLastResort(error);
  }
  application.SetShowMainForm(false);
  return application.Run();
}

}  // namespace wumpex
