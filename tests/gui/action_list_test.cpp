#include <QAction>
#include <QTest>

#include <string>
#include <vector>

#include "gui/action_list.h"
#include "gui/gui_test_main.h"
#include "util/errors.h"

namespace zentrix::gui {

class TestActionList : public QObject {
    Q_OBJECT
  private slots:
    void aFailingConditionDisablesItsActionAndIsShownOnce() {
        QObject owner;
        std::vector<std::string> shown;
        TActionList actions(
            &owner, [] { return true; },
            [&shown](const std::exception& e) { shown.push_back(e.what()); });
        bool broken = true;
        QAction* action = actions.Add(
            "Пункт", {}, {},
            [&broken] {
                if (broken) throw EZentrix("Сбой");
                return true;
            },
            [] {});
        actions.UpdateNow();
        QVERIFY(!action->isEnabled());
        QCOMPARE(shown, std::vector<std::string>{"Сбой"});
        actions.UpdateNow();  // the same lasting fault: no second box
        QCOMPARE(shown.size(), size_t(1));
        broken = false;
        actions.UpdateNow();
        QVERIFY(action->isEnabled());
        broken = true;
        actions.UpdateNow();  // a new fault after a good read is shown again
        QCOMPARE(shown.size(), size_t(2));
    }

    void anExecutionFailureIsShown() {
        QObject owner;
        std::vector<std::string> shown;
        TActionList actions(
            &owner, [] { return true; },
            [&shown](const std::exception& e) { shown.push_back(e.what()); });
        QAction* action =
            actions.Add("Пункт", {}, {}, {}, [] { throw EFileError("Файл не записан"); });
        actions.UpdateNow();
        action->trigger();
        QCOMPARE(shown, std::vector<std::string>{"Файл не записан"});
    }
};

ZENTRIX_GUI_TEST(TestActionList);

}  // namespace zentrix::gui

#include "action_list_test.moc"
