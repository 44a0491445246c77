#include "classiccontrols.h"

#include <qdrawutil.h>
#include <QFocusEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace plovatrix::win {

ClassicButton::ClassicButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void ClassicButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    const bool sunken = isDown() || isChecked();
    const QBrush face = pal.brush(QPalette::Button);
    qDrawWinButton(&painter, rect(), pal, sunken, &face);

    // A pressed face moves its contents down and right by one pixel.
    QRect inner = rect().adjusted(3, 3, -3, -3);
    if (sunken) {
        inner.translate(1, 1);
    }
    const QFontMetrics metrics(font());
    QRect textRect = inner;
    if (!icon().isNull()) {
        const QSize size = iconSize().expandedTo(QSize(32, 32)).boundedTo(inner.size());
        const int gap = 2;
        const int block = size.height() + gap + metrics.height();
        const int top = inner.top() + std::max(0, (inner.height() - block) / 2);
        const QRect iconRect(inner.left() + (inner.width() - size.width()) / 2, top, size.width(),
                             size.height());
        icon().paint(&painter, iconRect, Qt::AlignCenter,
                     isEnabled() ? QIcon::Normal : QIcon::Disabled);
        textRect =
            QRect(inner.left(), iconRect.bottom() + 1 + gap, inner.width(), metrics.height());
    }
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this)) {
        flags |= Qt::TextHideMnemonic;
    }
    style()->drawItemText(&painter, textRect, flags, pal, isEnabled(), text(),
                          QPalette::ButtonText);

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = inner.adjusted(1, 1, -1, -1);
        option.backgroundColor = face.color();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void SetFaceColour(QAbstractButton* button, const QColor& colour) {
    QPalette pal = button->palette();
    pal.setColor(QPalette::Button, colour);
    button->setPalette(pal);
}

ClassicFrame::ClassicFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void ClassicFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int middle = metrics.height() / 2;
    qDrawShadeRect(&painter, rect().adjusted(0, middle, 0, 0), palette(), true, 1);

    // The caption sits on the border, on the frame's own background.
    const int indent = 6;
    const QString caption = title();
    QRect captionRect(indent, 0, metrics.horizontalAdvance(caption) + 4, metrics.height());
    captionRect = captionRect.intersected(rect().adjusted(0, 0, -indent, 0));
    painter.fillRect(captionRect, palette().color(backgroundRole()));
    style()->drawItemText(&painter, captionRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                          isEnabled(), caption, QPalette::WindowText);
}

TextBox::TextBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {}

void TextBox::focusInEvent(QFocusEvent* event) {
    // Qt selects everything when the focus comes by Tab or a shortcut; hand
    // it a neutral reason then, which keeps any selection made by a focus
    // handler and adds none of its own.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason) {
        QFocusEvent neutral(QEvent::FocusIn, Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&neutral);
        return;
    }
    QLineEdit::focusInEvent(event);
}

}  // namespace plovatrix::win
