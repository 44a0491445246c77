// The splash window: the product's name and version, until the user presses a
// key or clicks its frame and so asks for the main window.
#pragma once

#include <QWidget>

class QFrame;

namespace plovatrix::win {
class ClassicLabel;
}  // namespace plovatrix::win

class frmSplash : public QWidget {
    Q_OBJECT

public:
    // Building the window loads it: Form_Load runs before the constructor returns.
    explicit frmSplash(QWidget* parent = nullptr);

    // Unload, also from inside one of our own handlers further up the stack.
    void Unload();

signals:
    // Our first frame is on screen: the user reads it, and there is idle time.
    void FirstFrameShown();
    // The hand-over: we have hidden ourselves; show the main window now.
    // clickTime is the event time of the click that asked, 0 for a key.
    void HandOverAsked(ulong clickTime);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_KeyPress(char16_t& KeyAscii);
    void Frame1_Click(ulong clickTime);
    void HandOver(ulong clickTime);

    QFrame* Frame1;
    plovatrix::win::ClassicLabel* lblLicenseTo;
    QWidget* imgLogo;
    plovatrix::win::ClassicLabel* lblProductName;
    plovatrix::win::ClassicLabel* lblPlatform;
    plovatrix::win::ClassicLabel* lblVersion;
    QFrame* Line1;
    plovatrix::win::ClassicLabel* lblWarning;

    // Events already queued for us may still arrive between the hand-over and
    // our deferred deletion; they must not ask twice.
    bool handedOver_ = false;
    bool shown_ = false;
};
