#include "updown.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

#include "focusmark.h"

namespace plovatrix::win {

namespace {

// The arrows cover the whole spinner, so its focus mark is drawn on a layer
// above them that lets every click through.
class FocusMark : public QWidget {
public:
    explicit FocusMark(QWidget* spinner) : QWidget(spinner) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (parentWidget()->hasFocus()) {
            QPainter painter(this);
            DrawFocusMark(painter, rect().adjusted(2, 2, -2, -2),
                          palette().color(QPalette::ButtonText));
        }
    }
};

}  // namespace

UpDown::UpDown(QWidget* parent)
    : QWidget(parent),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      focusMark_(new FocusMark(this)) {
    setFocusPolicy(Qt::StrongFocus);
    up_->setObjectName("upArrow");
    down_->setObjectName("downArrow");
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->installEventFilter(this);
    }
    connect(up_, &QToolButton::clicked, this, [this] { setValue(value_ + 1); });
    connect(down_, &QToolButton::clicked, this, [this] { setValue(value_ - 1); });
}

void UpDown::setValue(int value) {
    value = std::clamp(value, Minimum, Maximum);
    if (value == value_) {
        return;
    }
    value_ = value;
    emit Change();
    emit Settled();
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        setValue(value_ + 1);
    } else if (event->key() == Qt::Key_Down) {
        setValue(value_ - 1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void UpDown::wheelEvent(QWheelEvent* event) {
    // A notch of the wheel (120 eighths of a degree) is one step, as on the
    // arrows, whether we have the focus or not; a touchpad's smaller turns add
    // up to it. Each step is a change of its own.
    wheelRest_ += event->angleDelta().y();
    const int steps = wheelRest_ / 120;
    wheelRest_ -= steps * 120;
    for (int i = 0; i < qAbs(steps); ++i) {
        setValue(value_ + (steps > 0 ? 1 : -1));
    }
    event->accept();
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    // A turn over an arrow, or over a box that shows our value, is ours however
    // it was sent: Qt passes an unhandled wheel event on to the parent only
    // when it came from the platform.
    if (event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
    focusMark_->setGeometry(rect());
    focusMark_->raise();
}

}  // namespace plovatrix::win
