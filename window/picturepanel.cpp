#include "picturepanel.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <algorithm>

#include "colours.h"
#include "toolkit.h"

namespace plovatrix::win {

void PaintDrawRow(QPainter& painter, const DrawRow& row, const QPalette& system) {
    // In the order of Pen.
    constexpr Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
    // Widths are logical pixels, so a scaled screen draws them wider too.
    QPen pen(OleColor(row.colour, system), row.width, styles[int(row.pen)]);
    // Dashes keep their ends square; solid legs meet in rounded corners.
    pen.setCapStyle(row.pen == Pen::Solid ? Qt::RoundCap : Qt::FlatCap);
    painter.setPen(pen);
    if (row.oval) {
        painter.setBrush(QBrush(OleColor(row.hatch, system), Qt::CrossPattern));
        painter.drawEllipse(TwipsRect(row.x1, row.y1, row.x2, row.y2));
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.drawLine(QPoint(Px(row.x1), Px(row.y1)), QPoint(Px(row.x2), Px(row.y2)));
    }
}

PicturePanel::PicturePanel(quint32 backColour, std::span<const DrawRow> drawing, QWidget* parent)
    : QWidget(parent), drawing_(drawing) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, OleColor(backColour, PlainPalette()));
    setPalette(pal);
    setAutoFillBackground(true);
}

void PicturePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Crisp, unsmoothed strokes, as the diagram was drawn.
    painter.setRenderHint(QPainter::Antialiasing, false);
#if QT_VERSION >= QT_VERSION_CHECK(6, 4, 0)
    // The hatch scales with the rest of the panel on a scaled screen.
    painter.setRenderHint(QPainter::NonCosmeticBrushPatterns);
#endif
    painter.fillRect(rect(), palette().color(QPalette::Window));
    for (const DrawRow& row : drawing_) {
        PaintDrawRow(painter, row, PlainPalette());
    }
}

void PicturePanel::KeepInSection(QLabel* label, QLabel* caption) {
    kept_.push_back({label, caption, label->x(), caption ? caption->x() : 0});
    // A self-sizing label resizes whenever its text is set: it is placed again then.
    label->installEventFilter(this);
    Fit(kept_.back());
}

bool PicturePanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        for (const Kept& kept : kept_) {
            if (kept.label == watched) {
                Fit(kept);
            }
        }
    }
    return false;
}

void PicturePanel::Fit(const Kept& kept) {
    // The section is the span between the dividers around the placed left edge.
    int low = 0;
    int high = width();
    for (const DrawRow& row : drawing_) {
        if (!row.divides) {
            continue;
        }
        // The pixel columns the divider covers, as PaintDrawRow draws it.
        const int first = Px(row.x1) - row.width / 2;
        if (first > kept.left) {
            high = std::min(high, first);
        } else {
            low = std::max(low, first + row.width);
        }
    }
    const int start = kept.caption ? std::min(kept.left, kept.captionLeft) : kept.left;
    const int over = kept.left + kept.label->width() - high;
    // Never past the section's left edge: a text wider than its whole section
    // (none that fields of six characters give) stops there.
    const int shift = std::clamp(over, 0, std::max(0, start - low));
    kept.label->move(kept.left - shift, kept.label->y());
    if (kept.caption) {
        kept.caption->move(kept.captionLeft - shift, kept.caption->y());
    }
}

LineShape::LineShape(const DrawRow& row, QWidget* parent) : QWidget(parent), row_(row) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int pad = row.width / 2 + 1;
    const QRect span = QRect(QPoint(Px(row.x1), Px(row.y1)), QPoint(Px(row.x2), Px(row.y2)))
                           .normalized()
                           .adjusted(-pad, -pad, pad, pad);
    setGeometry(span);
}

void LineShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.translate(-pos());
    // A separator on a frame follows the theme.
    PaintDrawRow(painter, row_, QApplication::palette());
}

}  // namespace plovatrix::win
