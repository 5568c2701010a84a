#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "app/ui_port.h"

namespace zentrix::cli {

// A message as one stderr text: "title: text", or the text alone when it already begins with its
// title ("Ошибка чтения ..." under "Ошибка").
std::string MessageLine(const std::string& title, const std::string& text);

// The command line's UiPort: messages go to stderr, questions are answered by --yes (and fail
// without it), status texts are dropped. Error boxes are counted so the command can exit with 1;
// warnings are shown and not counted.
class TCliUi : public TUiPort {
  public:
    TCliUi(std::ostream& err, bool assumeYes) : err_(err), assumeYes_(assumeYes) {}

    int ErrorCount() const { return errors_; }
    // The answer to one question, given by its own flag rather than by --yes.
    void SetAnswer(const std::string& question, bool yes) { answers_[question] = yes; }
    // What a command put on the "clipboard" (there is none in a terminal).
    const std::string& Clipboard() const { return clipboard_; }
    void SetClipboardInput(std::string text) { clipboardInput_ = std::move(text); }

    void SetStatusPanel(TStatusPanel, const std::string&) override {}
    void ShowStatus(const std::string&) override {}
    void SetBusyCursor(bool) override {}
    TMsgResult ShowMessage(const TMessage& message) override;
    std::optional<std::string> InputText(const std::string& title, const std::string& prompt,
                                         const std::string& initial) override;
    std::optional<std::string> ChooseFile(const TFileChoice& choice) override;
    void ProgressShow(const std::string&, int, bool) override {}
    void ProgressUpdate(const std::string&, int) override {}
    void ProgressClose() override {}
    std::optional<std::string> ClipboardText() override { return clipboardInput_; }
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    void OpenDocument(const std::string& target) override;
    void ProcessEvents() override {}
    void Invalidate(TUiPart) override {}

  private:
    std::ostream& err_;
    bool assumeYes_;
    std::map<std::string, bool> answers_;
    int errors_ = 0;
    std::string clipboard_;
    std::optional<std::string> clipboardInput_;
};

}  // namespace zentrix::cli
