#include "frmsplash.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <optional>

#include "appinfo.h"
#include "colours.h"
#include "icons.h"
#include "product.h"
#include "toolkit.h"
#include "windowgeometry.h"

using plovatrix::win::Px;
using plovatrix::win::TwipsRect;

namespace {

// The fixed-dialog border we paint ourselves around the client area: a raised
// edge of two lines and one of the face colour, as the classic dialog frame.
constexpr int Border = 3;

// The logo, an AB=CD swing drawn in its design box of 2415 x 2985 twips and
// stretched to whatever size the control has.
class LogoPicture : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(width() / 2415.0, height() / 2985.0);

        // The dark tile of the application icon, so that both read as one mark.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x20, 0x24, 0x30));
        p.drawRoundedRect(QRectF(15, 15, 2385, 2955), 150, 150);

        p.setPen(QPen(QColor(0x3A, 0x40, 0x50), 12));
        for (int y = 600; y < 2900; y += 400) {
            p.drawLine(QPointF(120, y), QPointF(2295, y));
        }

        // A bullish swing: B below A, C back up, D as far below C as B is below A.
        const QPointF a(420, 700), b(1020, 1960), c(1480, 1300), d(2080, 2560);
        plovatrix::win::PaintSwing(p, a, b, c, d, 70);

        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(190);
        p.setFont(font);
        p.setPen(Qt::white);
        const QSizeF box(260, 260);
        auto name = [&](QPointF at, const char* text) {
            p.drawText(QRectF(at - QPointF(box.width() / 2, box.height() / 2), box),
                       Qt::AlignCenter, QString::fromLatin1(text));
        };
        name(a + QPointF(-170, -150), "A");
        name(b + QPointF(-60, 220), "B");
        name(c + QPointF(60, -220), "C");
        name(d + QPointF(-230, 120), "D");

        font.setPixelSize(230);
        p.setFont(font);
        p.setPen(QColor(0xFF, 0xFF, 0xC0));
        p.drawText(QRectF(0, 180, 2250, 300), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("AB=CD"));
    }
};

// One row per label of the frame, in twips relative to Frame1.
struct LabelRow {
    plovatrix::win::ClassicLabel* frmSplash::*member;
    const char* name;
    int left, top, width, height;
    QString caption;
    qreal points;
    bool bold;
    std::optional<quint32> ink;  // an OLE colour; none: the theme's text colour
    Qt::Alignment alignment;
    bool autoSize;
};

}  // namespace

frmSplash::frmSplash(QWidget* parent)
    // Frameless, so that it looks the same under any window manager and under
    // Wayland, where the toolkit would draw a title bar of its own.
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString());
    // The designed size is the client area's; the border lies around it.
    setContentsMargins(Border, Border, Border, Border);
    setFixedSize(Px(7380) + 2 * Border, Px(4245) + 2 * Border);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setGeometry(TwipsRect(120, 120, 7080, 4050).translated(Border, Border));
    Frame1->installEventFilter(this);

    imgLogo = new LogoPicture(Frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setAccessibleName(QStringLiteral("Logo, an AB=CD swing"));
    imgLogo->setGeometry(TwipsRect(120, 315, 2415, 2985));
    imgLogo->installEventFilter(this);

    // The credit line, black by design, is in the theme's text colour (black
    // without a theme); the contact line in the theme's hyperlink colour (blue
    // without a theme), kept readable on any theme's background.
    constexpr auto Theme = std::nullopt;
    using plovatrix::win::SystemColour::Hyperlink;
    const LabelRow rows[] = {
        {&frmSplash::lblLicenseTo, "lblLicenseTo", 120, 240, 6855, 255,
         QStringLiteral("Designed by : Plovatrix developers"), 9.75, false, Theme, Qt::AlignRight,
         false},
        {&frmSplash::lblProductName, "lblProductName", 2640, 1680, 1365, 435,
         QStringLiteral("Product"), 18, true, Theme, Qt::AlignLeft, true},
        {&frmSplash::lblPlatform, "lblPlatform", 5685, 2340, 1170, 330, QStringLiteral("Platform"),
         14.25, true, Theme, Qt::AlignRight, true},
        {&frmSplash::lblVersion, "lblVersion", 5970, 2700, 885, 285, QStringLiteral("Version"), 12,
         true, Theme, Qt::AlignRight, true},
        {&frmSplash::lblWarning, "lblWarning", 120, 3600, 3555, 240,
         QStringLiteral("E-mail : ") + QLatin1String(plovatrix::app::Contact), 9.75, false,
         Hyperlink, Qt::AlignLeft, true},
    };
    for (const LabelRow& row : rows) {
        auto* label = new plovatrix::win::ClassicLabel(row.caption, Frame1);
        label->setObjectName(QLatin1String(row.name));
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(row.points);
        font.setBold(row.bold);
        label->setFont(font);
        if (row.ink) {
            plovatrix::win::SetOleColour(label, QPalette::WindowText, *row.ink);
        }
        label->setAlignment(row.alignment | Qt::AlignTop);
        label->setGeometry(TwipsRect(row.left, row.top, row.width, row.height));
        // Platform and the version stay under the end of the credit line
        // however long the version grows: they keep their right edge.
        if (row.autoSize) {
            label->SetAutoSize();
        }
        // A label has no click of its own, and Qt would hand the click on to the frame.
        label->installEventFilter(this);
        this->*row.member = label;
    }

    Line1 = new QFrame(Frame1);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameStyle(QFrame::HLine | QFrame::Plain);
    Line1->setLineWidth(1);
    Line1->setGeometry(0, Px(3480), Px(7080), 1);
    // The rule takes no clicks: a click on it is a click on the frame.
    Line1->setAttribute(Qt::WA_TransparentForMouseEvents);

    Form_Load();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(plovatrix::win::OpeningPosition(screen->availableGeometry(), size()));
    }
}

