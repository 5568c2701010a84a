#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <utility>

namespace zentrix::cli {

// What every command gets: its output streams and the global options.
struct TCliContext {
    TCliContext(std::ostream& o, std::ostream& e, std::string exe)
        : out(o), err(e), executablePath(std::move(exe)) {}

    std::ostream& out;
    std::ostream& err;
    std::optional<std::string> dirOption;
    std::string executablePath;

    // The data folder, resolved (and created) on first use.
    const std::string& DataFolder();

  private:
    std::optional<std::string> folder_;
};

}  // namespace zentrix::cli
