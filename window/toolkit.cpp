#include "toolkit.h"

#include <QLabel>
#include <QWidget>

#include "waylanddialog.h"

namespace plovatrix::win {

void ClassicLabel::SetAutoSize() {
    autoSize_ = true;
    SizeToText();
}

void ClassicLabel::SetCaption(const QString& text) {
    setText(text);
    if (autoSize_) {
        SizeToText();
    }
}

void ClassicLabel::SizeToText() {
    // A right-aligned label keeps its right edge, any other its left edge.
    const int right = geometry().right();
    resize(sizeHint());
    if (alignment() & Qt::AlignRight) {
        move(right - width() + 1, y());
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