void frmSplash::paintEvent(QPaintEvent*) {
    // Rings from the outside in, each lit at the top left and shaded at the
    // bottom right: the classic raised window edge, then the face.
    const QPalette::ColorRole rings[Border][2] = {{QPalette::Button, QPalette::Shadow},
                                                  {QPalette::Light, QPalette::Dark},
                                                  {QPalette::Button, QPalette::Button}};
    QPainter p(this);
    QRect r = rect();
    for (const auto& [lit, shaded] : rings) {
        p.setPen(palette().color(lit));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(palette().color(shaded));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
}

bool frmSplash::event(QEvent* event) {
    const bool first = event->type() == QEvent::Paint && !shown_;
    const bool handled = QWidget::event(event);
    // Once Qt has passed the desktop's new palette on to every control.
    if (event->type() == QEvent::ApplicationPaletteChange) {
        plovatrix::win::ReapplyOleColours(this);
    }
    if (first) {
        // Said once the whole frame has been handed to the platform.
        shown_ = true;
        QTimer::singleShot(0, this, &frmSplash::FirstFrameShown);
    }
    return handled;
}

void frmSplash::Form_Load() {
    using namespace plovatrix::app;
    lblVersion->SetCaption(QStringLiteral("Version ") + VersionText());
    lblProductName->SetCaption(QString::fromLatin1(Title));
    // What a screen reader announces as the window opens: it has no title.
    setAccessibleName(lblProductName->text() + QLatin1Char(' ') + lblVersion->text());
    setAccessibleDescription(QStringLiteral("press a key or click to continue"));
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    // Only keys that produce a character count. X11 reports DEL for the Delete
    // key, which is an editing key like the arrows, not a character typed.
    const QString text = event->text();
    if (text.isEmpty() || text == QStringLiteral("\x7f")) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    char16_t KeyAscii = text.front().unicode();
    Form_KeyPress(KeyAscii);
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick) {
        return QWidget::eventFilter(watched, event);
    }
    // A release reaches the frame only when the press did too: the widget
    // pressed on holds the mouse until the button goes up.
    if (watched == Frame1 && type == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Frame1->rect().contains(mouse->position().toPoint())) {
            Frame1_Click(mouse->timestamp());
        }
    }
    // Labels and the logo swallow their clicks; the frame has handled its own.
    return true;
}

void frmSplash::Form_KeyPress(char16_t&) {
    HandOver(0);
}

void frmSplash::Frame1_Click(ulong clickTime) {
    HandOver(clickTime);
}

void frmSplash::HandOver(ulong clickTime) {
    if (handedOver_) {
        return;
    }
    handedOver_ = true;
    hide();
    // The main window's show follows at once; its load unloads us.
    emit HandOverAsked(clickTime);
}

void frmSplash::Unload() {
    hide();
    deleteLater();
}
