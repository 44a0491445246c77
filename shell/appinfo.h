// The application object's name and version, as the rest of the shell uses them.
#pragma once

#include <QString>

class QApplication;

namespace plovatrix::app {

// "1.0.0": Major, Minor and Revision in plain decimal.
QString VersionText();

// Hands the name, version, desktop id and icon to the running application, so
// that window titles, the desktop shell and --version-style queries agree.
void ApplyApplicationInfo(QApplication& app);

}  // namespace plovatrix::app
