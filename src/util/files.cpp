#include "util/files.h"

#include <fcntl.h>
#include <locale.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "util/cp1251.h"
#include "util/errors.h"
#include "util/strings.h"

namespace zentrix {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNotRegularFile = "это не обычный файл";
constexpr const char* kDanglingLink = "символическая ссылка указывает на несуществующий файл";
constexpr size_t kReadSlack = 1 << 20;
// mkostemp replaces these with letters and digits.
constexpr std::string_view kTemporarySuffix = ".XXXXXX";

// The C library's messages in Russian when that locale and its translations are installed; only
// for these texts, so number formatting and the rest of the program keep the C locale.
locale_t RussianMessages() {
    static const locale_t locale = [] {
        for (const char* name : {"ru_RU.UTF-8", "ru_RU.utf8"})
            if (locale_t l = ::newlocale(LC_MESSAGES_MASK | LC_CTYPE_MASK, name, locale_t(0)))
                return l;
        return locale_t(0);
    }();
    return locale;
}

EFileError FileError(const std::string& path, const std::string& reason) {
    return EFileError(path + ": " + reason);
}

EFileError FileError(const std::string& path, int error) {
    return FileError(path, SystemErrorText(error));
}

// A file or folder without any write bit was made read-only on purpose: even root keeps off it.
int WriteRefusal(const std::string& path, const struct stat& st) {
    if ((st.st_mode & 0222) == 0) return EACCES;
    return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

// 0 when the folder is missing (creating the file reports that) or may be written.
int FolderWriteRefusal(const std::string& folder) {
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 ? WriteRefusal(folder, st) : 0;
}

void RequireRegular(const std::string& path, const struct stat& st) {
    if (S_ISDIR(st.st_mode)) throw FileError(path, EISDIR);
    if (!S_ISREG(st.st_mode)) throw FileError(path, kNotRegularFile);
}

// The file a save replaces: the end of a chain of links (which must exist), a regular file the
// user may write. Empty `st` mode when the name is free.
std::string SaveTarget(const std::string& path, struct stat& st) {
    st = {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) throw FileError(path, errno);
        st = {};
        return path;
    }
    std::string real = path;
    if (S_ISLNK(st.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (!resolved)
            throw FileError(path, errno == ENOENT ? kDanglingLink : SystemErrorText(errno));
        real = resolved;
        std::free(resolved);
        if (::stat(real.c_str(), &st) != 0) throw FileError(path, errno);
    }
    RequireRegular(path, st);
    if (int err = WriteRefusal(real, st)) throw FileError(path, err);
    return real;
}

}  // namespace

std::string SystemErrorText(int error) {
    if (locale_t russian = RussianMessages()) return ::strerror_l(error, russian);
    return std::strerror(error);
}

void RequireWritableFolder(const std::string& folder) {
    if (int err = FolderWriteRefusal(folder)) throw FileError(folder, err);
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
    // Both categories carry errno values on this platform.
    const bool errnoValue =
        ec.category() == std::system_category() || ec.category() == std::generic_category();
    if (ec) throw FileError(path, errnoValue ? SystemErrorText(ec.value()) : ec.message());
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return (fs::path(folder) / name).string();
}

std::string RegularFileProblem(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return SystemErrorText(errno);
    if (S_ISDIR(st.st_mode)) return SystemErrorText(EISDIR);
    if (!S_ISREG(st.st_mode)) return kNotRegularFile;
    return {};
}

std::string ReadAvailableBytes(const std::string& path, std::string& error) {
    error.clear();
    // Non-blocking, so that a FIFO in place of a data file is refused instead of waited for.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = SystemErrorText(errno);
        return {};
    }
    error = RegularFileProblem(fd);
    struct stat st {};
    if (error.empty() && ::fstat(fd, &st) != 0) error = SystemErrorText(errno);
    if (!error.empty()) {
        ::close(fd);
        return {};
    }
    // To the end, but not much past the size the file had when opened (the slack covers files
    // that report no size, as /proc does): a file that keeps growing is not read forever.
    const size_t limit = static_cast<size_t>(st.st_size) + kReadSlack;
    std::string data;
    data.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    while (data.size() < limit) {
        ssize_t n = ::read(fd, buf, std::min(sizeof buf, limit - data.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            error = SystemErrorText(errno);
            break;
        }
        if (n == 0) break;
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

std::string ReadFileBytes(const std::string& path) {
    std::string error;
    std::string data = ReadAvailableBytes(path, error);
    if (!error.empty()) throw FileError(path, error);
    return data;
}

void AtomicWriteFile(const std::string& path, std::string_view bytes, int permissions) {
    struct stat st {};
    const fs::path target(SaveTarget(path, st));
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (int err = FolderWriteRefusal(folder.string())) throw FileError(path, err);
    std::string pattern =
        (folder / ("." + target.filename().string() + std::string(kTemporarySuffix))).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) throw FileError(path, errno);
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(name.data());
        throw FileError(path, err);
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
    mode_t mode;
    if (permissions >= 0) {
        mode = static_cast<mode_t>(permissions) & 07777;
    } else if (st.st_mode != 0) {
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
        throw FileError(path, err);
    }
    if (::rename(name.data(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(name.data());
        throw FileError(path, err);
    }
}

std::optional<std::string> SaveTemporaryTarget(std::string_view entryName) {
    const size_t random = kTemporarySuffix.size() - 1;
    if (entryName.size() < 1 + 1 + kTemporarySuffix.size() || entryName[0] != '.' ||
        entryName[entryName.size() - kTemporarySuffix.size()] != '.')
        return std::nullopt;
    for (char c : entryName.substr(entryName.size() - random))
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return std::nullopt;
    return std::string(entryName.substr(1, entryName.size() - 1 - kTemporarySuffix.size()));
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
