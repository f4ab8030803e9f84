// bin/launcher: the launcher window; its creation-complete event runs the update check.
// Closing the window ends the process.
#include <QApplication>

#include "launcher/launcher_window.h"
#include "platform/process.h"
#include "platform/window.h"

int main() {
  QApplication& application = mozhou::ui::EnsureApplication();
  // While a plug-in's window is open the launcher window is hidden; the process must not
  // end when that plug-in window closes, so ending is left to the launcher window's close.
  application.setQuitOnLastWindowClosed(false);

  mozhou::launcher::Launcher launcher(mozhou::launcher::LauncherPlaces_Default());
  launcher.Show();
  mozhou::process::End(application.exec());
}
