#pragma once

#include <string>

namespace zentrix {

// A file held open with an exclusive advisory lock for as long as the object lives; a second
// process asking for the same lock is refused at once.
class TExclusiveFile {
  public:
    TExclusiveFile() = default;
    ~TExclusiveFile();
    TExclusiveFile(const TExclusiveFile&) = delete;
    TExclusiveFile& operator=(const TExclusiveFile&) = delete;

    // Creates the file when missing. Raises EFileError when it cannot be opened or is locked.
    void Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    const std::string& Path() const { return path_; }

  private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace zentrix
