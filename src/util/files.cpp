#include "util/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "util/cp1251.h"
#include "util/errors.h"
#include "util/strings.h"

namespace zentrix {

namespace fs = std::filesystem;

std::string SystemErrorText(int error) {
    return std::strerror(error);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int64_t FileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return -1;
    return st.st_size;
}

void EnsureDirectory(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    if (ec) throw EFileError(path + ": " + ec.message());
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return (fs::path(folder) / name).string();
}

std::string ReadFileBytes(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EFileError(path + ": " + SystemErrorText(errno));
    std::string data;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            throw EFileError(path + ": " + SystemErrorText(err));
        }
        if (n == 0) break;
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

void AtomicWriteFile(const std::string& path, std::string_view bytes) {
    fs::path target(path);
    fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) throw EFileError(path + ": " + SystemErrorText(errno));
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(name.data());
        throw EFileError(path + ": " + SystemErrorText(err));
    };
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        done += static_cast<size_t>(n);
    }
    // Keep the permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
    struct stat st {};
    mode_t mode;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) fail(errno);
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(name.data());
        throw EFileError(path + ": " + SystemErrorText(err));
    }
    if (::rename(name.data(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(name.data());
        throw EFileError(path + ": " + SystemErrorText(err));
    }
}

std::string ReadTextFile(const std::string& path) {
    std::string bytes = ReadFileBytes(path);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return bytes.substr(3);
    return Cp1251ToUtf8(bytes);
}

std::vector<std::string> ReadTextLines(const std::string& path) {
    return SplitLines(ReadTextFile(path));
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += Utf8ToCp1251(line);
        text += "\r\n";
    }
    AtomicWriteFile(path, text);
}

}  // namespace zentrix
