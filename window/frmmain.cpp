#include "frmmain.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <tuple>

#include "accessibility.h"
#include "classiccontrols.h"
#include "colours.h"
#include "focusguard.h"
#include "formbuilder.h"
#include "icons.h"
#include "numbers.h"
#include "picturepanel.h"
#include "toolkit.h"
#include "updown.h"
#include "windowgeometry.h"

using namespace plovatrix;
using namespace plovatrix::win;

namespace {

// The three outer window sizes, in twips.
constexpr int StripWidth = 14310;
constexpr int CompactWidth = 2565;
constexpr int StripHeight = 2370;
constexpr int FullHeight = 9450;

constexpr quint32 SelectedFace = FixedColour::Red;
using SystemColour::ButtonFace;

std::string Text(const QLineEdit* box) {
    return box->text().toStdString();
}

std::string DecimalPoint() {
    return QLocale().decimalPoint().toStdString();
}

}  // namespace

frmmain::frmmain(QWidget* parent, Loading loading)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      MainControls(BuildMainControls(this)),
      geometry_(new WindowGeometry(this)) {
    setObjectName("frmmain");
    setWindowTitle("Plovatrix");
    setWindowIcon(AppIcon());
    fields_ = {{{txta4, false},
                {txtb4, false},
                {txtc4, false},
                {txtab4, true},
                {txtbc4, true},
                {txttol4, true}}};
    inputs_ = {txta4, txtb4, txtc4, txttol4, cmbpoint, txtab4, txtbc4};
    for (const Field& field : fields_) {
        field.box->setSelectAllOnFocus(true);
    }
    // A spinner and the box that shows its value are one control: the wheel
    // turns it over either, and a reader hears the stop it sets.
    for (auto [spinner, box, stop] : {std::tuple(ud1, txtts1, sl1), std::tuple(ud2, txtts2, sl2)}) {
        box->installEventFilter(spinner);
        spinner->setOutcome(stop);
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

void frmmain::setVisible(bool visible) {
    if (visible && !loaded_) {
        Form_Load();
    }
    QWidget::setVisible(visible);
}

bool frmmain::event(QEvent* event) {
    // Once Qt has passed the desktop's new palette on to every control.
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ApplicationPaletteChange) {
        ReapplyOleColours(this);
    }
    return handled;
}

void frmmain::Form_Load() {
    loaded_ = true;
    geometry_->SetOuterSize(CompactWidth, StripHeight);
    geometry_->Open({StripWidth, FullHeight});
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
        geometry_->SetOuterSize(StripWidth, StripHeight);
        frame4->setVisible(true);
        Frame5->setVisible(false);
    } else {
        SetFaceColour(chk4p, ButtonFace);
        frame4->setVisible(false);
        geometry_->SetOuterSize(CompactWidth, StripHeight);
    }
}

void frmmain::chk5p_Click() {
    if (chk5p->isChecked()) {
        frame4->setVisible(false);
        Frame5->setVisible(true);
        chk4p->setChecked(false);
        SetFaceColour(chk5p, SelectedFace);
        SetFaceColour(chk4p, ButtonFace);
        geometry_->SetOuterSize(StripWidth, StripHeight);
    } else {
        SetFaceColour(chk5p, ButtonFace);
        geometry_->SetOuterSize(CompactWidth, StripHeight);
        Frame5->setVisible(false);
    }
}

void frmmain::cmbpoint_Click() {
    PipSize_ = LeadingNumber(cmbpoint->currentText().toStdString());
}

void frmmain::StopLabel(UpDown* spinner, QLineEdit* distance, ClassicLabel* stop, bool bullish) {
    // The announced stop is no longer the one shown.
    AnnounceResult(bullish ? pic1 : pic2, QString());
    distance->setText(QString::number(spinner->value()));
    const std::string text = StopLossText(
        PriceD_, spinner->value(), PipSize_,
        bullish ? PatternDirection::Bullish : PatternDirection::Bearish, DecimalPoint());
    stop->SetCaption(QString::fromStdString(text));
}

void frmmain::ud1_Change() {
    StopLabel(ud1, txtts1, sl1, true);
}
void frmmain::ud2_Change() {
    StopLabel(ud2, txtts2, sl2, false);
}

void frmmain::txtb4_Change() {
    lblb4->SetCaption(txtb4->text());
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

    const ClickDisplay click = ComposeClick({.a = Text(txta4),
                                             .b = Text(txtb4),
                                             .c = Text(txtc4),
                                             .tolerance = Text(txttol4),
                                             .pointSize = cmbpoint->currentText().toStdString(),
                                             .abCandles = Text(txtab4),
                                             .bcCandles = Text(txtbc4)},
                                            DecimalPoint());
    if (click.outcome == ClickOutcome::CheckFailed) {
        SetFocus(inputs_[size_t(click.focus)]);
        return;
    }
    if (click.direction != PatternDirection::None) {
        const size_t panel = click.direction == PatternDirection::Bullish ? 0 : 1;
        geometry_->SetOuterSize(StripWidth, FullHeight);
        (panel == 0 ? pic1 : pic2)->setVisible(true);
        (panel == 0 ? pic2 : pic1)->setVisible(false);
        if (click.outcome == ClickOutcome::Result) {
            (panel == 0 ? noma1 : noma2)->setVisible(false);
        }
        for (size_t i = 0; i < results.size(); ++i) {
            if (const auto& text = click.texts.*PanelTextList[i].text) {
                results[i][panel]->SetCaption(QString::fromStdString(*text));
            }
        }
    }
    if (click.outcome == ClickOutcome::Result) {
        PriceD_ = click.priceD;
        PicturePanel* panel = click.direction == PatternDirection::Bullish ? pic1 : pic2;
        AnnounceResult(panel, panel->accessibleName() + ": " +
                                  QString::fromStdString(SpokenResult(click, DecimalPoint())));
        return;
    }
    ReportNoPattern();
}

void frmmain::ReportNoPattern() {
    ShowMessage(this, "No Certain Pattern Found", "Nothing", QMessageBox::Information);
    geometry_->SetOuterSize(StripWidth, StripHeight);
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
