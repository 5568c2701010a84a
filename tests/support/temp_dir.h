#pragma once

#include <string>

#include "util/format.h"

namespace zentrix::test {

// A fresh folder under the system's temporary folder, removed with its content at the end.
class TTempDir {
  public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Sets the locale's separators (printed and in settings files) and restores them at the end.
class TFormatGuard : public TFormatScope {
  public:
    TFormatGuard(char decimal, const char* thousand = " ")
        : TFormatScope({decimal, thousand, decimal}) {}
};

}  // namespace zentrix::test
