#pragma once

#include <stdexcept>
#include <string>

namespace zentrix {

// Base of every error the program raises. User actions catch it, show its text and leave the
// data as it was.
class EZentrix : public std::runtime_error {
  public:
    explicit EZentrix(const std::string& message) : std::runtime_error(message) {}
};

// A text that does not convert to the value asked for (numbers, dates, format arguments).
class EConvertError : public EZentrix {
  public:
    using EZentrix::EZentrix;
};

// A file that cannot be opened, read, written or renamed.
class EFileError : public EZentrix {
  public:
    using EZentrix::EZentrix;
};

}  // namespace zentrix
