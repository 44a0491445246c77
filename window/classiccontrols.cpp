#include "classiccontrols.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QWheelEvent>

#include <algorithm>

#include "focusmark.h"

namespace plovatrix::win {

bool ClassicButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (!shortcut->isAmbiguous() && shortcut->key() == QKeySequence::mnemonic(text())) {
            // The access key takes the focus and clicks now, before any key
            // typed after it; Qt's own click would come 100 ms later and leave
            // the focus where it was.
            if (focusPolicy() & Qt::TabFocus) {
                setFocus(Qt::ShortcutFocusReason);
            }
            click();
            return true;
        }
    }
    return QPushButton::event(event);
}

void ClassicButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (!isCheckable() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

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
        DrawFocusMark(painter, inner.adjusted(1, 1, -1, -1), pal.color(QPalette::ButtonText));
    }
}

void SetFaceColour(QAbstractButton* button, quint32 colour) {
    SetOleColour(button, QPalette::Button, colour);
    SetOleColour(button, QPalette::ButtonText, SystemColour::ButtonText);
}

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

namespace {

// The classic edit control's sunken edge, and the gap inside it before the
// text; the toolkit's line edit keeps 2 pixels of its own each side.
constexpr int ClassicEdge = 2, ClassicGap = 1, OwnMargin = 2;

// The toolkit's own look for the list, except that it drops down below its
// box instead of opening over the current entry, and shows its focus also
// when a click gave it.
class DropDownStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
        if (control == CC_ComboBox && combo && (combo->state & State_HasFocus)) {
            QStyleOptionComboBox focused = *combo;
            focused.state |= State_KeyboardFocusChange;
            QProxyStyle::drawComplexControl(control, &focused, painter, widget);
            return;
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

}  // namespace

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
    // One style for every list, living as long as the application.
    static QPointer<DropDownStyle> style;
    if (!style) {
        style = new DropDownStyle(QApplication::style()->name());
        style->setParent(qApp);
    }
    setStyle(style);
    // The wheel never takes the focus.
    setFocusPolicy(Qt::StrongFocus);
}

void DropDownList::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void SelectAllText(QLineEdit* box) {
    box->setSelection(0, int(box->text().size()));
}

bool TextBox::event(QEvent* event) {
    const bool handled = QLineEdit::event(event);
    switch (event->type()) {
        case QEvent::Polish:
        case QEvent::StyleChange:
            // The margins a style's polish gives the box are part of its padding.
            if (textMargins() != ours_) {
                styleMargins_ = textMargins();
            }
            FitFrame();
            break;
        case QEvent::FontChange:
        case QEvent::Resize:
            FitFrame();
            break;
        default:
            break;
    }
    return handled;
}

void TextBox::FitFrame() {
    if (fitting_) {
        return;  // the frame and margins set below raise events of their own
    }
    fitting_ = true;
    const auto contents = [this] {
        QStyleOptionFrame option;
        initStyleOption(&option);
        return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    };
    setFrame(true);
    ours_ = styleMargins_;
    setTextMargins(ours_);
    const int styleRoom =
        contents().width() - styleMargins_.left() - styleMargins_.right() - 2 * OwnMargin;
    const int classicRoom = width() - 2 * (ClassicEdge + ClassicGap + OwnMargin);
    // The widest six characters a field takes, and the caret's pixel.
    const int six = QFontMetrics(font()).horizontalAdvance(QString(6, QLatin1Char('0'))) + 1;
    classicFrame_ = styleRoom < std::min(six, classicRoom);
    if (classicFrame_) {
        // Whatever the style still keeps clear inside a bare box counts
        // towards the classic margins.
        setFrame(false);
        const QRect bare = contents();
        const int inset = ClassicEdge + ClassicGap - OwnMargin;
        ours_ = QMargins(std::max(0, inset - bare.left()), 0,
                         std::max(0, inset - (width() - 1 - bare.right())), 0);
        setTextMargins(ours_);
    }
    fitting_ = false;
}

void TextBox::paintEvent(QPaintEvent* event) {
    if (!classicFrame_) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(QPalette::Base));
    painter.end();
    QLineEdit::paintEvent(event);
    QPainter edge(this);
    qDrawWinPanel(&edge, rect(), palette(), true);
}

void TextBox::focusInEvent(QFocusEvent* event) {
    // Qt selects everything when the focus comes by Tab or a shortcut; hand
    // it a neutral reason then, which adds no selection of its own.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason) {
        QFocusEvent neutral(QEvent::FocusIn, Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&neutral);
    } else {
        QLineEdit::focusInEvent(event);
    }
    // Coming back to the window, or from a popup, is no move of the focus:
    // the caret and the selection stay as the user left them.
    if (selectAllOnFocus_ && reason != Qt::ActiveWindowFocusReason &&
        reason != Qt::PopupFocusReason) {
        SelectAllText(this);
        selectOnRelease_ = reason == Qt::MouseFocusReason;
    }
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (selectOnRelease_) {
        selectOnRelease_ = false;
        SelectAllText(this);
    }
}

}  // namespace plovatrix::win
