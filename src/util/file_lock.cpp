#include "util/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "util/files.h"

namespace zentrix {

TExclusiveFile::~TExclusiveFile() {
    Close();
}

void TExclusiveFile::Open(const std::string& path, std::chrono::milliseconds wait) {
    Close();
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) throw EFileError(path + ": " + SystemErrorText(errno));
    if (std::string problem = RegularFileProblem(fd); !problem.empty()) {
        ::close(fd);
        throw EFileError(path + ": " + problem);
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        if (err == EINTR) continue;
        if (err == EWOULDBLOCK && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        ::close(fd);
        if (err == EWOULDBLOCK) throw ELockBusy(path + ": файл занят другой программой");
        throw EFileError(path + ": " + SystemErrorText(err));
    }
    fd_ = fd;
    path_ = path;
}

void TExclusiveFile::Close() {
    if (fd_ < 0) return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace zentrix
