#pragma once

#include <QDialog>

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "app/ui_port.h"

namespace zentrix::gui {

// Preset answers for modal interaction, so a test never blocks on a dialog. When `enabled`,
// message boxes, input boxes and file dialogs take their answers from the queues (an empty queue
// gives the default button or a cancel) and are recorded instead of shown; a dialog run through
// ExecDialog hands itself to the next queued action, which fills it and accepts or rejects it.
struct TModalHooks {
    bool enabled = false;
    std::deque<TMsgResult> answers;
    std::deque<std::optional<std::string>> inputs;
    std::deque<std::optional<std::string>> files;
    std::deque<std::function<void(QDialog*)>> dialogActions;
    std::vector<TMessage> shownMessages;
    // Files and addresses to be opened with the desktop, recorded instead.
    std::vector<std::string> openedDocuments;
};

TModalHooks& ModalHooks();

// Runs a dialog modally, or under the next queued test action.
int ExecDialog(QDialog& dialog);

}  // namespace zentrix::gui
