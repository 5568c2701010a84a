#include <QApplication>

#include <QIcon>
#include <QLibraryInfo>
#include <QThread>
#include <QTranslator>
#include "gui/application.h"

#include <filesystem>
#include <iostream>

#include "app/startup_switches.h"
#include "gui/main_window.h"
#include "util/help_files.h"
#include "util/processes.h"
#include "util/program_folder.h"

int main(int argc, char** argv) {
    zentrix::gui::TApplication app(argc, argv);
    QApplication::setApplicationName("Zentrix 8x20");
    QApplication::setWindowIcon(QIcon(":/zentrix/zentrix-8x20.png"));
    std::vector<std::string> args(argv + 1, argv + argc);
    zentrix::TStartupSwitches switches = zentrix::ParseStartupSwitches(args);
    const std::string exe = zentrix::ExecutablePath(argv[0]);
    // The interface is Russian: Qt's own dialogs and buttons too. An installed program carries
    // its own copy of Qt's translations; the system's serve otherwise.
    QTranslator qtTranslator;
    const QString ownTranslations = QString::fromStdString(
        (std::filesystem::path(exe).parent_path() / ".." / "share" / "zentrix" / "translations")
            .lexically_normal()
            .string());
    if (qtTranslator.load("qtbase_ru", ownTranslations) ||
        qtTranslator.load("qtbase_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    zentrix::SetHelpFolder(zentrix::FindHelpFolder(exe));

    if (switches.restart) {
        // The previous copy is ending: wait for it, about a minute at most.
        const std::string name = std::filesystem::path(exe).filename().string();
        for (int i = 0; i < 600 && zentrix::OtherProcessRunning(name); ++i) QThread::msleep(100);
        if (zentrix::OtherProcessRunning(name)) return 0;
    }

    std::string folder;
    try {
        folder = zentrix::ResolveDataFolder(switches.dir, exe, true);
    } catch (const std::exception& e) {
        std::cerr << "Zentrix_8x20: " << e.what() << "\n";
        return 1;
    }
    zentrix::gui::TFormMain window(switches, folder);
    window.show();
    return app.exec();
}
