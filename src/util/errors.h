#pragma once

#include <new>
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

// The text to show for a failure: its message, or a plain out-of-memory text for std::bad_alloc
// (whose own text, "std::bad_alloc", says nothing to the user).
inline std::string ErrorText(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return "Недостаточно памяти для выполнения операции!";
    return error.what();
}

}  // namespace zentrix
