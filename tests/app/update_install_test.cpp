#include "app/update_install.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "exchange/update_description.h"
#include "support/folder_snapshot.h"
#include "support/temp_dir.h"
#include "util/files.h"

namespace zentrix {
namespace {

namespace fs = std::filesystem;
using Snapshot = std::map<std::string, std::string>;

struct Install : ::testing::Test {
    test::TTempDir dir;
    TInstallPlan plan{dir.File("work"), dir.File("program"), {}, {}};

    void SetUp() override {
        Put(plan.workFolder, "Zentrix_8x20", "new program");
        Put(plan.workFolder, "help/guide.html", "new guide");
        Put(plan.workFolder, "notes.txt", "new notes");
        Put(plan.programFolder, "Zentrix_8x20", "old program");
        Put(plan.programFolder, "notes.txt", "old notes");
        Put(plan.programFolder, "obsolete.dat", "obsolete");
        Put(plan.programFolder, "Zentrix_8x20.ldr", "user data");
    }
    static void Put(const std::string& folder, const std::string& name, const std::string& text) {
        const fs::path path = fs::path(folder) / name;
        fs::create_directories(path.parent_path());
        AtomicWriteFile(path.string(), text);
    }
    Snapshot Program() const { return test::FolderSnapshot(plan.programFolder); }
};

TEST_F(Install, ReplacesAddsAndDeletesTheListedFiles) {
    plan.deleteBefore = {"obsolete.dat", "missing.txt"};
    plan.deleteAfter = {"notes.txt"};
    EXPECT_EQ(InstallUpdateFiles(plan),
              (std::vector<std::string>{"Zentrix_8x20", "help/guide.html", "notes.txt"}));
    EXPECT_EQ(Program(), (Snapshot{{"Zentrix_8x20", "new program"},
                                   {"Zentrix_8x20.ldr", "user data"},
                                   {"help", "<dir>"},
                                   {"help/guide.html", "new guide"}}));
}

TEST_F(Install, AFailureInTheMiddleLeavesTheFolderAsItWas) {
    plan.deleteBefore = {"obsolete.dat"};
    const Snapshot before = Program();
    // Each change of the folder in turn fails: whatever was done before it is undone.
    for (int failAt = 1; failAt <= 9; ++failAt) {
        int changes = 0;
        const TInstallFaultHook fault = [&](const std::string& path) {
            if (++changes == failAt) throw EFileError("сбой: " + path);
        };
        EXPECT_THROW(InstallUpdateFiles(plan, fault), EFileError) << failAt;
        EXPECT_EQ(Program(), before) << failAt;
    }
}

TEST_F(Install, RefusesWhatItCannotReplaceBeforeChangingAnything) {
    struct TCase {
        void (*prepare)(const std::string& program);
        std::vector<std::string> deleteAfter;
        const char* message;
    };
    const TCase cases[] = {
        {[](const std::string& p) {
             fs::remove(p + "/notes.txt"), fs::create_directory(p + "/notes.txt");
         },
         {},
         "папка"},
        {[](const std::string& p) { fs::create_symlink("/etc", p + "/help"); }, {}, "ссылка"},
        {[](const std::string&) {}, {"../outside.txt"}, "Недопустимое имя"},
        {[](const std::string&) {}, {"/etc/passwd"}, "Недопустимое имя"},
    };
    for (const TCase& c : cases) {
        fs::remove_all(plan.programFolder);
        SetUp();
        c.prepare(plan.programFolder);
        plan.deleteAfter = c.deleteAfter;
        const Snapshot before = Program();
        try {
            InstallUpdateFiles(plan);
            ADD_FAILURE() << c.message;
        } catch (const EUpdateError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_EQ(Program(), before);
    }
}

TEST_F(Install, AReadOnlyProgramFolderIsReportedWithAdvice) {
    const Snapshot before = Program();
    fs::permissions(plan.programFolder, fs::perms::owner_read | fs::perms::owner_exec |
                                            fs::perms::group_read | fs::perms::others_read);
    try {
        InstallUpdateFiles(plan);
        ADD_FAILURE();
    } catch (const EUpdateError& e) {
        EXPECT_NE(std::string(e.what()).find("Нет прав на запись в папку программы"),
                  std::string::npos);
        EXPECT_NE(std::string(e.what()).find("для всех пользователей"), std::string::npos);
    }
    fs::permissions(plan.programFolder, fs::perms::owner_all);
    EXPECT_EQ(Program(), before);
}

}  // namespace
}  // namespace zentrix
