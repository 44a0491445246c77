// The splash window: the product's name and version, until the user presses a
// key or clicks its frame, which hands over to the main window frmmain.
#pragma once

#include <QWidget>

class QFrame;
class QLabel;

class frmSplash : public QWidget {
    Q_OBJECT

public:
    // Building the window loads it: Form_Load runs before the constructor returns.
    explicit frmSplash(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_KeyPress(char16_t& KeyAscii);
    void Frame1_Click();
    void HandOver();

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
};
