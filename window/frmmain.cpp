#include "frmmain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "accessibility.h"
#include "classiccontrols.h"
#include "display.h"
#include "focusguard.h"
#include "formbuilder.h"
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

// Each text of a click and the label that shows it on the bullish and on the
// bearish panel: the one place where a result label is named.
const struct {
    std::optional<std::string> PanelTexts::*text;
    const char* bullish;
    const char* bearish;
} ResultLabels[] = {
    {&PanelTexts::priceA, "lbla", "lbla2"},
    {&PanelTexts::priceB, "lblb", "lblb2"},
    {&PanelTexts::priceC, "lblc", "lblc2"},
    {&PanelTexts::abCandles, "lblcan1", "lblcan12"},
    {&PanelTexts::bcCandles, "lblcan2", "lblcan22"},
    {&PanelTexts::cdCandles, "lblcan3", "lblcan32"},
    {&PanelTexts::timeRatio, "lbltfib", "lbltfib2"},
    {&PanelTexts::cdDuration, "lblt2", "lblt22"},
    {&PanelTexts::legAB, "legab(0)", "legab(1)"},
    {&PanelTexts::legBC, "legbc(0)", "legbc(1)"},
    {&PanelTexts::ratio, "zarib(0)", "zarib(1)"},
    {&PanelTexts::retracement, "lblfib1", "lblfib12"},
    {&PanelTexts::extension, "lblfib2", "lblfib22"},
    {&PanelTexts::przUpper, "lblabcd", "lblabcd2"},
    {&PanelTexts::przLower, "lblofbc", "lblofbc2"},
    {&PanelTexts::stopLoss, "sl1", "sl2"},
    {&PanelTexts::takeProfit1, "tp1", "tp11"},
    {&PanelTexts::takeProfit2, "tp2", "tp22"},
};

std::string Text(const QLineEdit* box) {
    return box->text().toStdString();
}

std::string DecimalPoint() {
    return QLocale().decimalPoint().toStdString();
}

// Eats the rest of a double-click whose first click opened the window: presses
// within the desktop's double-click interval of that click (event time, so a
// slow start-up does not stretch it) and their releases. Where the rest lands
// on another program's window or on the desktop instead, that takes the
// activation: we take it back, raised, so the window the user asked for is
// the one their keys reach.
class DoubleClickRest : public QObject {
public:
    DoubleClickRest(QWindow* window, ulong clickTime) : QObject(window), clickTime_(clickTime) {
        window->installEventFilter(this);
        connect(qApp, &QGuiApplication::focusWindowChanged, this, [window](QWindow* now) {
            if (!now && window->isVisible()) {
                window->raise();
                window->requestActivate();
            }
        });
        // The platform reports a lost activation late (X11: 100 ms, while it
        // waits for the focus to come back to one of our windows), so we watch
        // somewhat longer than the interval.
        constexpr int ReportDelay = 300;
        QTimer::singleShot(QApplication::doubleClickInterval() + ReportDelay, this, [this] {
            expired_ = true;
            if (!holding_) {
                deleteLater();
            }
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease) {
            return false;
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (type == QEvent::MouseButtonRelease) {
            const bool eaten = holding_;
            holding_ = holding_ && mouse->buttons() != Qt::NoButton;
            if (expired_ && !holding_) {
                deleteLater();
            }
            return eaten;
        }
        if (mouse->timestamp() - clickTime_ > ulong(QApplication::doubleClickInterval())) {
            deleteLater();
            return false;
        }
        holding_ = true;
        return true;
    }

private:
    ulong clickTime_;
    bool holding_ = false;  // a press was eaten and its button is still down
    bool expired_ = false;
};

}  // namespace

frmmain::frmmain(QWidget* parent, Loading loading)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    InstallAccessibility();
    setObjectName("frmmain");
    setWindowTitle("Plovatrix");
    setWindowIcon(AppIcon());
    BuildMainControls(this);

    chk4p = Control<QAbstractButton>("chk4p");
    chk5p = Control<QAbstractButton>("chk5p");
    cmdana = Control<QAbstractButton>("cmdana");
    frame4 = Control<QGroupBox>("frame4");
    Frame5 = Control<QGroupBox>("Frame5");
    txta4 = Control<TextBox>("txta4");
    txtb4 = Control<TextBox>("txtb4");
    txtc4 = Control<TextBox>("txtc4");
    txtab4 = Control<TextBox>("txtab4");
    txtbc4 = Control<TextBox>("txtbc4");
    txttol4 = Control<TextBox>("txttol4");
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
    fields_ = {{{txta4, false},
                {txtb4, false},
                {txtc4, false},
                {txtab4, true},
                {txtbc4, true},
                {txttol4, true}}};
    inputs_ = {txta4, txtb4, txtc4, txttol4, cmbpoint, txtab4, txtbc4};
    for (const auto& row : ResultLabels) {
        results_.push_back({Control<QLabel>(row.bullish), Control<QLabel>(row.bearish)});
    }
    for (const Field& field : fields_) {
        field.box->setSelectAllOnFocus(true);
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
    new FocusGuard(this, [this](QWidget* focused) { return MayLeave(focused); });

    if (loading == Loading::Now) {
        Form_Load();
    }
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
    SetOuterSize(this, placing_ ? StripWidth : widthTwips, placing_ ? FullHeight : heightTwips,
                 frame_);
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

void frmmain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The window has no maximize. Where it is offered all the same (the
    // toolkit's own title bar under Wayland, a window manager that offers it
    // on any resizable window) or a full screen is asked, the window goes back
    // to the size it had, as soon as the platform has done with the change it
    // reports.
    const Qt::WindowStates filling = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && event->spontaneous() &&
        (windowState() & filling)) {
        QTimer::singleShot(0, this, [this, filling] { setWindowState(windowState() & ~filling); });
    }
    // The compositor activates the window once it has placed it, by the full
    // size of its first frame (Wayland): the designed size follows, after the
    // configure that came with the activation.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        std::exchange(placing_, false)) {
        QTimer::singleShot(0, this, [this] { SetSize(outerSize_.width(), outerSize_.height()); });
    }
}

