#include "cli/cli_ui.h"

#include "util/errors.h"

namespace zentrix::cli {

std::string MessageLine(const std::string& title, const std::string& text) {
    return text.starts_with(title) ? text : title + ": " + text;
}

TMsgResult TCliUi::ShowMessage(const TMessage& message) {
    if (message.buttons == TMsgButtons::Ok) {
        if (message.kind == TMsgKind::Error) ++errors_;
        err_ << MessageLine(message.title, message.text) << "\n";
        return TMsgResult::Ok;
    }
    if (auto answer = answers_.find(message.text); answer != answers_.end())
        return answer->second ? TMsgResult::Yes : TMsgResult::No;
    if (!assumeYes_) throw EZentrix(message.text + "\nДобавьте --yes, чтобы ответить \"Да\".");
    return TMsgResult::Yes;
}

std::optional<std::string> TCliUi::InputText(const std::string& title, const std::string& prompt,
                                             const std::string&) {
    throw EZentrix(title + ": " + prompt + " (в командной строке ввод недоступен)");
}

std::optional<std::string> TCliUi::ChooseFile(const TFileChoice& choice) {
    throw EZentrix(choice.title + ": выбор файла в командной строке недоступен");
}

void TCliUi::OpenDocument(const std::string& target) {
    err_ << target << "\n";
}

}  // namespace zentrix::cli
