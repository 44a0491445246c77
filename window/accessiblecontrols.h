// The accessible interfaces of the controls a user reads or works: labels,
// separator lines, text boxes, the pick-only list and the up-down spinner.
#pragma once

class QAccessibleInterface;
class QString;
class QWidget;

namespace plovatrix::win {

// The interface of a control of one of those kinds (key: its class name), or
// null for any other.
QAccessibleInterface* ControlInterface(const QString& key, QWidget* control);

}  // namespace plovatrix::win
