#pragma once

#include <string>

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

// Restores the decimal and thousand separators a test changed.
class TFormatGuard {
  public:
    TFormatGuard(char decimal, const char* thousand = " ");
    ~TFormatGuard();

  private:
    char decimal_;
    std::string thousand_;
};

}  // namespace zentrix::test
