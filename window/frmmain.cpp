#include "frmmain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>
#include <QWindow>

#include "classiccontrols.h"
#include "display.h"
#include "formbuilder.h"
#include "icons.h"
#include "numbers.h"
#include "toolkit.h"
#include "updown.h"

using namespace plovatrix;
using namespace plovatrix::win;

namespace {

// The three outer window sizes, in twips.
constexpr int StripWidth = 14310;
constexpr int CompactWidth = 2565;
constexpr int StripHeight = 2370;
constexpr int FullHeight = 9450;

constexpr quint32 SelectedFace = 255;  // red
constexpr quint32 ButtonFace = 0x8000000F;

// The one routine the fields share: select the whole text.
void SelectAllText(QLineEdit* box) {
    box->setSelection(0, int(box->text().size()));
}

std::string Text(const QLineEdit* box) {
    return box->text().toStdString();
}

}  // namespace

frmmain::frmmain(QWidget* parent, Loading loading)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("frmmain");
    setWindowTitle("Plovatrix");
    setWindowIcon(AppIcon());
    BuildMainControls(this);

    chk4p = Control<QAbstractButton>("chk4p");
    chk5p = Control<QAbstractButton>("chk5p");
    cmdana = Control<QAbstractButton>("cmdana");
    frame4 = Control<QGroupBox>("frame4");
    Frame5 = Control<QGroupBox>("Frame5");
    txta4 = Control<QLineEdit>("txta4");
    txtb4 = Control<QLineEdit>("txtb4");
    txtc4 = Control<QLineEdit>("txtc4");
    txtab4 = Control<QLineEdit>("txtab4");
    txtbc4 = Control<QLineEdit>("txtbc4");
    txttol4 = Control<QLineEdit>("txttol4");
    txtts1 = Control<QLineEdit>("txtts1");
    txtts2 = Control<QLineEdit>("txtts2");
    lblb4 = Control<QLabel>("lblb4");
    noma1 = Control<QLabel>("noma1");
    noma2 = Control<QLabel>("noma2");
    sl1 = Control<QLabel>("sl1");
    sl2 = Control<QLabel>("sl2");
    cmbpoint = Control<QComboBox>("cmbpoint");
    pic1 = Control<QWidget>("pic1");
    pic2 = Control<QWidget>("pic2");
    ud1 = Control<UpDown>("ud1");
    ud2 = Control<UpDown>("ud2");
    for (QLabel* label : findChildren<QLabel*>()) {
        labels_.insert(label->objectName(), label);
    }

    // A box's value set from code to a different value runs its click handler
    // before the setting returns, exactly as a user's click does.
    connect(chk4p, &QAbstractButton::toggled, this, &frmmain::chk4p_Click);
    connect(chk5p, &QAbstractButton::toggled, this, &frmmain::chk5p_Click);
    connect(cmdana, &QAbstractButton::clicked, this, &frmmain::cmdana_Click);
    connect(cmbpoint, &QComboBox::activated, this, &frmmain::cmbpoint_Click);
    connect(ud1, &UpDown::Change, this, &frmmain::ud1_Change);
    connect(ud2, &UpDown::Change, this, &frmmain::ud2_Change);
    connect(txtb4, &QLineEdit::textChanged, this, &frmmain::txtb4_Change);
    for (QLineEdit* box : {txta4, txtb4, txtc4, txtab4, txtbc4, txttol4}) {
        box->installEventFilter(this);
    }
    // Focus moves are caught before they are delivered, wherever they aim.
    qApp->installEventFilter(this);

    if (loading == Loading::Now) {
        Form_Load();
    }
}

frmmain::~frmmain() {
    qApp->removeEventFilter(this);
}

template <typename T>
T* frmmain::Control(const char* name) const {
    T* control = findChild<T*>(QString::fromLatin1(name));
    if (!control) {
        qFatal("frmmain: the layout has no control %s", name);
    }
    return control;
}

void frmmain::SetSize(int widthTwips, int heightTwips) {
    outerSize_ = QSize(widthTwips, heightTwips);
    SetOuterSize(this, widthTwips, heightTwips);
}

void frmmain::setVisible(bool visible) {
    if (visible && !loaded_) {
        Form_Load();
    }
    QWidget::setVisible(visible);
    FitFrame();
}

void frmmain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FitFrame();
}

void frmmain::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    FitFrame();
}

void frmmain::FitFrame() {
    // The frame is known only once the window is framed: where the toolkit
    // draws it (Wayland), as soon as the window is shown, before its first
    // frame; where a window manager draws it (X11), when that moves the window.
    // The outer size is set again then.
    if (!frameFitted_ && isVisible() && frameGeometry().size() != geometry().size()) {
        frameFitted_ = true;
        SetSize(outerSize_.width(), outerSize_.height());
    }
}

void frmmain::Form_Load() {
    loaded_ = true;
    SetSize(CompactWidth, StripHeight);
    noma1->setVisible(true);
    noma2->setVisible(true);
    ud1->setValue(5);
    ud2->setValue(5);
    txtts1->setText(QString::number(ud1->value()));
    txtts2->setText(QString::number(ud2->value()));

    // The splash, when it opened first, is unloaded once we are loaded. Its own
    // handler is still running further up the stack, hence deleteLater.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmSplash")) {
            w->hide();
            w->deleteLater();
        }
    }
}

