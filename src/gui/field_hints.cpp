#include "gui/field_hints.h"

#include <QWidget>

#include "scenario/field_hints.h"

namespace zentrix::gui {

void ApplyScenarioFieldHints(QWidget* dialog) {
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (!w->toolTip().isEmpty() || w->objectName().isEmpty()) continue;
        if (const char* hint = ScenarioFieldHint(w->objectName().toStdString()))
            w->setToolTip(QString::fromUtf8(hint));
    }
}

}  // namespace zentrix::gui
