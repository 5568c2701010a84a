#include "util/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

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
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
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

}  // namespace
}  // namespace zentrix
