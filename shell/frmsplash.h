// The splash window: the product's name and version, until the user presses a
// key or clicks its frame, which hands over to the main window frmmain.
#pragma once

#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;
class frmmain;

class frmSplash : public QWidget {
    Q_OBJECT

public:
    // Building the window loads it: Form_Load runs before the constructor returns.
    explicit frmSplash(QWidget* parent = nullptr);
    // A main window built ahead and never handed over goes with the splash.
    ~frmSplash() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_KeyPress(char16_t& KeyAscii);
    void Frame1_Click();
    void HandOver();
    void BuildMain();

    QFrame* Frame1;
    QLabel* lblLicenseTo;
    QWidget* imgLogo;
    QLabel* lblProductName;
    QLabel* lblPlatform;
    QLabel* lblVersion;
    QFrame* Line1;
    QLabel* lblWarning;

    // Events already queued for us may still arrive between the hand-over and
    // our deferred deletion; they must not open a second main window.
    bool handedOver_ = false;
    // frmmain, built hidden in the idle time after our first paint so that the
    // hand-over only loads and shows it.
    QPointer<frmmain> main_;
    bool painted_ = false;
};
