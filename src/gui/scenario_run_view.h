#pragma once

// The scenario page's observer of a run (its panels, the executed line, the stop command).
#include <QLabel>

#include "app/scenario_run.h"
#include "gui/action_list.h"
#include "gui/qt_ui_port.h"
#include "gui/scenario_page.h"

namespace zentrix::gui {

class TScenarioPage::TRunView : public TScenarioRunObserver {
  public:
    explicit TRunView(TScenarioPage& page) : page_(page) {}

    void ShowPanel(TScriptPanel panel, const std::string& text) override {
        const int index = static_cast<int>(panel);
        if (index == 0)
            page_.lines_->setText(Q(text));
        else if (index - 1 < page_.runPanels_.size())
            page_.runPanels_[index - 1]->setText(Q(text));
    }
    void SelectLine(int index) override { page_.SelectRow(index); }
    // The run is busy: only the stop command may come alive.
    void Polled() override { page_.actions_.RequestUpdate(); }

  private:
    TScenarioPage& page_;
};

}  // namespace zentrix::gui
