// The classic controls whose behaviour Qt's own widgets do not give: the
// push button, the frame, the pick-only list and the text box.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "colours.h"

class QAbstractButton;
class QPainter;

namespace plovatrix::win {

// A push button painted as the classic form paints it, whatever the style:
// its face is the palette's Button colour, raised, or sunken while pressed or
// checked; an icon, when it has one, stands above the caption. Its access key
// takes the focus and clicks at once, and Return or Enter click a command
// button as Space does.
class ClassicButton : public QPushButton, public OleColoured {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// Sets the face colour of a button (for ClassicButton, what its face shows),
// an OLE colour; the caption keeps the theme's button text, readable on it.
void SetFaceColour(QAbstractButton* button, quint32 colour);

// A frame drawn the classic way: an etched border whose top edge runs
// through the middle of the caption. Its contents are placed from its own
// top-left corner, caption included, as the layout gives them.
class ClassicFrame : public QGroupBox {
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A pick-only drop-down list: it opens below its box, shows its focus however
// it got it, and the wheel picks only while the list has the focus.
class DropDownList : public QComboBox {
    Q_OBJECT

public:
    explicit DropDownList(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

// The one routine the input fields share: selects the whole text.
void SelectAllText(QLineEdit* box);

// A text box that, like the classic edit control, selects nothing by itself
// when it gets the focus, unless told to select all of it: then each move of
// the focus into it selects the whole text, so typing replaces it. Where the
// style's frame and padding leave less room for the text than the classic
// frame and margins would (up to six characters), it draws those instead.
class TextBox : public QLineEdit, public OleColoured {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    void setSelectAllOnFocus(bool on) { selectAllOnFocus_ = on; }

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Chooses the style's frame or the classic one for the current style,
    // font and width.
    void FitFrame();

    bool classicFrame_ = false;
    bool fitting_ = false;
    QMargins styleMargins_;  // what the style's polish gave
    QMargins ours_;          // what we set last
    bool selectAllOnFocus_ = false;
    // The click that brought the focus put the caret where it landed.
    bool selectOnRelease_ = false;
};

}  // namespace plovatrix::win
