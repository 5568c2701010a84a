#pragma once

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

    // The data folder, resolved (and created) on first use.
    const std::string& DataFolder();

  private:
    std::optional<std::string> folder_;
};

}  // namespace zentrix::cli
