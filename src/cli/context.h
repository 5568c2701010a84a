#pragma once

#include <chrono>
#include <exception>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

namespace zentrix::cli {

// Ends a command with an exit status after its messages were already shown.
class ECliExit : public std::exception {
  public:
    explicit ECliExit(int status) : status_(status) {}
    int Status() const { return status_; }
    const char* what() const noexcept override { return "exit"; }

  private:
    int status_;
};

// What every command gets: its output streams and the global options.
struct TCliContext {
    TCliContext(std::ostream& o, std::ostream& e, std::string exe)
        : out(o), err(e), executablePath(std::move(exe)) {}

    std::ostream& out;
    std::ostream& err;
    std::optional<std::string> dirOption;
    std::string executablePath;
    // How long a command that writes into the data folder waits while another holds it.
    std::chrono::milliseconds lockWait{5000};

    // The data folder, resolved on first use; a missing folder is an error.
    const std::string& DataFolder();
    // The same, creating the folder when missing (the one command that starts a folder).
    const std::string& CreateDataFolder();

  private:
    std::optional<std::string> folder_;
};

}  // namespace zentrix::cli
