// The main window: pattern selection, the 4-point strip, Analyze and the two
// result panels.
#pragma once

#include <QWidget>

class frmmain : public QWidget {
    Q_OBJECT

public:
    // Building the window loads it: Form_Load runs before the constructor returns.
    explicit frmmain(QWidget* parent = nullptr);

private:
    void Form_Load();
};
