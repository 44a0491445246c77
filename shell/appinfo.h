// The application object's name and version, as the rest of the shell uses them.
#pragma once

#include <QString>

class QApplication;
class QWidget;

namespace plovatrix::app {

// "1.0.0": Major, Minor and Revision in plain decimal.
QString VersionText();

// Hands the name, version, desktop id and icon to the running application, so
// that window titles, the desktop shell and --version-style queries agree.
void ApplyApplicationInfo(QApplication& app);

// The program's start-up: the application's name and version, then the splash,
// which opens first and hands over to the main window. Returns the splash.
QWidget* StartUp(QApplication& app);

}  // namespace plovatrix::app
