#include "support/fake_ui.h"

namespace zentrix::test {

std::vector<std::string> TFakeUi::MessageTexts() const {
    std::vector<std::string> texts;
    for (const TMessage& m : messages) texts.push_back(m.text);
    return texts;
}

std::vector<std::string> TFakeUi::StatusTexts() const {
    std::vector<std::string> texts;
    for (const std::string& e : events)
        if (e.rfind("status:", 0) == 0 && e.size() > 7) texts.push_back(e.substr(7));
    return texts;
}

void TFakeUi::Clear() {
    events.clear();
    messages.clear();
    invalidated.clear();
}

void TFakeUi::SetStatusPanel(TStatusPanel panel, const std::string& text) {
    const auto index = static_cast<size_t>(panel);
    if (index < panels.size()) panels[index] = text;
}

void TFakeUi::WaitShow(const std::string& text) {
    if (text != waitText) events.push_back("wait:" + text);
    waitText = text;
}

void TFakeUi::WaitClose() {
    waitText.clear();
    events.push_back("wait-close");
}

void TFakeUi::ShowStatus(const std::string& text) {
    status = text;
    events.push_back("status:" + text);
}

TMsgResult TFakeUi::ShowMessage(const TMessage& message) {
    messages.push_back(message);
    events.push_back("box:" + message.title + ":" + message.text);
    if (message.buttons == TMsgButtons::Ok) return TMsgResult::Ok;
    if (answers.empty()) return message.defaultButton;
    TMsgResult r = answers.front();
    answers.pop_front();
    return r;
}

std::optional<std::string> TFakeUi::InputText(const std::string& title, const std::string& prompt,
                                              const std::string&) {
    events.push_back("input:" + title + ":" + prompt);
    if (inputs.empty()) return std::nullopt;
    auto r = inputs.front();
    inputs.pop_front();
    return r;
}

std::optional<std::string> TFakeUi::ChooseFile(const TFileChoice& choice) {
    events.push_back(std::string(choice.save ? "save-file:" : "open-file:") + choice.filter);
    if (files.empty()) return std::nullopt;
    auto r = files.front();
    files.pop_front();
    return r;
}

void TFakeUi::ProgressShow(const std::string& text, int maximum, bool) {
    events.push_back("progress:" + text + ":" + std::to_string(maximum));
}

void TFakeUi::ProgressUpdate(const std::string&, int position) {
    events.push_back("progress-step:" + std::to_string(position));
}

void TFakeUi::ProgressClose() {
    events.push_back("progress-close");
}

void TFakeUi::SetClipboardText(const std::string& text) {
    clipboard = text;
    events.push_back("clipboard:" + text);
}

void TFakeUi::OpenDocument(const std::string& target) {
    events.push_back("open:" + target);
}

}  // namespace zentrix::test
