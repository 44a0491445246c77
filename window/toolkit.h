// The few operations of the classic form toolkit that the window code relies
// on, given their meaning in Qt: twips, self-sizing captions and modal
// message boxes.
#pragma once

#include <QMessageBox>
#include <QRect>
#include <QString>

class QLabel;
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

// Marks a label as sizing itself to its text: its top edge stays put, and its
// left edge, or its right edge where the label is right-aligned.
void SetAutoSize(QLabel* label);
// Sets a label's caption; a self-sizing label then takes the size of its text.
void SetCaption(QLabel* label, const QString& text);

// A modal box with one OK button; blocks until it is closed.
void ShowMessage(QWidget* parent, const QString& text, const QString& title,
                 QMessageBox::Icon icon);

}  // namespace plovatrix::win