void frmmain::FitFrame() {
    // The frame is known only once the window is framed: where the toolkit
    // draws it (Wayland), as soon as the window is shown, before its first
    // frame; where a window manager draws it (X11), when that moves the window.
    // The outer size is set again then. The frame is taken in the normal
    // state only: a maximized window's differs (openbox drops the border).
    const Qt::WindowStates filling = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!frameFitted_ && isVisible() && !(windowState() & filling) &&
        frameGeometry().size() != geometry().size()) {
        frameFitted_ = true;
        frame_ = frameGeometry().size() - geometry().size();
        SetSize(outerSize_.width(), outerSize_.height());
    }
}

void frmmain::SwallowRestOfDoubleClick(ulong clickTime) {
    if (QWindow* window = windowHandle()) {
        new DoubleClickRest(window, clickTime);
    }
}

void frmmain::Form_Load() {
    loaded_ = true;
    // Under Wayland the compositor places the window where its first frame
    // fits, and the window cannot move after: until it is placed the window
    // has the full size, so it grows later where it has room.
    placing_ = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    SetSize(CompactWidth, StripHeight);
    move(OpeningPosition(screen()->availableGeometry(), QSize(Px(StripWidth), Px(FullHeight))));
    noma1->setVisible(true);
    noma2->setVisible(true);
    ud1->setValue(5);
    ud2->setValue(5);
    txtts1->setText(QString::number(ud1->value()));
    txtts2->setText(QString::number(ud2->value()));
    emit Loaded();
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
    // The announced stop is no longer the one shown.
    AnnounceResult(bullish ? pic1 : pic2, QString());
    distance->setText(QString::number(spinner->value()));
    const std::string text = StopLossText(
        PriceD_, spinner->value(), PipSize_,
        bullish ? PatternDirection::Bullish : PatternDirection::Bearish, DecimalPoint());
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
    AnnounceResult(pic1, QString());
    AnnounceResult(pic2, QString());
    ud1->setValue(5);
    txtts1->setText(QString::number(ud1->value()));
    ud2->setValue(5);
    txtts2->setText(QString::number(ud2->value()));
    noma1->setVisible(true);
    noma2->setVisible(true);

    const ClickDisplay shown = ComposeClick({.a = Text(txta4),
                                             .b = Text(txtb4),
                                             .c = Text(txtc4),
                                             .tolerance = Text(txttol4),
                                             .pointSize = cmbpoint->currentText().toStdString(),
                                             .abCandles = Text(txtab4),
                                             .bcCandles = Text(txtbc4)},
                                            DecimalPoint());
    if (shown.outcome == ClickOutcome::CheckFailed) {
        SetFocus(inputs_[size_t(shown.focus)]);
        return;
    }
    if (shown.direction != PatternDirection::None) {
        const bool bullish = shown.direction == PatternDirection::Bullish;
        SetSize(StripWidth, FullHeight);
        (bullish ? pic1 : pic2)->setVisible(true);
        (bullish ? pic2 : pic1)->setVisible(false);
        if (shown.outcome == ClickOutcome::Result) {
            (bullish ? noma1 : noma2)->setVisible(false);
        }
        for (size_t i = 0; i < results_.size(); ++i) {
            if (const auto& text = shown.texts.*ResultLabels[i].text) {
                SetCaption(results_[i][bullish ? 0 : 1], QString::fromStdString(*text));
            }
        }
    }
    if (shown.outcome == ClickOutcome::Result) {
        PriceD_ = shown.priceD;
        QWidget* panel = shown.direction == PatternDirection::Bullish ? pic1 : pic2;
        AnnounceResult(panel, panel->accessibleName() + ": " +
                                  QString::fromStdString(SpokenResult(shown, DecimalPoint())));
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
    for (const Field& field : fields_) {
        if (field.box == control && !control->hasFocus()) {
            SelectAllText(field.box);
        }
    }
}

void frmmain::Field_Validate(const Field& field, bool& cancel) {
    cancel = !AcceptableNumber(Text(field.box), field.zeroAllowed);
    if (cancel) {
        ShowMessage(this, "Wrong Dtat Entry...", "Warning", QMessageBox::Critical);
        SelectAllText(field.box);
    }
}

bool frmmain::MayLeave(QWidget* focused) {
    bool cancel = false;
    for (const Field& field : fields_) {
        if (field.box == focused) {
            Field_Validate(field, cancel);
        }
    }
    return !cancel;
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
