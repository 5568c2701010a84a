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

TEST(ProgramFolder, DefaultFolderFollowsTheInstallation) {
    struct TCase {
        bool installed, writable;
        const char *xdg, *home;
        std::string expected;
    } cases[] = {
        {false, true, "/x", "/h", "/opt/z"},  // a portable folder keeps its data beside it
        {false, false, "/x", "/h", "/x/Zentrix_8x20"},
        {true, true, "/x", "/h", "/x/Zentrix_8x20"},  // installed: never beside the program
        {true, false, "/x", "/h", "/x/Zentrix_8x20"},
        {true, true, "", "/h", "/h/.local/share/Zentrix_8x20"},
        {true, true, nullptr, "/h", "/h/.local/share/Zentrix_8x20"},
        {true, true, nullptr, nullptr, "/w/Zentrix_8x20"},
        {false, false, "", "", "/w/Zentrix_8x20"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ChooseDataFolder("/opt/z", c.installed, c.writable, c.xdg, c.home, "/w"),
                  c.expected)
            << c.installed << c.writable << (c.xdg ? c.xdg : "null") << (c.home ? c.home : "null");
}

TEST(ProgramFolder, InstalledLayoutIsBinBesideShareZentrix) {
    test::TTempDir dir;
    const std::string d = dir.Path();
    std::filesystem::create_directories(dir.File("usr/bin"));
    std::filesystem::create_directories(dir.File("usr/share/zentrix"));
    std::filesystem::create_directories(dir.File("opt/bin"));
    std::filesystem::create_directories(dir.File("opt/share"));
    std::filesystem::create_directories(dir.File("portable/share/zentrix"));
    struct TCase {
        std::string folder;
        bool installed;
    } cases[] = {
        {d + "/usr/bin", true},        {d + "/usr/bin/", true},
        {d + "/usr/../usr/bin", true}, {d + "/opt/bin", false},
        {d + "/portable", false},      {d + "/usr/share", false},
        {d + "/missing/bin", false},   {"", false},
    };
    for (const TCase& c : cases) EXPECT_EQ(IsInstalledLayout(c.folder), c.installed) << c.folder;
}

TEST(ProgramFolder, NamedFolderWinsOverAnInstallation) {
    test::TTempDir dir;
    std::filesystem::create_directories(dir.File("usr/bin"));
    std::filesystem::create_directories(dir.File("usr/share/zentrix"));
    const std::string exe = dir.File("usr/bin/zentrix-cli");
    EXPECT_EQ(ResolveDataFolder(dir.File("mine"), exe, true), dir.File("mine"));
    ::setenv("ZENTRIX_DIR", dir.File("env").c_str(), 1);
    EXPECT_EQ(ResolveDataFolder(std::nullopt, exe, true), dir.File("env"));
    ::unsetenv("ZENTRIX_DIR");
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const std::string saved = xdg ? xdg : "";
    ::setenv("XDG_DATA_HOME", dir.File("xdg").c_str(), 1);
    EXPECT_EQ(ResolveDataFolder(std::nullopt, exe, true), dir.File("xdg/Zentrix_8x20"));
    EXPECT_EQ(ResolveDataFolder(std::nullopt, dir.File("usr/share/zentrix-cli"), true),
              dir.File("usr/share"));
    if (xdg)
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace zentrix
