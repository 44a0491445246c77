// The few operations of the classic form toolkit that the window code relies
// on, given their meaning in Qt: twips, self-sizing captions and modal
// message boxes.
#pragma once

#include <QLabel>
#include <QMessageBox>
#include <QRect>
#include <QString>

#include "colours.h"

class QWidget;

namespace plovatrix::win {

// Layouts are given in twips: 15 to a logical pixel at 96 dpi.
inline constexpr int TwipsPerPixel = 15;
constexpr int Px(int twips) {
    return (twips + (twips >= 0 ? TwipsPerPixel / 2 : -TwipsPerPixel / 2)) / TwipsPerPixel;
}
inline QRect TwipsRect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

// A label as the classic form has it. It may size itself to its text: its top
// edge stays put, and its left edge, or its right edge where it is
// right-aligned. A value label knows the caption label before it on its line.
class ClassicLabel : public QLabel, public OleColoured {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // Sizes the label to its text, now and whenever its caption is set.
    void SetAutoSize();
    // Sets the label's caption, its text; a self-sizing label takes its size.
    void SetCaption(const QString& text);

    ClassicLabel* captionLabel() const { return captionLabel_; }
    void setCaptionLabel(ClassicLabel* caption) { captionLabel_ = caption; }

private:
    void SizeToText();

    bool autoSize_ = false;
    ClassicLabel* captionLabel_ = nullptr;
};

// A modal box with one OK button; blocks until it is closed.
void ShowMessage(QWidget* parent, const QString& text, const QString& title,
                 QMessageBox::Icon icon);

}  // namespace plovatrix::win
