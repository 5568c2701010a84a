#include "stakes/stakes_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/archive_file.h"
#include "util/files.h"
#include "util/format.h"

namespace zentrix {

namespace {

constexpr int64_t kRecordSize = static_cast<int64_t>(kStakeRecordSize);
constexpr uint8_t kUnfinished = 0;

[[noreturn]] void Fail(const std::string& path, int error) {
    throw EFileError(path + ": " + SystemErrorText(error));
}

std::string ReadAt(int fd, const std::string& path, int64_t offset, int64_t size) {
    std::string bytes(static_cast<size_t>(size), '\0');
    int64_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd, bytes.data() + done, size - done, offset + done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(path, errno);
        if (n == 0) throw EFileError(path + ": неожиданный конец файла");
        done += n;
    }
    return bytes;
}

std::string Serialize(const std::vector<TStakeRec>& records) {
    std::string bytes;
    bytes.reserve(records.size() * kStakeRecordSize);
    for (const TStakeRec& rec : records) WriteStakeRecord(bytes, rec);
    return bytes;
}

}  // namespace

const std::string& TStakesFile::Path() const {
    static const std::string none;
    return hold_ ? hold_->Path() : none;
}

std::string StakesStem(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return hasExtension ? path.substr(0, dot) : path;
}

std::string TStakesFile::JournalPath() const {
    return StakesStem(Path()) + ".~tmp";
}

int TStakesFile::Fd() const {
    RequireOpen();
    return hold_->Descriptor();
}

void TStakesFile::RequireOpen() const {
    if (!IsOpen()) throw EFileError("Файл ставок не открыт!");
}

TStakesOpenReport TStakesFile::Open(TExclusiveFile& hold) {
    hold_ = &hold;
    cache_.reset();
    RequireOpen();
    FinishJournal();
    DropUnfinished();
    TStakesOpenReport report;
    struct stat st {};
    if (::fstat(Fd(), &st) != 0) Fail(Path(), errno);
    const uint8_t first = st.st_size > 0 ? static_cast<uint8_t>(ReadAt(Fd(), Path(), 0, 1)[0]) : 0;
    report.problem = StakesFileProblem(st.st_size, first);
    if (report.problem.empty()) return report;
    report.damaged = true;
    report.backup = BackupDamagedFile(Path());
    Truncate(0);
    Flush();
    return report;
}

void TStakesFile::Close() {
    hold_ = nullptr;
    cache_.reset();
}

int64_t TStakesFile::Count() const {
    struct stat st {};
    if (::fstat(Fd(), &st) != 0) Fail(Path(), errno);
    return st.st_size / kRecordSize;
}

TStakeRec TStakesFile::Read(int64_t index) const {
    if (cache_ && cache_->first == index) return cache_->second;
    if (index < 0 || index >= Count())
        throw EFileError(Format(kStakeNotFound, {static_cast<long long>(index)}));
    TStakeRec rec = ReadStakeRecord(ReadAt(Fd(), Path(), index * kRecordSize, kRecordSize));
    cache_.emplace(index, rec);
    return rec;
}

std::optional<TStakeRec> TStakesFile::Last() const {
    const int64_t count = Count();
    if (count == 0) return std::nullopt;
    return Read(count - 1);
}

std::vector<TStakeRec> TStakesFile::ReadAll() const {
    const int64_t count = Count();
    const std::string bytes = ReadAt(Fd(), Path(), 0, count * kRecordSize);
    std::vector<TStakeRec> records;
    records.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i)
        records.push_back(ReadStakeRecord(std::string_view(bytes).substr(i * kRecordSize)));
    return records;
}

void TStakesFile::Append(const std::vector<TStakeRec>& records) {
    if (records.empty()) return;
    const int64_t oldSize = Count() * kRecordSize;
    std::string bytes = Serialize(records);
    for (size_t i = 0; i < records.size(); ++i) bytes[i * kStakeRecordSize] = kUnfinished;
    cache_.reset();
    try {
        // The size grows by whole records in one step; the content follows.
        Truncate(oldSize + static_cast<int64_t>(bytes.size()));
        WriteAt(bytes, oldSize);
        Flush();
        for (size_t i = 0; i < records.size(); ++i)
            WriteAt(std::string(1, static_cast<char>(records[i].Version)),
                    oldSize + static_cast<int64_t>(i) * kRecordSize);
        Flush();
    } catch (const EZentrix&) {
        ::ftruncate(Fd(), oldSize);
        throw;
    }
}

void TStakesFile::Write(int64_t index, const TStakeRec& rec) {
    if (index < 0 || index >= Count())
        throw EFileError(Format(kStakeNotFound, {static_cast<long long>(index)}));
    cache_.reset();
    WriteAt(StakeRecordBytes(rec), index * kRecordSize);
}

void TStakesFile::Rewrite(const std::vector<TStakeRec>& records) {
    RequireOpen();
    AtomicWriteFile(JournalPath(), Serialize(records));
    FinishJournal();
}

void TStakesFile::Clear() {
    cache_.reset();
    Truncate(0);
    Flush();
}

void TStakesFile::Flush() {
    if (::fdatasync(Fd()) != 0) Fail(Path(), errno);
}

// A journal exists only once complete (it is saved atomically): its content is the file's.
void TStakesFile::FinishJournal() {
    const std::string journal = JournalPath();
    if (FileSize(journal) < 0) return;
    const std::string bytes = ReadFileBytes(journal);
    if (bytes.size() % kStakeRecordSize != 0) return;  // not ours: left alone
    cache_.reset();
    WriteAt(bytes, 0);
    Truncate(static_cast<int64_t>(bytes.size()));
    Flush();
    if (::unlink(journal.c_str()) != 0 && errno != ENOENT) Fail(journal, errno);
}

// Trailing records still marked unfinished are an append that never completed. A file of
// nothing else is the first append into an empty file when each record holds data; one with an
// empty record (zeros, not made here) is left to the version check, which keeps a copy of it.
void TStakesFile::DropUnfinished() {
    struct stat st {};
    if (::fstat(Fd(), &st) != 0) Fail(Path(), errno);
    if (st.st_size == 0 || st.st_size % kRecordSize != 0) return;
    int64_t count = st.st_size / kRecordSize;
    int64_t keep = count;
    while (keep > 0 && static_cast<uint8_t>(ReadAt(Fd(), Path(), (keep - 1) * kRecordSize, 1)[0]) ==
                           kUnfinished)
        --keep;
    if (keep == count) return;
    if (keep == 0) {
        const std::string bytes = ReadAt(Fd(), Path(), 0, st.st_size);
        for (int64_t i = 0; i < count; ++i) {
            const std::string_view rest =
                std::string_view(bytes).substr(i * kRecordSize + 1, kRecordSize - 1);
            if (rest.find_first_not_of('\0') == std::string_view::npos) return;
        }
    }
    Truncate(keep * kRecordSize);
    Flush();
}

void TStakesFile::Truncate(int64_t size) {
    while (::ftruncate(Fd(), size) != 0)
        if (errno != EINTR) Fail(Path(), errno);
}

void TStakesFile::WriteAt(const std::string& bytes, int64_t offset) {
    const int fd = Fd();
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                             offset + static_cast<int64_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail(Path(), n < 0 ? errno : ENOSPC);
        done += static_cast<size_t>(n);
    }
}

}  // namespace zentrix
