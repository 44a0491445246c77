// A whole-number up-down spinner: two arrow buttons, up above down.
#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace plovatrix::win {

class UpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY Change)

public:
    static constexpr int Minimum = 0;
    static constexpr int Maximum = 1000;

    explicit UpDown(QWidget* parent = nullptr);

    int value() const { return value_; }
    // Raises Change before returning, and only when the value really changes.
    void setValue(int value);

    // The label that shows what the value sets: a screen reader says it with
    // each value.
    QLabel* outcome() const { return outcome_; }
    void setOutcome(QLabel* label) { outcome_ = label; }

    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }

signals:
    void Change();
    // Once every Change handler has run, so what the new value sets is shown.
    void Settled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int value_ = 5;
    // What the wheel turned short of a whole step, in eighths of a degree.
    int wheelRest_ = 0;
    QLabel* outcome_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    // Lies over the arrows and draws the focus mark while the spinner has it;
    // the spinner's own repaint as its focus changes repaints it.
    QWidget* focusMark_;
};

}  // namespace plovatrix::win
