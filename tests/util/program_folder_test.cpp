#include "util/program_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {
namespace {

TEST(ProgramFolder, OwnDataFilesAreFoundThroughLinksAndDots) {
    test::TTempDir dir, other;
    const std::string d = dir.Path();
    std::filesystem::create_directory(dir.File("sub"));
    ASSERT_EQ(::symlink(ProgramFile(d, ".ini").c_str(), other.File("settings").c_str()), 0);
    ASSERT_EQ(::symlink(d.c_str(), other.File("folder").c_str()), 0);
    // The archive itself may be a link to a file elsewhere: that file is the archive too.
    AtomicWriteFile(other.File("real.ldr"), "");
    ASSERT_EQ(::symlink(other.File("real.ldr").c_str(), ProgramFile(d, ".ldr").c_str()), 0);
    for (const std::string& own :
         {ProgramFile(d, ".ldr"), ProgramFile(d, ".lsk"), ProgramFile(d, ".ltb"),
          d + "/sub/../Zentrix_8x20.frm", d + "/./none/../Zentrix_8x20.flt", other.File("settings"),
          other.File("folder") + "/Zentrix_8x20.lrt", other.File("real.ldr"),
          d + "/Prefetchs/x.lcv"})
        EXPECT_TRUE(IsProgramDataFile(d, own)) << own;
    for (const std::string& free :
         {dir.File("mine.lcv"), ProgramFile(d, ".lcv"), ProgramFile(other.Path(), ".ldr"),
          dir.File("sub/Zentrix_8x20.ini")})
        EXPECT_FALSE(IsProgramDataFile(d, free)) << free;
    EXPECT_TRUE(IsInsideFolder(d, other.File("folder") + "/a.lcv"));
    EXPECT_TRUE(IsInsideFolder(d, dir.File("sub/a.lcv")));
    EXPECT_FALSE(IsInsideFolder(d, other.File("a.lcv")));
    EXPECT_FALSE(IsInsideFolder(d, d + "x/a.lcv"));
}

TEST(ProgramFolder, MissingFolderIsCreatedOnlyWhenAsked) {
    test::TTempDir dir;
    const std::string missing = dir.File("none");
    EXPECT_THROW(ResolveDataFolder(missing, "", false), EFileError);
    EXPECT_FALSE(std::filesystem::exists(missing));
    AtomicWriteFile(dir.File("file"), "");
    EXPECT_THROW(ResolveDataFolder(dir.File("file"), "", false), EFileError);
    EXPECT_EQ(ResolveDataFolder(missing, "", true), missing);
    EXPECT_TRUE(std::filesystem::is_directory(missing));
    EXPECT_EQ(ResolveDataFolder(missing, "", false), missing);
}

}  // namespace
}  // namespace zentrix
