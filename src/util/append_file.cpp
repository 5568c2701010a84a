#include "util/append_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace zentrix {

int AppendToFile(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = 0;
    ssize_t n;
    do n = ::write(fd, bytes.data(), bytes.size());
    while (n < 0 && errno == EINTR);
    if (n != static_cast<ssize_t>(bytes.size())) error = n < 0 ? errno : ENOSPC;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

}  // namespace zentrix
