// What a screen reader is told about the windows: each window a named frame,
// the spinner one control with a value, the point-size list named for what it
// is, nothing reported as showing that lies outside the window's client area,
// and the result of an analysis announced where it appears.
#pragma once

#include <QAccessible>

class QString;
class QWidget;

namespace plovatrix::win {

// Hands the toolkit our accessible interfaces; once is enough, more is harmless.
// Call before the first window is built.
void InstallAccessibility();

// Whether any part of a visible control lies in its window's client area,
// not covered by an opaque control stacked above it: what a sighted user sees.
bool InSight(const QWidget* control);

// Announces text as the result shown on panel, or withdraws the announcement
// when text is empty. The panel's description keeps it.
void AnnounceResult(QWidget* panel, const QString& text);

// Tells a screen reader of a change while one listens, and the watcher, when
// one is set, always: the toolkit calls its own update handler only while a
// reader listens, and offscreen none ever does.
void Tell(QAccessibleEvent& event);
void SetWatcher(QAccessible::UpdateHandler watcher);

}  // namespace plovatrix::win
