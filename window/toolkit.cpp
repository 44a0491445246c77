#include "toolkit.h"

#include <QLabel>
#include <QWidget>

#include "waylanddialog.h"

namespace plovatrix::win {

namespace {

// A right-aligned label keeps its right edge, any other its left edge.
void SizeToText(QLabel* label) {
    const int right = label->geometry().right();
    label->resize(label->sizeHint());
    if (label->alignment() & Qt::AlignRight) {
        label->move(right - label->width() + 1, label->y());
    }
}

}  // namespace

void SetAutoSize(QLabel* label) {
    label->setProperty("autoSize", true);
    SizeToText(label);
}

void SetCaption(QLabel* label, const QString& text) {
    label->setText(text);
    if (label->property("autoSize").toBool()) {
        SizeToText(label);
    }
}

void ShowMessage(QWidget* parent, const QString& text, const QString& title,
                 QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    MarkModalDialog(&box);
    box.exec();
    // Hand the activation back, so the focus returns to the field that had it
    // also where no window manager does that for us.
    if (parent) {
        parent->window()->activateWindow();
    }
}

}  // namespace plovatrix::win
