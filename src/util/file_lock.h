#pragma once

#include <chrono>
#include <string>

#include "util/errors.h"

namespace zentrix {

// The lock was still held by another process (or another open of the file) when the wait ended.
class ELockBusy : public EFileError {
  public:
    using EFileError::EFileError;
};

// A file held open with an exclusive advisory lock for as long as the object lives.
class TExclusiveFile {
  public:
    TExclusiveFile() = default;
    ~TExclusiveFile();
    TExclusiveFile(const TExclusiveFile&) = delete;
    TExclusiveFile& operator=(const TExclusiveFile&) = delete;

    // Creates the file when missing. While another holder has the lock, tries again for up to
    // `wait`, then raises ELockBusy; EFileError when the file cannot be opened.
    void Open(const std::string& path, std::chrono::milliseconds wait = {});
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    const std::string& Path() const { return path_; }

  private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace zentrix
