#include "gui/modal_hooks.h"

#include <QTimer>

namespace zentrix::gui {

TModalHooks& ModalHooks() {
    static TModalHooks hooks;
    return hooks;
}

int ExecDialog(QDialog& dialog) {
    TModalHooks& hooks = ModalHooks();
    if (hooks.enabled && !hooks.dialogActions.empty()) {
        auto action = std::move(hooks.dialogActions.front());
        hooks.dialogActions.pop_front();
        QTimer::singleShot(0, &dialog, [action, d = &dialog] { action(d); });
    } else if (hooks.enabled) {
        // Nothing scripted: a test must not hang on it.
        QTimer::singleShot(0, &dialog, [d = &dialog] { d->reject(); });
    }
    return dialog.exec();
}

}  // namespace zentrix::gui
