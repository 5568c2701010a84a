#pragma once

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/ui_port.h"

namespace zentrix::test {

// The scripted UiPort: records everything shown and answers from queues.
class TFakeUi : public TUiPort {
  public:
    // What was shown, in order: "status:<text>", "box:<title>:<text>", "progress:<text>:<max>",
    // "progress-step:<pos>", "progress-close", "clipboard:<text>", "open:<target>", "wait:<text>",
    // "wait-close".
    std::vector<std::string> events;
    std::vector<TMessage> messages;
    std::array<std::string, 6> panels;
    std::string status;
    bool busyCursor = false;
    std::vector<TUiPart> invalidated;

    // Answers for questions; an unanswered question takes its default button.
    std::deque<TMsgResult> answers;
    std::deque<std::optional<std::string>> inputs;
    std::deque<std::optional<std::string>> files;
    std::optional<std::string> clipboard;

    // The texts of the message boxes shown so far.
    std::vector<std::string> MessageTexts() const;
    // The status texts shown so far (non-empty ones).
    std::vector<std::string> StatusTexts() const;
    void Clear();

    void SetStatusPanel(TStatusPanel panel, const std::string& text) override;
    void ShowStatus(const std::string& text) override;
    void SetBusyCursor(bool busy) override { busyCursor = busy; }
    TMsgResult ShowMessage(const TMessage& message) override;
    std::optional<std::string> InputText(const std::string& title, const std::string& prompt,
                                         const std::string& initial) override;
    std::optional<std::string> ChooseFile(const TFileChoice& choice) override;
    void ProgressShow(const std::string& text, int maximum, bool withStop) override;
    void ProgressUpdate(const std::string& text, int position) override;
    void ProgressClose() override;
    std::optional<std::string> ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override;
    void OpenDocument(const std::string& target) override;
    // "wait:<text>" (only when the text changes) and "wait-close".
    void WaitShow(const std::string& text) override;
    void WaitClose() override;
    std::string waitText;
    void ProcessEvents() override {}
    void Invalidate(TUiPart part) override { invalidated.push_back(part); }
};

}  // namespace zentrix::test
