#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zentrix {

// The program's command-line switches. A switch matches an argument equal to its name ignoring
// case, bare or after "-", "--", "/" or "\". "--dir DIR" (or "--dir=DIR") names the data folder.
struct TStartupSwitches {
    bool restart = false;
    bool noLanguage = false;
    bool loadOnly = false;
    bool fullRecreate = false;
    bool fullRefresh = false;
    // Shows the main window once initialized, then ends: a check that an installation starts.
    bool quitAfterStart = false;
    std::optional<std::string> dir;

    // loadonly, fullrecreate and fullrefresh end the run after the initialization.
    bool EndsAfterInit() const { return loadOnly || fullRecreate || fullRefresh; }
};

TStartupSwitches ParseStartupSwitches(const std::vector<std::string>& args);

}  // namespace zentrix
