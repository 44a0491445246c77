// A message box as the modal dialog of the window it belongs to, for a
// Wayland compositor that learns of modality only through the GTK shell
// protocol and places only modal dialogs over their parent (the toolkit tells
// it the parent, not the modality).
#pragma once

class QWidget;

namespace plovatrix::win {

// Before `dialog` is first shown; it is told at each show. Nothing happens on
// other platforms, under compositors without that protocol, or in a build
// without the Wayland client library and the toolkit's native interface.
void MarkModalDialog(QWidget* dialog);

}  // namespace plovatrix::win
