// The shared pieces of our accessible interfaces: telling a reader, reading a text by unit.
#include "accessiblebase.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace plovatrix::win {

void Tell(QAccessibleEvent& event) {
    if (QAccessible::isActive()) {
        QAccessible::updateAccessibility(&event);
    }
}

std::pair<int, int> TextAccessible::Unit(int offset, QAccessible::TextBoundaryType type) const {
    const QString text = content();
    const int count = int(text.size());
    offset = std::clamp(offset, 0, count);
    if (type != QAccessible::CharBoundary && type != QAccessible::WordBoundary &&
        type != QAccessible::SentenceBoundary) {
        return {0, count};
    }
    QTextBoundaryFinder finder(type == QAccessible::CharBoundary   ? QTextBoundaryFinder::Grapheme
                               : type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                                   : QTextBoundaryFinder::Sentence,
                               text);
    finder.setPosition(offset);
    const int from = finder.isAtBoundary() ? offset : int(finder.toPreviousBoundary());
    finder.setPosition(offset);
    const int to = offset == count ? count : int(finder.toNextBoundary());
    return {std::max(from, 0), to < 0 ? count : to};
}

QAccessible::Id Register(PartAccessible* part) {
    return QAccessible::registerAccessibleInterface(part);
}
void Unregister(PartAccessible* part, QAccessible::Id id) {
    if (QAccessible::accessibleInterface(id) == part) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

}  // namespace plovatrix::win