void frmmain::chk4p_Click() {
    if (chk4p->isChecked()) {
        chk5p->setChecked(false);
        SetFaceColour(chk5p, ButtonFace);
        SetFaceColour(chk4p, SelectedFace);
        SetSize(StripWidth, StripHeight);
        frame4->setVisible(true);
        Frame5->setVisible(false);
    } else {
        SetFaceColour(chk4p, ButtonFace);
        frame4->setVisible(false);
        SetSize(CompactWidth, StripHeight);
    }
}

void frmmain::chk5p_Click() {
    if (chk5p->isChecked()) {
        frame4->setVisible(false);
        Frame5->setVisible(true);
        chk4p->setChecked(false);
        SetFaceColour(chk5p, SelectedFace);
        SetFaceColour(chk4p, ButtonFace);
        SetSize(StripWidth, StripHeight);
    } else {
        SetFaceColour(chk5p, ButtonFace);
        SetSize(CompactWidth, StripHeight);
        Frame5->setVisible(false);
    }
}

void frmmain::cmbpoint_Click() {
    PipSize_ = LeadingNumber(cmbpoint->currentText().toStdString());
}

void frmmain::StopLabel(UpDown* spinner, QLineEdit* distance, QLabel* stop, bool bullish) {
    distance->setText(QString::number(spinner->value()));
    const std::string text =
        StopLossText(PriceD_, spinner->value(), PipSize_,
                     bullish ? PatternDirection::Bullish : PatternDirection::Bearish,
                     QLocale().decimalPoint().toStdString());
    SetCaption(stop, QString::fromStdString(text));
}

void frmmain::ud1_Change() {
    StopLabel(ud1, txtts1, sl1, true);
}
void frmmain::ud2_Change() {
    StopLabel(ud2, txtts2, sl2, false);
}

void frmmain::txtb4_Change() {
    SetCaption(lblb4, txtb4->text());
}

void frmmain::cmdana_Click() {
    ud1->setValue(5);
    txtts1->setText(QString::number(ud1->value()));
    ud2->setValue(5);
    txtts2->setText(QString::number(ud2->value()));
    noma1->setVisible(true);
    noma2->setVisible(true);

    const FieldTexts fields{Text(txta4),
                            Text(txtb4),
                            Text(txtc4),
                            Text(txttol4),
                            cmbpoint->currentText().toStdString(),
                            Text(txtab4),
                            Text(txtbc4)};
    const ClickDisplay shown = ComposeClick(fields, QLocale().decimalPoint().toStdString());
    if (shown.outcome == ClickOutcome::CheckFailed) {
        SetFocus(Control<QWidget>(ControlName(shown.focus).data()));
        return;
    }
    if (shown.direction != PatternDirection::None) {
        SetSize(StripWidth, FullHeight);
        Control<QWidget>(shown.panel.c_str())->setVisible(true);
        Control<QWidget>(shown.hiddenPanel.c_str())->setVisible(false);
        if (shown.outcome == ClickOutcome::Result) {
            Control<QLabel>(shown.noMatchLabel.c_str())->setVisible(false);
        }
        for (const LabelWrite& write : shown.labels) {
            SetCaption(labels_.value(QLatin1String(write.control)),
                       QString::fromStdString(write.text));
        }
    }
    if (shown.outcome == ClickOutcome::Result) {
        PriceD_ = shown.priceD;
        return;
    }
    ReportNoPattern();
}

void frmmain::ReportNoPattern() {
    ShowMessage(this, "No Certain Pattern Found", "Nothing", QMessageBox::Information);
    SetSize(StripWidth, StripHeight);
    SetFocus(txta4);
    SetFocus(txttol4);
}

void frmmain::SetFocus(QWidget* control) {
    control->setFocus(Qt::OtherFocusReason);
    // While the window is not active again (a message box has just closed),
    // Qt hands the focus over only on the activation, which selects nothing;
    // the focus event of the move is raised now.
    if (auto* box = qobject_cast<QLineEdit*>(control); box && !box->hasFocus()) {
        GotFocus(box);
    }
}

void frmmain::GotFocus(QLineEdit* box) {
    if (box == txta4) {
        txta4_GotFocus();
    } else if (box == txtb4) {
        txtb4_GotFocus();
    } else if (box == txtc4) {
        txtc4_GotFocus();
    } else if (box == txtab4) {
        txtab4_GotFocus();
    } else if (box == txtbc4) {
        txtbc4_GotFocus();
    } else if (box == txttol4) {
        txttol4_GotFocus();
    }
}

void frmmain::txta4_GotFocus() {
    SelectAllText(txta4);
}
void frmmain::txtb4_GotFocus() {
    SelectAllText(txtb4);
}
void frmmain::txtc4_GotFocus() {
    SelectAllText(txtc4);
}
void frmmain::txtab4_GotFocus() {
    SelectAllText(txtab4);
}
void frmmain::txtbc4_GotFocus() {
    SelectAllText(txtbc4);
}
void frmmain::txttol4_GotFocus() {
    SelectAllText(txttol4);
}

