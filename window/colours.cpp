#include "colours.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>

namespace plovatrix::win {

QColor OleColor(quint32 value) {
    return OleColor(value, QApplication::palette());
}

QColor OleColor(quint32 value, const QPalette& system) {
    if (value & 0x80000000u) {
        using namespace SystemColour;
        constexpr std::pair<quint32, QPalette::ColorRole> roles[] = {
            {WindowBackground, QPalette::Base},   {WindowFrame, QPalette::WindowText},
            {WindowText, QPalette::Text},         {ActiveBorder, QPalette::Mid},
            {InactiveBorder, QPalette::Midlight}, {ButtonFace, QPalette::Button},
            {ButtonText, QPalette::ButtonText},   {Hyperlink, QPalette::Link}};
        for (const auto& [colour, role] : roles) {
            if (value == colour) {
                return system.color(role);
            }
        }
        return system.color(QPalette::Window);
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

// The background an ink role is drawn on, or the role itself when it is none.
QPalette::ColorRole BackOf(QPalette::ColorRole role) {
    return role == QPalette::WindowText   ? QPalette::Window
           : role == QPalette::Text       ? QPalette::Base
           : role == QPalette::ButtonText ? QPalette::Button
                                          : role;
}

void Apply(QWidget* widget, const std::map<QPalette::ColorRole, quint32>& colours) {
    QPalette pal = widget->palette();
    // Backgrounds first: each ink is measured against its own.
    for (const bool inks : {false, true}) {
        for (const auto& [role, value] : colours) {
            if ((BackOf(role) != role) == inks) {
                const QColor colour = OleColor(value);
                pal.setColor(role, inks ? Legible(colour, pal.color(BackOf(role))) : colour);
            }
        }
    }
    if (pal != widget->palette()) {
        widget->setPalette(pal);
    }
}

}  // namespace

void SetOleColour(QWidget* widget, QPalette::ColorRole role, quint32 value) {
    auto* control = dynamic_cast<OleColoured*>(widget);
    std::map<QPalette::ColorRole, quint32> once;  // for a control that keeps none
    auto& colours = control ? control->kept_ : once;
    colours[role] = value;
    Apply(widget, colours);
}

void ReapplyOleColours(QWidget* window) {
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (auto* control = dynamic_cast<OleColoured*>(widget)) {
            Apply(widget, control->kept_);
        }
    }
}

}  // namespace plovatrix::win
