// Surfaces that paint drawing rows: the result panels and the separator lines.
#pragma once

#include <QWidget>
#include <span>
#include <vector>

#include "layout.h"

class QLabel;
class QPainter;

namespace plovatrix::win {

// Paints one drawing row; its twips are relative to the painter's origin and
// its system colours those of `system`.
void PaintDrawRow(QPainter& painter, const DrawRow& row, const QPalette& system);

// A result panel: filled with its back colour, with its diagram painted
// beneath the labels that are its children. Its diagram and texts are drawn
// in fixed colours, so it keeps the plain palette's look on any desktop: its
// system colours are those of PlainPalette().
class PicturePanel : public QWidget {
    Q_OBJECT

public:
    PicturePanel(quint32 backColour, std::span<const DrawRow> drawing, QWidget* parent = nullptr);

    // Keeps a label whole inside the section of the panel it was placed in,
    // whatever text it is given: a text that fits stays where it was placed;
    // one that would run past the section's right edge moves left just enough,
    // and its caption (or null) moves with it, so the pair keeps its spacing.
    void KeepInSection(QLabel* label, QLabel* caption);

    // The result a screen reader was told of, or empty. Not the panel's
    // description: a reader that says a panel's description as the focus
    // enters it would say that instead of the labels.
    const QString& announcement() const { return announcement_; }
    void setAnnouncement(const QString& text) { announcement_ = text; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Kept {
        QLabel* label;
        QLabel* caption;
        int left;  // where the layout placed them
        int captionLeft;
    };
    void Fit(const Kept& kept);

    std::span<const DrawRow> drawing_;
    std::vector<Kept> kept_;
    QString announcement_;
};

// A line drawn on its container, as a widget of its own so that it carries its
// name; it lets every click through and stands below its siblings.
class LineShape : public QWidget {
    Q_OBJECT

public:
    explicit LineShape(const DrawRow& row, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DrawRow row_;
};

}  // namespace plovatrix::win
