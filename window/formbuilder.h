// Builds the main window's controls from its layout tables.
#pragma once

#include "layout.h"

class QWidget;

namespace plovatrix::win {

// Creates every child control of the main window on form: objectName, place
// (twips / 15 in the container), text, font, colours, alignment, self-sizing,
// design visibility and the keyboard order by tab index. Connects nothing.
// Returns the controls the window keeps, as the layout marks them.
MainControls BuildMainControls(QWidget* form);

}  // namespace plovatrix::win
