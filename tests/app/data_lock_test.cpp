#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "app/session.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/file_lock.h"
#include "util/files.h"
#include "util/program_folder.h"

namespace zentrix {
namespace {

using namespace std::chrono_literals;

TEST(DataLock, WaitsForAnotherHolderToLetGo) {
    test::TTempDir dir;
    TExclusiveFile holder;
    holder.Open(ProgramFile(dir.Path(), ".lsk"));
    TExclusiveFile waiter;
    EXPECT_THROW(waiter.Open(ProgramFile(dir.Path(), ".lsk")), ELockBusy);
    std::thread release([&holder] {
        std::this_thread::sleep_for(200ms);
        holder.Close();
    });
    EXPECT_NO_THROW(waiter.Open(ProgramFile(dir.Path(), ".lsk"), 60s));
    release.join();
    EXPECT_TRUE(waiter.IsOpen());
}

TEST(DataLock, RefusalIsFinalAndShowsThePlatformsMessage) {
    test::TTempDir dir;
    test::TFakeUi ui;
    TExclusiveFile holder;
    holder.Open(ProgramFile(dir.Path(), ".lsk"));
    TMainSession session(dir.Path(), ui);
    EXPECT_FALSE(session.TryDataLock());
    EXPECT_TRUE(session.DataLockBusy());
    EXPECT_TRUE(ui.messages.empty());
    holder.Close();
    // The copy that found the folder taken does not take it later.
    EXPECT_FALSE(session.AcquireDataLock());
    ASSERT_EQ(ui.MessageTexts().size(), 1u);
    const std::string text = ui.MessageTexts()[0];
    EXPECT_EQ(text.rfind("Невозможно получить монопольный доступ к файлам данных!", 0), 0u);
    EXPECT_EQ(text.find("Windows"), std::string::npos);
    EXPECT_EQ(text.find("c:\\"), std::string::npos);
}

TEST(DataLock, ReadOnlyFolderIsAPermissionError) {
    test::TTempDir dir;
    test::TFakeUi ui;
    ::chmod(dir.Path().c_str(), 0555);
    TMainSession session(dir.Path(), ui);
    EXPECT_FALSE(session.TryDataLock());
    EXPECT_FALSE(session.DataLockBusy());
    EXPECT_NE(session.DataLockError().find(SystemErrorText(EACCES)), std::string::npos)
        << session.DataLockError();
    EXPECT_FALSE(std::filesystem::exists(ProgramFile(dir.Path(), ".lsk")));
}

TEST(DataLock, StaleTemporariesOfOwnFilesGoOnceTheHoldIsOurs) {
    test::TTempDir dir;
    std::filesystem::create_directory(dir.File("Prefetchs"));
    const std::vector<std::string> stale = {
        ".Zentrix_8x20.ldr.aB3xY9", ".Zentrix_8x20.ini.000000", ".Zentrix_8x20.ldr.bak2.Qw3rTy",
        "Prefetchs/.Zentrix_8x20_NUMS.dfc.zzzzzz", "Prefetchs/.Zentrix_8x20_layout.txt.C4AGcr"};
    const std::vector<std::string> kept = {"Zentrix_8x20.ldr",
                                           ".mine.lcv.aB3xY9",
                                           ".Zentrix_8x20.ldr.aB3xY",
                                           ".Zentrix_8x20.lcv.aB3xY9",
                                           "Prefetchs/.other.dfc.aB3xY9",
                                           "Prefetchs/Zentrix_8x20_N.dfc"};
    for (const std::string& name : stale) AtomicWriteFile(dir.File(name), "x");
    for (const std::string& name : kept) AtomicWriteFile(dir.File(name), "x");
    // A link with a temporary's name is not a file of ours to remove.
    ASSERT_EQ(::symlink(dir.File("Zentrix_8x20.ldr").c_str(),
                        dir.File(".Zentrix_8x20.frm.l1nk00").c_str()),
              0);
    {
        // Not while another copy holds the folder: its save may be under way.
        test::TFakeUi ui;
        TExclusiveFile holder;
        holder.Open(ProgramFile(dir.Path(), ".lsk"));
        TMainSession session(dir.Path(), ui);
        EXPECT_FALSE(session.TryDataLock());
        for (const std::string& name : stale) EXPECT_TRUE(FileExists(dir.File(name))) << name;
    }
    test::TFakeUi ui;
    TMainSession session(dir.Path(), ui);
    ASSERT_TRUE(session.TryDataLock());
    for (const std::string& name : stale) EXPECT_FALSE(FileExists(dir.File(name))) << name;
    for (const std::string& name : kept) EXPECT_TRUE(FileExists(dir.File(name))) << name;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File(".Zentrix_8x20.frm.l1nk00")));
}

}  // namespace
}  // namespace zentrix
