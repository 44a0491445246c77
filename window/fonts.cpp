#include "fonts.h"

#include <QStringList>

namespace plovatrix::win {

void InstallFontSubstitutes() {
    const auto install = [](const QString& family, const QStringList& substitutes) {
        // Replacing rather than appending keeps repeated calls harmless.
        QFont::removeSubstitutions(family);
        QFont::insertSubstitutions(family, substitutes);
    };
    install("MS Sans Serif", {"Liberation Sans", "Arimo", "DejaVu Sans"});
    install("MV Boli", {"Comic Neue", "Comic Sans MS", "Liberation Sans", "DejaVu Sans"});
}

QFont LayoutFont(const QString& family, double points, bool bold) {
    QFont font(family);
    // Without a hint a missing family could land on a serif face.
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace plovatrix::win
