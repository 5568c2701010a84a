#pragma once

#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "app/ui_port.h"

namespace zentrix::bench {

// A window that shows nothing and answers every question with its default: the cost measured
// is the engine's, status texts included.
class TQuietUi : public TUiPort {
  public:
    void SetStatusPanel(TStatusPanel, const std::string&) override {}
    void ShowStatus(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
    void SetBusyCursor(bool) override {}
    TMsgResult ShowMessage(const TMessage& m) override { return m.defaultButton; }
    std::optional<std::string> InputText(const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseFile(const TFileChoice&) override { return std::nullopt; }
    void ProgressShow(const std::string&, int, bool) override {}
    void ProgressUpdate(const std::string&, int) override {}
    void ProgressClose() override {}
    std::optional<std::string> ClipboardText() override { return std::nullopt; }
    void SetClipboardText(const std::string&) override {}
    void OpenDocument(const std::string&) override {}
    void ProcessEvents() override {}
    void Invalidate(TUiPart) override {}
};

}  // namespace zentrix::bench
