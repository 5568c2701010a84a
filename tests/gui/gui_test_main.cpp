#include "gui/gui_test_main.h"

#include <QApplication>
#include <QTest>

#include <cstdio>

namespace zentrix::test {

std::map<std::string, TGuiTestFactory>& GuiTests() {
    static std::map<std::string, TGuiTestFactory> tests;
    return tests;
}

}  // namespace zentrix::test

// zentrix_gui_tests [Class [Qt Test arguments...]]: one class, or every class.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto& tests = zentrix::test::GuiTests();
    int failures = 0;
    if (argc > 1 && argv[1][0] != '-') {
        auto it = tests.find(argv[1]);
        if (it == tests.end()) {
            std::fprintf(stderr, "no GUI test class %s\n", argv[1]);
            return 2;
        }
        auto object = it->second();
        failures = QTest::qExec(object.get(), argc - 1, argv + 1);
    } else {
        for (auto& [name, factory] : tests) {
            auto object = factory();
            failures += QTest::qExec(object.get(), argc, argv);
        }
    }
    return failures == 0 ? 0 : 1;
}
