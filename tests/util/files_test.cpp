#include "util/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <locale.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <iostream>

#include "support/temp_dir.h"
#include "util/errors.h"

namespace zentrix {
namespace {

TEST(Files, AtomicWriteReplacesWholeAndLeavesNoTemporary) {
    test::TTempDir dir;
    const std::string path = dir.File("a.bin");
    AtomicWriteFile(path, "first");
    ::chmod(path.c_str(), 0640);
    AtomicWriteFile(path, std::string("sec\0nd", 6));
    EXPECT_EQ(ReadFileBytes(path), std::string("sec\0nd", 6));
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replaced file's permissions are kept
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) (void)e, ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(Files, FailedWriteKeepsThePreviousFile) {
    // A folder made read-only keeps even root out.
    test::TTempDir dir;
    const std::string path = dir.File("a.bin");
    AtomicWriteFile(path, "keep me");
    ::chmod(dir.Path().c_str(), 0500);
    EXPECT_THROW(AtomicWriteFile(path, "lost"), EFileError);
    ::chmod(dir.Path().c_str(), 0700);
    EXPECT_EQ(ReadFileBytes(path), "keep me");
}

TEST(Files, WriteIntoMissingFolderRaises) {
    test::TTempDir dir;
    EXPECT_THROW(AtomicWriteFile(dir.File("no/such/a.bin"), "x"), EFileError);
    EXPECT_THROW(ReadFileBytes(dir.File("none")), EFileError);
    EXPECT_EQ(FileSize(dir.File("none")), -1);
    // Even root cannot rename a file over a folder that holds something: no temporary remains.
    EnsureDirectory(dir.File("busy/inner"));
    EXPECT_THROW(AtomicWriteFile(dir.File("busy"), "x"), EFileError);
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) (void)e, ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(Files, TextLinesAreCp1251WithCrLf) {
    test::TTempDir dir;
    const std::string path = dir.File("t.txt");
    WriteTextLines(path, {"Тираж", "", "x"});
    EXPECT_EQ(ReadFileBytes(path), "\xD2\xE8\xF0\xE0\xE6\r\n\r\nx\r\n");
    EXPECT_EQ(ReadTextLines(path), (std::vector<std::string>{"Тираж", "", "x"}));
    AtomicWriteFile(path, "\xEF\xBB\xBFТираж\n");  // a UTF-8 file with its mark reads as UTF-8
    EXPECT_EQ(ReadTextLines(path), (std::vector<std::string>{"Тираж"}));
}

namespace fs = std::filesystem;

int CountEntries(const std::string& folder) {
    int entries = 0;
    for (auto& e : fs::directory_iterator(folder)) (void)e, ++entries;
    return entries;
}

// What a save target is, for comparing before and after a refused save.
std::string Describe(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return "missing";
    std::string kind = std::to_string(st.st_mode);
    if (S_ISREG(st.st_mode)) kind += ":" + ReadFileBytes(path);
    if (S_ISLNK(st.st_mode)) kind += ":" + fs::read_symlink(path).string();
    return kind;
}

struct TTargetCase {
    const char* kind;
    // Makes the target in `dir` (`other` is a second folder); false when this system cannot.
    std::function<bool(const test::TTempDir& dir, const test::TTempDir& other)> make;
    bool written;
};

const TTargetCase kTargetCases[] = {
    {"regular file",
     [](auto& d, auto&) {
         AtomicWriteFile(d.File("t"), "old");
         return true;
     },
     true},
    {"missing file", [](auto&, auto&) { return true; }, true},
    {"link to a file in another folder",
     [](auto& d, auto& o) {
         AtomicWriteFile(o.File("real"), "old");
         return ::symlink(o.File("real").c_str(), d.File("t").c_str()) == 0;
     },
     true},
    {"dangling link",
     [](auto& d, auto& o) { return ::symlink(o.File("none").c_str(), d.File("t").c_str()) == 0; },
     false},
    {"FIFO", [](auto& d, auto&) { return ::mkfifo(d.File("t").c_str(), 0666) == 0; }, false},
    {"device like /dev/null",
     [](auto& d, auto&) {
         return ::mknod(d.File("t").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
     },
     false},
    {"link to /dev/null",
     [](auto& d, auto&) { return ::symlink("/dev/null", d.File("t").c_str()) == 0; }, false},
    {"empty folder", [](auto& d, auto&) { return ::mkdir(d.File("t").c_str(), 0777) == 0; }, false},
    {"read-only file (0444)",
     [](auto& d, auto&) {
         AtomicWriteFile(d.File("t"), "old");
         return ::chmod(d.File("t").c_str(), 0444) == 0;
     },
     false},
    {"file in a read-only folder",
     [](auto& d, auto&) {
         AtomicWriteFile(d.File("t"), "old");
         return ::chmod(d.Path().c_str(), 0555) == 0;
     },
     false},
};

TEST(Files, SaveWritesThroughLinksAndRefusesWhatIsNotAWritableFile) {
    for (const TTargetCase& c : kTargetCases) {
        SCOPED_TRACE(c.kind);
        test::TTempDir dir, other;
        const std::string path = dir.File("t");
        if (!c.make(dir, other)) {
            std::cout << "[  SKIPPED ] " << c.kind << ": cannot be made here\n";
            continue;
        }
        const std::string before = Describe(path);
        const std::string otherBefore = Describe(other.File("real"));
        const int entries = CountEntries(dir.Path()), otherEntries = CountEntries(other.Path());
        if (c.written) {
            ASSERT_NO_THROW(AtomicWriteFile(path, "new"));
            EXPECT_EQ(ReadFileBytes(path), "new");
            if (fs::is_symlink(path)) {
                // The link stays a link and the file it points to got the change.
                EXPECT_EQ(Describe(path), before);
                EXPECT_EQ(ReadFileBytes(other.File("real")), "new");
            }
        } else {
            try {
                AtomicWriteFile(path, "new");
                ADD_FAILURE() << "written";
            } catch (const EFileError& e) {
                EXPECT_EQ(std::string(e.what()).rfind(path + ": ", 0), 0u) << e.what();
            }
            EXPECT_EQ(Describe(path), before);
            EXPECT_EQ(Describe(other.File("real")), otherBefore);
        }
        // No temporary is left in either folder.
        EXPECT_EQ(CountEntries(dir.Path()), entries + (before == "missing" ? 1 : 0));
        EXPECT_EQ(CountEntries(other.Path()), otherEntries);
        ::chmod(dir.Path().c_str(), 0700);
    }
}

TEST(Files, ReadingRefusesWhatIsNotARegularFile) {
    test::TTempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0666), 0);
    ASSERT_EQ(::symlink("/dev/zero", dir.File("zero").c_str()), 0);
    ASSERT_EQ(::mkdir(dir.File("folder").c_str(), 0777), 0);
    // A FIFO with no writer and an endless device: refused at once, nothing read.
    for (const char* name : {"fifo", "zero", "folder"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(ReadFileBytes(dir.File(name)), EFileError);
        std::string error;
        EXPECT_EQ(ReadAvailableBytes(dir.File(name), error), "");
        EXPECT_FALSE(error.empty());
    }
    AtomicWriteFile(dir.File("real"), "data");
    ASSERT_EQ(::symlink(dir.File("real").c_str(), dir.File("link").c_str()), 0);
    EXPECT_EQ(ReadFileBytes(dir.File("link")), "data");
}

TEST(Files, SystemErrorsInRussianWhereTheLibraryHasThem) {
    locale_t russian = ::newlocale(LC_MESSAGES_MASK | LC_CTYPE_MASK, "ru_RU.UTF-8", locale_t(0));
    if (!russian || !fs::exists("/usr/share/locale/ru/LC_MESSAGES/libc.mo")) {
        if (russian) ::freelocale(russian);
        GTEST_SKIP() << "no ru_RU.UTF-8 locale or no C library translations";
    }
    ::freelocale(russian);
    EXPECT_EQ(SystemErrorText(ENOENT), "Нет такого файла или каталога");
    EXPECT_EQ(SystemErrorText(EACCES), "Отказано в доступе");
    // The program's own locale is left alone.
    EXPECT_STREQ(::setlocale(LC_ALL, nullptr), "C");
}

TEST(Files, SaveTemporaryNames) {
    EXPECT_EQ(SaveTemporaryTarget(".Zentrix_8x20.ldr.aB3xY9"), "Zentrix_8x20.ldr");
    EXPECT_EQ(SaveTemporaryTarget(".a.b.000000"), "a.b");
    for (const char* other : {"Zentrix_8x20.ldr.aB3xY9", ".Zentrix_8x20.ldr.aB3xY", ".ldr.a-3xY9",
                              ".Zentrix_8x20.ldr", "..aB3xY9"})
        EXPECT_EQ(SaveTemporaryTarget(other), std::nullopt) << other;
}

}  // namespace
}  // namespace zentrix
