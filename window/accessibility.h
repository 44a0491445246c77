// What a screen reader is told about the windows: each window a named frame,
// the spinner one control with a value, the point-size list named for what it
// is, nothing reported as showing that lies outside the window's client area,
// and the result of an analysis announced where it appears.
#pragma once

class QString;

namespace plovatrix::win {

class PicturePanel;

// Hands the toolkit our accessible interfaces. Call once, before the first
// window is built.
void InstallAccessibility();

// Announces text as the result shown on panel, or withdraws the announcement
// when text is empty. The panel keeps it.
void AnnounceResult(PicturePanel* panel, const QString& text);

}  // namespace plovatrix::win
