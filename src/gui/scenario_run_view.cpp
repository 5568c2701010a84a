// The scenario page's share of a run: its commands, panels and the pages a run disables.
#include <QAction>
#include <QLabel>

#include "app/scenario_run.h"
#include "app/session.h"
#include "gui/action_list.h"
#include "gui/list_view.h"
#include "gui/qt_ui_port.h"
#include "gui/scenario_page.h"
#include "gui/scenario_run_view.h"

namespace zentrix::gui {

// The run forgets the page's observer when each run ends; the session may be gone by now.
TScenarioPage::~TScenarioPage() = default;

QLabel* TScenarioPage::Panel(int index) const {
    return index == 0 ? lines_ : runPanels_.value(index - 1, nullptr);
}

void TScenarioPage::CreateRunActions() {
    TScenarioRun& run = session_.Run();
    runView_ = std::make_unique<TRunView>(*this);
    TActions& a = commands_;
    a.forecast = actions_.Add(
        "Прогноз", "Выполнить сценарий для следующего тиража", QKeySequence("F10"),
        [&run] { return run.CanForecast(); },
        [this, &run] { RunScenario([&run] { run.Forecast(); }); });
    a.test = actions_.Add(
        "Тест", "Проверить сценарий на последних тиражах архива", QKeySequence("Ctrl+F10"),
        [&run] { return run.CanTest(); }, [this, &run] { RunScenario([&run] { run.Test(); }); });
    a.stop = actions_.Add(
        "Стоп", "Остановить выполнение сценария", QKeySequence("Ctrl+X"),
        [&run] { return run.CanStop(); }, [&run] { run.Stop(); });
    actions_.AllowWhileBusy(a.stop);
    a.log = actions_.AddCheck(
        "Журнал выполнения сценария", "Записывать журнал выполнения сценария",
        [&run] { return run.CanToggleLog(); }, [&run] { return run.LogEnabled(); },
        [&run] { run.ToggleLog(); });
    a.deleteLogs = actions_.Add(
        "Удалить журналы выполнения сценариев", "Удалить файлы журналов выполнения сценариев", {},
        [&run] { return run.CanDeleteLogs(); }, [&run] { run.DeleteLogs(); });
    a.checkOnLine = actions_.AddCheck(
        "Проверять ставки после каждой строки сценария",
        "Проверять ставки после выполнения каждой строки сценария",
        [&run] { return run.CanToggleCheckOnLine(); }, [&run] { return run.CheckOnLine(); },
        [&run] { run.ToggleCheckOnLine(); });
}

void TScenarioPage::RunScenario(const std::function<void()>& runIt) {
    TScenarioRun& run = session_.Run();
    run.SetObserver(runView_.get());
    QList<QWidget*> disabled;
    for (QWidget* w : runPages_ + QList<QWidget*>{list_})
        if (w->isEnabled()) {
            w->setEnabled(false);
            disabled.push_back(w);
        }
    struct TRestore {
        std::function<void()> fn;
        ~TRestore() { fn(); }
    } restore{[&] {
        for (QWidget* w : disabled) w->setEnabled(true);
        run.SetObserver(nullptr);
        actions_.RequestUpdate();
    }};
    runIt();
}

}  // namespace zentrix::gui
