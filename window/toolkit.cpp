#include "toolkit.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace plovatrix::win {

QColor OleColor(quint32 value) {
    return OleColor(value, QApplication::palette());
}

QColor OleColor(quint32 value, const QPalette& system) {
    if (value & 0x80000000u) {
        switch (value & 0xFFu) {
            case 0x05:
                return system.color(QPalette::Base);  // window background
            case 0x06:
                return system.color(QPalette::WindowText);  // window frame
            case 0x08:
                return system.color(QPalette::Text);  // window text
            case 0x0A:
                return system.color(QPalette::Mid);  // active border
            case 0x0B:
                return system.color(QPalette::Midlight);  // inactive border
            case 0x0F:
                return system.color(QPalette::Button);  // button face
            case 0x12:
                return system.color(QPalette::ButtonText);  // button text
            case 0x1A:
                return system.color(QPalette::Link);  // hyperlink
            default:
                return system.color(QPalette::Window);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

const QPalette& PlainPalette() {
    // Qt's own palette, as the windows get it where no platform theme is in
    // use; fixed here, since a newer Qt may make its own default dark.
    static const QPalette plain = [] {
        QPalette p;
        const std::pair<QPalette::ColorRole, QRgb> roles[] = {
            {QPalette::Window, 0xEFEFEF}, {QPalette::WindowText, 0x000000},
            {QPalette::Base, 0xFFFFFF},   {QPalette::Text, 0x000000},
            {QPalette::Button, 0xEFEFEF}, {QPalette::ButtonText, 0x000000},
            {QPalette::Mid, 0xB8B8B8},    {QPalette::Midlight, 0xCACACA},
            {QPalette::Link, 0x0000FF},
        };
        for (const auto& [role, rgb] : roles) {
            p.setColor(role, QColor::fromRgb(rgb));
        }
        return p;
    }();
    return plain;
}

namespace {

// WCAG relative luminance and contrast ratio.
double Luminance(const QColor& c) {
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The ink itself where it reads at 3:1 on the background; otherwise the least
// mix of it with white (or black, whichever stands further off) that does.
QColor Legible(const QColor& ink, const QColor& back) {
    constexpr double Enough = 3.0;
    constexpr int Steps = 32;
    if (Contrast(ink, back) >= Enough) {
        return ink;
    }
    const QColor far = Contrast(Qt::white, back) >= Contrast(Qt::black, back) ? QColor(Qt::white)
                                                                              : QColor(Qt::black);
    const auto mix = [](int from, int to, int step) { return from + (to - from) * step / Steps; };
    for (int step = 1; step < Steps; ++step) {
        const QColor mixed(mix(ink.red(), far.red(), step), mix(ink.green(), far.green(), step),
                           mix(ink.blue(), far.blue(), step));
        if (Contrast(mixed, back) >= Enough) {
            return mixed;
        }
    }
    return far;
}

bool IsInk(QPalette::ColorRole role) {
    return role == QPalette::WindowText || role == QPalette::Text || role == QPalette::ButtonText;
}

// The background an ink role is drawn on.
QPalette::ColorRole BackOf(QPalette::ColorRole ink) {
    switch (ink) {
        case QPalette::Text:
            return QPalette::Base;
        case QPalette::ButtonText:
            return QPalette::Button;
        default:
            return QPalette::Window;
    }
}

}  // namespace

// The OLE colours set on one control, put into its palette again whenever that
// changes. The control hears of a change of its own palette; an application
// palette change that leaves all of its inherited roles as they were reaches
// only its window, whose one WindowColours passes it on.
class ColourKeeper : public QObject {
    Q_OBJECT

public:
    explicit ColourKeeper(QWidget* widget);

    void Set(QPalette::ColorRole role, quint32 value) {
        auto it = std::find_if(colours_.begin(), colours_.end(),
                               [role](const auto& c) { return c.first == role; });
        if (it == colours_.end()) {
            colours_.emplace_back(role, value);
        } else {
            it->second = value;
        }
        Apply();
    }

    void Apply() {
        QPalette pal = widget_->palette();
        bool changed = false;
        // Backgrounds first: each ink is measured against its own.
        for (const bool inks : {false, true}) {
            for (const auto& [role, value] : colours_) {
                if (IsInk(role) != inks) {
                    continue;
                }
                QColor colour = OleColor(value);
                if (inks) {
                    colour = Legible(colour, pal.color(BackOf(role)));
                }
                if (pal.color(role) != colour) {
                    pal.setColor(role, colour);
                    changed = true;
                }
            }
        }
        // Setting the palette sends a change back here, which then finds
        // nothing left to do.
        if (changed) {
            widget_->setPalette(pal);
        }
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange ||
            event->type() == QEvent::ApplicationPaletteChange) {
            Apply();
        }
        return false;
    }

private:
    QWidget* widget_;
    std::vector<std::pair<QPalette::ColorRole, quint32>> colours_;
};

// Passes an application palette change on to every kept control of its window.
class WindowColours : public QObject {
    Q_OBJECT

public:
    explicit WindowColours(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ApplicationPaletteChange) {
            for (auto* keeper : window_->findChildren<ColourKeeper*>()) {
                keeper->Apply();
            }
        }
        return false;
    }

private:
    QWidget* window_;
};

ColourKeeper::ColourKeeper(QWidget* widget) : QObject(widget), widget_(widget) {
    widget->installEventFilter(this);
    QWidget* window = widget->window();
    if (!window->findChild<WindowColours*>(QString(), Qt::FindDirectChildrenOnly)) {
        new WindowColours(window);
    }
}

void SetOleColour(QWidget* widget, QPalette::ColorRole role, quint32 value) {
    auto* keeper = widget->findChild<ColourKeeper*>(QString(), Qt::FindDirectChildrenOnly);
    if (!keeper) {
        keeper = new ColourKeeper(widget);
    }
    keeper->Set(role, value);
}

void SetAutoSize(QLabel* label, bool on) {
    label->setProperty("autoSize", on);
    if (on) {
        label->adjustSize();
    }
}

void SetCaption(QLabel* label, const QString& text) {
    label->setText(text);
    if (label->property("autoSize").toBool()) {
        label->resize(label->sizeHint());
    }
}

void SetOuterSize(QWidget* window, int widthTwips, int heightTwips, QSize frame) {
    const QSize client = QSize(Px(widthTwips), Px(heightTwips)) - frame;
    // Under Wayland a size the compositor did not configure is refused while
    // the window is maximized (weston ends the connection): the size alone.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        window->resize(client);
        return;
    }
    const Qt::WindowStates filling = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (window->windowState() & filling) {
        // Back where it was before, not where the filling state had put it.
        const QPoint normal = window->normalGeometry().topLeft();
        window->setWindowState(window->windowState() & ~filling);
        window->setGeometry(QRect(normal, client));
        return;
    }
    window->resize(client);
}

QPoint OpeningPosition(const QRect& available, QSize full) {
    const QSize room = (available.size() - full).expandedTo(QSize(0, 0));
    return available.topLeft() + QPoint(room.width() / 2, room.height() / 2);
}

void ShowMessage(QWidget* parent, const QString& text, const QString& title,
                 QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
    // Hand the activation back, so the focus returns to the field that had it
    // also where no window manager does that for us.
    if (parent) {
        parent->window()->activateWindow();
    }
}

}  // namespace plovatrix::win

#include "toolkit.moc"
