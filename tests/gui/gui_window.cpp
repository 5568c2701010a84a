#include "gui/gui_window.h"

#include <QSignalSpy>

#include "app/startup_switches.h"
#include "core/archive_file.h"
#include "core/demo_archive.h"
#include "util/ini.h"
#include "util/program_folder.h"

namespace zentrix::test {

std::unique_ptr<gui::TFormMain> OpenWindow(const std::string& folder) {
    // Nothing leaves the machine: the start offers no download unless a test asks for one.
    TIniFile frm(ProgramFile(folder, ".frm"));
    if (!frm.ValueExists("TFormMain", "DownloadDrawsOnStart")) {
        frm.WriteInteger("TFormMain", "DownloadDrawsOnStart", 2);
        frm.UpdateFile();
    }
    // Nor does it look for updates.
    if (!frm.ValueExists("TFormMain", "AutoUpdates")) {
        frm.WriteBool("TFormMain", "AutoUpdates", false);
        frm.UpdateFile();
    }
    // Nor does it list the systems catalog unless a test switches the systems page on.
    if (!frm.ValueExists("TFormMain", "SystemsEnabled")) {
        frm.WriteBool("TFormMain", "SystemsEnabled", false);
        frm.UpdateFile();
    }
    // Nor asks the online scenario catalog: its panel starts hidden unless a test shows it.
    if (!frm.ValueExists("TFormMain", "ScriptLibraryOn")) {
        frm.WriteBool("TFormMain", "ScriptLibraryOn", false);
        frm.UpdateFile();
    }
    auto window = std::make_unique<gui::TFormMain>(TStartupSwitches{}, folder);
    QSignalSpy ready(window.get(), &gui::TFormMain::initializationFinished);
    window->show();
    // Sanitizer builds on a busy machine start slowly.
    if (!window->Initialized()) ready.wait(60000);
    return window;
}

void WriteArchive(const std::string& folder, int draws) {
    WriteDrawsFile(ProgramFile(folder, ".ldr"), MakeDemoDraws(draws, 1, 45292));
}

}  // namespace zentrix::test
