#include "toolkit.h"

#include <QLabel>
#include <QWidget>

namespace plovatrix::win {

void SetAutoSize(QLabel* label) {
    label->setProperty("autoSize", true);
    label->adjustSize();
}

void SetCaption(QLabel* label, const QString& text) {
    label->setText(text);
    if (label->property("autoSize").toBool()) {
        label->resize(label->sizeHint());
    }
}

void ShowMessage(QWidget* parent, const QString& text, const QString& title,
                 QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
    // Hand the activation back, so the focus returns to the field that had it
    // also where no window manager does that for us.
    if (parent) {
        parent->window()->activateWindow();
    }
}

}  // namespace plovatrix::win
