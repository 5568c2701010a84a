#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace zentrix::test {

using TGuiTestFactory = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, TGuiTestFactory>& GuiTests();

struct TGuiTestRegistration {
    TGuiTestRegistration(const char* name, TGuiTestFactory factory) {
        GuiTests()[name] = std::move(factory);
    }
};

}  // namespace zentrix::test

// Registers a Qt Test class; CMake turns each registration into one CTest test.
#define ZENTRIX_GUI_TEST(Class)                                        \
    static ::zentrix::test::TGuiTestRegistration registration_##Class( \
        #Class, [] { return std::unique_ptr<QObject>(new Class); })
