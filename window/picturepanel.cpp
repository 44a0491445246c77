#include "picturepanel.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include "toolkit.h"

namespace plovatrix::win {

namespace {

Qt::PenStyle QtPen(Pen pen) {
    switch (pen) {
        case Pen::Dash:
            return Qt::DashLine;
        case Pen::Dot:
            return Qt::DotLine;
        case Pen::DashDot:
            return Qt::DashDotLine;
        case Pen::Solid:
            break;
    }
    return Qt::SolidLine;
}

}  // namespace

void PaintDrawRow(QPainter& painter, const DrawRow& row, const QPalette& system) {
    // Widths are logical pixels, so a scaled screen draws them wider too.
    QPen pen(OleColor(row.colour, system), row.width, QtPen(row.pen));
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
    : QWidget(parent), back_(backColour), drawing_(drawing) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, OleColor(back_, PlainPalette()));
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

LineShape::LineShape(const DrawRow& row, QWidget* parent) : QWidget(parent), row_(row) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
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
