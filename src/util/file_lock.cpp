#include "util/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "util/errors.h"
#include "util/files.h"

namespace zentrix {

TExclusiveFile::~TExclusiveFile() {
    Close();
}

void TExclusiveFile::Open(const std::string& path) {
    Close();
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) throw EFileError(path + ": " + SystemErrorText(errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        throw EFileError(path + ": " +
                         (err == EWOULDBLOCK ? std::string("файл занят другой программой")
                                             : SystemErrorText(err)));
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
