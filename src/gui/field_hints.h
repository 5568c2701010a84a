#pragma once

class QWidget;

namespace zentrix::gui {

// Gives every named control of a scenario dialog its one-line hint, unless it has one already.
void ApplyScenarioFieldHints(QWidget* dialog);

}  // namespace zentrix::gui
