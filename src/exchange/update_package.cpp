#include "exchange/update_package.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "exchange/update_description.h"
#include "util/files.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr size_t kBlock = 32768;

// Calls `consume` with the file's bytes in blocks.
template <typename F>
void ReadBlocks(const std::string& path, F consume) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EFileError(Format("Файл \"%s\" не найден!", {path}));
    std::array<char, kBlock> buffer;
    while (in) {
        in.read(buffer.data(), buffer.size());
        const std::streamsize n = in.gcount();
        if (n > 0) consume(reinterpret_cast<const unsigned char*>(buffer.data()), size_t(n));
    }
    if (in.bad()) throw EFileError("Ошибка чтения файла \"" + path + "\"");
}

const std::array<uint32_t, 256>& CrcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

std::string Hex(const unsigned char* bytes, size_t n) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += digits[bytes[i] >> 4];
        s += digits[bytes[i] & 15];
    }
    return s;
}

// --- the tar reader -------------------------------------------------------------------------

constexpr size_t kTarBlock = 512;

EUpdateError ArchiveError(const std::string& what) {
    return EUpdateError("Пакет обновления отклонен: " + what);
}

std::string Field(const unsigned char* header, size_t offset, size_t length) {
    std::string s(reinterpret_cast<const char*>(header + offset), length);
    const size_t end = s.find('\0');
    return end == std::string::npos ? s : s.substr(0, end);
}

int64_t Octal(const unsigned char* header, size_t offset, size_t length) {
    // Base-256 numbers (the high bit set) only appear for sizes past every limit: refused.
    if (header[offset] & 0x80) throw ArchiveError("слишком большой файл в архиве");
    int64_t value = 0;
    size_t i = offset;
    const size_t end = offset + length;
    while (i < end && header[i] == ' ') ++i;
    for (; i < end && header[i] >= '0' && header[i] <= '7'; ++i) {
        if (value > (int64_t{1} << 50)) throw ArchiveError("неверный заголовок архива");
        value = value * 8 + (header[i] - '0');
    }
    for (; i < end; ++i)
        if (header[i] != ' ' && header[i] != '\0') throw ArchiveError("неверный заголовок архива");
    return value;
}

bool ChecksumMatches(const unsigned char* header) {
    int64_t sum = 0;
    for (size_t i = 0; i < kTarBlock; ++i) sum += (i >= 148 && i < 156) ? ' ' : header[i];
    return sum == Octal(header, 148, 8);
}

// The entry's name as safe relative components, or an error naming the entry.
std::vector<std::string> SafeComponents(const std::string& name) {
    auto refuse = [&](const char* why) { return ArchiveError(Format("%s: \"%s\"", {why, name})); };
    if (name.empty()) throw refuse("пустое имя файла");
    if (name.front() == '/') throw refuse("абсолютный путь");
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f || c == '\\') throw refuse("недопустимый символ в имени");
    std::vector<std::string> parts;
    for (const std::string& part : SplitAny(name, "/")) {
        if (part == "..") throw refuse("выход за пределы папки (\"..\")");
        if (part != ".") parts.push_back(part);
    }
    if (parts.empty()) throw refuse("пустое имя файла");
    return parts;
}

// A folder inside the unpack folder: made when missing; anything else by that name is refused.
void MakeFolder(const std::string& path, const std::string& name) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) throw ArchiveError("имя занято файлом: \"" + name + "\"");
        return;
    }
    if (mkdir(path.c_str(), 0755) != 0)
        throw EFileError(
            Format("Не удалось создать папку \"%s\"\n\n%s", {path, SystemErrorText(errno)}));
}

struct TGzCloser {
    void operator()(gzFile f) const { gzclose(f); }
};

