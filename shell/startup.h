// The program's start-up, the one place where the splash and the main window meet.
#pragma once

#include <QObject>
#include <QPointer>

class QApplication;
class frmSplash;
class frmmain;

namespace plovatrix::app {

// Applies the application's name and version and opens the splash. In the idle
// time after the splash's first frame it builds frmmain, hidden; at the
// hand-over it shows it, which loads it, and its load unloads the splash.
// Closing frmmain ends the program. Whatever window is left goes with us.
class StartUp : public QObject {
public:
    explicit StartUp(QApplication& app);
    ~StartUp() override;

    frmSplash* splash() const;
    frmmain* main() const;

private:
    void BuildMain();
    void HandOver(ulong clickTime);

    QPointer<frmSplash> splash_;
    QPointer<frmmain> main_;
};

}  // namespace plovatrix::app
