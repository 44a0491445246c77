// A top-level window's place and outer size as the classic form knows them:
// where it opens, outer sizes in twips (frame and title bar included) set
// exactly with the top-left corner kept, and no maximize.
#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

namespace plovatrix::win {

// Where a window of the outer size `full` opens on a screen's available area:
// centred, or at the area's top left where it does not fit, so that a window
// growing to `full` never has to be moved back onto the screen.
QPoint OpeningPosition(const QRect& available, QSize full);

// What the classic sizeable frame and title bar add to the client area, in
// twips: the designed outer 14310 x 9450 holds the designed 14175 x 8805.
inline constexpr QSize ClassicFrame{135, 645};

// The client area, in pixels, of a window of the outer size given in twips
// with the frame drawn around it; where no frame is known (one drawn by a
// compositor the client cannot measure, or none at all), the client area the
// design has inside the classic frame.
QSize ClientArea(QSize outerTwips, QSize frame);

// Sets the outer size of `window` and keeps it so: the frame is learnt once
// the window is first framed (the size is set again then), and a maximize or
// full screen that the window manager or the toolkit's own title bar offers
// all the same is undone at once, back to the size and corner it had. The
// user may still drag the border.
class WindowGeometry : public QObject {
public:
    explicit WindowGeometry(QWidget* window);

    // Opens the window where it can grow to the outer size `largest` (twips)
    // unmoved. Under Wayland, where only the compositor places a window, by
    // the size of its first frame, the window shows that size until placed.
    void Open(QSize largest);
    void SetOuterSize(int widthTwips, int heightTwips);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitFrame();
    // Sets the client size; a window maximized or full screen is restored first.
    void Resize(QSize client);
    // The client area of the outer size last set.
    QSize Client() const;
    // A size the window took without being asked.
    void Resized();

    QWidget* window_;
    QSize outer_;         // in twips, as last set
    QSize placing_;       // the size shown until the compositor has placed the window
    bool drawn_ = false;  // the first frame at that size
    // What the frame adds to the client area in the normal state, once known.
    QSize frame_{0, 0};
    // The client size a new outer size left, until the window takes a size
    // it was not asked for: the compositor restating the one it knew before
    // it had seen ours (it does so with an activation), or the user's drag.
    QSize left_;
    bool settling_ = false;  // a size has been set since the event loop last ran
};

}  // namespace plovatrix::win