class TTarReader {
  public:
    TTarReader(const std::string& path, const std::string& folder, const TUnpackLimits& limits)
        : folder_(folder), limits_(limits) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) throw EFileError(Format("Файл \"%s\" не найден!", {path}));
        file_.reset(gzdopen(fd, "rb"));
        if (!file_) {
            close(fd);
            throw EFileError("Ошибка чтения файла \"" + path + "\"");
        }
        gzbuffer(file_.get(), kBlock);
    }

    std::vector<std::string> Run() {
        std::array<unsigned char, kTarBlock> header{};
        while (true) {
            // An archive ends with a zero block: one cut short is refused.
            Read(header.data(), kTarBlock);
            if (IsZero(header.data())) break;
            if (!ChecksumMatches(header.data()))
                throw ArchiveError("неверная контрольная сумма заголовка (это не архив tar?)");
            Entry(header.data());
        }
        return written_;
    }

  private:
    static bool IsZero(const unsigned char* b) {
        for (size_t i = 0; i < kTarBlock; ++i)
            if (b[i]) return false;
        return true;
    }

    void Read(unsigned char* buffer, size_t n) {
        size_t done = 0;
        while (done < n) {
            const int got = gzread(file_.get(), buffer + done, unsigned(n - done));
            if (got < 0) throw ArchiveError("поврежденные сжатые данные");
            if (!directChecked_) {
                directChecked_ = true;
                if (gzdirect(file_.get()))
                    throw ArchiveError("файл не сжат gzip (ожидался .tar.gz)");
            }
            if (got == 0) throw ArchiveError("архив обрывается");
            done += size_t(got);
        }
    }

    void Entry(const unsigned char* header) {
        if (++entries_ > limits_.maxEntries) throw ArchiveError("слишком много файлов в архиве");
        const char type = char(header[156]);
        std::string name = Field(header, 0, 100);
        if (Field(header, 257, 5) == "ustar") {
            const std::string prefix = Field(header, 345, 155);
            if (!prefix.empty()) name = prefix + "/" + name;
        }
        const int64_t size = Octal(header, 124, 12);
        switch (type) {
            case '0':
            case '\0':
            case '7':
                File(name, size, int(Octal(header, 100, 8)));
                return;
            case '5':
                Folder(name);
                Skip(size);
                return;
            case '1':
            case '2':
                throw ArchiveError("ссылки не допускаются: \"" + name + "\"");
            case '3':
            case '4':
            case '6':
                throw ArchiveError("файлы устройств и каналы не допускаются: \"" + name + "\"");
            default:
                throw ArchiveError(Format(
                    "неподдерживаемый тип записи '%s' (\"%s\"); пакет собирается командой tar "
                    "--format=ustar",
                    {std::string(1, type), name}));
        }
    }

    // The folders above the entry made; the entry's full path.
    std::string Prepare(const std::vector<std::string>& parts, size_t folders) {
        std::string path = folder_;
        std::string relative;
        for (size_t i = 0; i < parts.size(); ++i) {
            path = JoinPath(path, parts[i]);
            relative = relative.empty() ? parts[i] : relative + "/" + parts[i];
            if (i < folders) MakeFolder(path, relative);
        }
        return path;
    }

    void Folder(const std::string& name) {
        // "./", the archive's own top folder as tar -C DIR . writes it, is the unpack folder.
        if (name == "." || name == "./") return;
        const std::vector<std::string> parts = SafeComponents(name);
        Prepare(parts, parts.size());
    }

    void File(const std::string& name, int64_t size, int mode) {
        const std::vector<std::string> parts = SafeComponents(name);
        if (size > limits_.maxFileBytes)
            throw ArchiveError("слишком большой файл: \"" + name + "\"");
        total_ += size;
        if (total_ > limits_.maxTotalBytes) throw ArchiveError("слишком большой объем распаковки");
        const std::string path = Prepare(parts, parts.size() - 1);
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            (mode & 0777) | 0600);
        if (fd < 0) {
            if (errno == EEXIST) throw ArchiveError("имя повторяется: \"" + name + "\"");
            throw EFileError(
                Format("Не удалось создать файл \"%s\"\n\n%s", {path, SystemErrorText(errno)}));
        }
        written_.push_back(Join(parts, "/"));
        std::array<unsigned char, kBlock> buffer;
        int64_t left = size;
        bool ok = true;
        while (left > 0) {
            const size_t n = size_t(std::min<int64_t>(left, int64_t(buffer.size())));
            Read(buffer.data(), n);
            for (size_t done = 0; ok && done < n;) {
                const ssize_t w = write(fd, buffer.data() + done, n - done);
                if (w <= 0)
                    ok = false;
                else
                    done += size_t(w);
            }
            left -= int64_t(n);
        }
        const int error = errno;
        if (close(fd) != 0) ok = false;
        if (!ok)
            throw EFileError(
                Format("Ошибка записи файла \"%s\"\n\n%s", {path, SystemErrorText(error)}));
        SkipPadding(size);
    }

    void Skip(int64_t size) {
        std::array<unsigned char, kTarBlock> buffer;
        for (int64_t left = size; left > 0; left -= int64_t(kTarBlock))
            Read(buffer.data(), kTarBlock);
    }

    void SkipPadding(int64_t size) {
        const size_t rest = size_t(size % int64_t(kTarBlock));
        if (rest == 0) return;
        std::array<unsigned char, kTarBlock> buffer;
        Read(buffer.data(), kTarBlock - rest);
    }

    std::string folder_;
    TUnpackLimits limits_;
    std::unique_ptr<gzFile_s, TGzCloser> file_;
    bool directChecked_ = false;
    int entries_ = 0;
    int64_t total_ = 0;
    std::vector<std::string> written_;
};

}  // namespace

std::string FileCrc32(const std::string& path) {
    const auto& table = CrcTable();
    uint32_t crc = 0xFFFFFFFFu;
    ReadBlocks(path, [&](const unsigned char* p, size_t n) {
        for (size_t i = 0; i < n; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    });
    char text[9];
    std::snprintf(text, sizeof text, "%08X", crc ^ 0xFFFFFFFFu);
    return text;
}

std::string FileSha256(const std::string& path) {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1)
        throw EUpdateError("SHA-256 недоступен");
    ReadBlocks(path, [&](const unsigned char* p, size_t n) { EVP_DigestUpdate(ctx.get(), p, n); });
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(ctx.get(), digest, &length);
    return Hex(digest, length);
}

void CheckPackageSums(const std::string& path, const std::string& crc32,
                      const std::string& sha256) {
    if (!crc32.empty() && !SameText(FileCrc32(path), crc32))
        throw EUpdateError("Неверная контрольная сумма скачанного файла.");
    if (!SameText(FileSha256(path), sha256))
        throw EUpdateError("Неверная контрольная сумма SHA-256 скачанного файла.");
}

std::vector<std::string> UnpackTarGz(const std::string& archivePath, const std::string& folder,
                                     const TUnpackLimits& limits) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec) || !std::filesystem::is_empty(folder, ec) || ec)
        throw EFileError("Папка распаковки должна существовать и быть пустой: " + folder);
    return TTarReader(archivePath, folder, limits).Run();
}

}  // namespace zentrix