void frmmain::txta4_Validate(bool& cancel) {
    ValidateField(txta4, false, cancel);
}
void frmmain::txtb4_Validate(bool& cancel) {
    ValidateField(txtb4, false, cancel);
}
void frmmain::txtc4_Validate(bool& cancel) {
    ValidateField(txtc4, false, cancel);
}
void frmmain::txtab4_Validate(bool& cancel) {
    ValidateField(txtab4, true, cancel);
}
void frmmain::txtbc4_Validate(bool& cancel) {
    ValidateField(txtbc4, true, cancel);
}
void frmmain::txttol4_Validate(bool& cancel) {
    ValidateField(txttol4, true, cancel);
}

void frmmain::ValidateField(QLineEdit* box, bool zeroAllowed, bool& cancel) {
    const std::string text = Text(box);
    const double v = LeadingNumber(text);
    const bool low = zeroAllowed ? v < 0 : v <= 0;
    const bool numeric = WholeNumber(text).has_value();
    cancel = !numeric || low;
    if (cancel) {
        ShowMessage(this, "Wrong Dtat Entry...", "Warning", QMessageBox::Critical);
        SelectAllText(box);
    }
}

bool frmmain::ValidationCancels() {
    QWidget* focused = QApplication::focusWidget();
    bool cancel = false;
    // The warning box takes the focus while it is open; that is no move.
    validating_ = true;
    if (focused == txta4) {
        txta4_Validate(cancel);
    } else if (focused == txtb4) {
        txtb4_Validate(cancel);
    } else if (focused == txtc4) {
        txtc4_Validate(cancel);
    } else if (focused == txtab4) {
        txtab4_Validate(cancel);
    } else if (focused == txtbc4) {
        txtbc4_Validate(cancel);
    } else if (focused == txttol4) {
        txttol4_Validate(cancel);
    }
    validating_ = false;
    return cancel;
}

bool frmmain::WouldTakeFocus(QWidget* target) const {
    QWidget* focused = QApplication::focusWidget();
    if (!focused || !isAncestorOf(focused)) {
        return false;
    }
    // Qt gives a click's focus to the first widget up the chain that takes it.
    for (QWidget* w = target; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
            return w != focused;
        }
        if (w == this) {
            break;
        }
    }
    return false;
}

bool frmmain::InView(const QWidget* control) const {
    // What is left of the control once every container up to the window,
    // and the window's own current size, have cut it.
    QRect shown = control->rect();
    for (const QWidget* w = control; w != this; w = w->parentWidget()) {
        shown.translate(w->pos());
        shown &= w->parentWidget()->rect();
    }
    return !shown.isEmpty();
}

bool frmmain::focusNextPrevChild(bool next) {
    // Tab follows the tab indexes but skips what lies beyond the window's
    // edge, where the focus would vanish from sight.
    QWidget* start = QApplication::focusWidget();
    if (!start || !isAncestorOf(start)) {
        return QWidget::focusNextPrevChild(next);
    }
    for (QWidget* w = start;;) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == start) {
            return true;
        }
        if (w != this && isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
            w->isEnabled() && w->isVisibleTo(this) && InView(w)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

bool frmmain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Coming back to the window, or from a popup, is no move of the focus:
        // the caret and the selection stay as the user left them.
        const bool returning =
            reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        if (auto* box = qobject_cast<QLineEdit*>(watched);
            box && box->parentWidget() == frame4 && !returning) {
            GotFocus(box);
            // The click that brought the focus would put the caret where it
            // landed; select the whole text again once it is released.
            selectOnRelease_ = reason == Qt::MouseFocusReason ? box : nullptr;
        }
        return false;
    }
    if (type == QEvent::MouseButtonRelease && watched == selectOnRelease_) {
        SelectAllText(selectOnRelease_);
        selectOnRelease_ = nullptr;
        return true;
    }
    if (validating_) {
        return false;
    }
    bool leaving = false;
    // No control takes the focus from the wheel, so scrolling never leaves.
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        // Caught at the window, before Qt hands the focus to the widget under
        // the pointer: once delivered to that widget the focus has moved.
        if (watched == windowHandle()) {
            const QPointF pos = static_cast<QSinglePointEvent*>(event)->position();
            QWidget* target = childAt(pos.toPoint());
            leaving = WouldTakeFocus(target ? target : this);
        }
    } else if (type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        leaving = (key == Qt::Key_Tab || key == Qt::Key_Backtab) &&
                  watched == QApplication::focusWidget() &&
                  isAncestorOf(qobject_cast<QWidget*>(watched));
    } else if (type == QEvent::Shortcut) {
        // A mnemonic such as Alt+A moves the focus to its button first.
        auto* target = qobject_cast<QWidget*>(watched);
        leaving = target && isAncestorOf(target) && target != QApplication::focusWidget();
    }
    return leaving && ValidationCancels();
}
