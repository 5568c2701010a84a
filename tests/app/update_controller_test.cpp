// The self-update against a local HTTPS server that serves an update folder under "/updates/".
#include "app/update_controller.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <filesystem>

#include "exchange/update_package.h"
#include "support/fake_ui.h"
#include "support/folder_snapshot.h"
#include "support/tar_writer.h"
#include "support/temp_dir.h"
#include "support/web_server.h"
#include "util/files.h"

namespace zentrix {
namespace {

namespace fs = std::filesystem;
using Snapshot = std::map<std::string, std::string>;

constexpr const char* kOwn = "1.0.0.57";
constexpr const char* kOffered = "1.0.0.58";

struct UpdateTest : ::testing::Test {
    test::TTempDir data, program, served;
    std::string updates = served.File("updates");
    test::TFakeUi ui;
    TSessionCore core{data.Path(), ui};
    TConfigSettings settings;
    TConfigController config{core, settings};
    TUpdateController update{core, config};
    test::TWebServer server{&test::TestCertificates()};
    std::atomic<int> packageRequests{0};
    int badPackages = 0;  // first requests of "/flaky.tar.gz" that get damaged bytes
    std::vector<TUpdateOffer> offers;
    bool install = true;
    std::string redirectTarget;

    void SetUp() override {
        fs::create_directories(updates + "/UpdDescr");
        AtomicWriteFile(program.File("Zentrix_8x20"), "old program");
        AtomicWriteFile(program.File("Zentrix_8x20.ldr"), "user data");
        AtomicWriteFile(program.File("obsolete.dat"), "obsolete");
        WritePackage(
            {{"Zentrix_8x20", "new program", '0', "", 0755}, {"help/guide.html", "guide"}});
        WriteTextLines(updates + "/UpdDescr/UpdDescr_RUS_1.0.0.58.txt",
                       {"Исправления", "строка 2"});
        server.Routes().set_mount_point("/updates", updates);
        server.Routes().Get("/flaky.tar.gz", [this](const httplib::Request&, httplib::Response& a) {
            std::string bytes = ReadFileBytes(updates + "/package.tar.gz");
            if (++packageRequests <= badPackages) bytes[bytes.size() / 2] ^= 1;
            a.set_content(bytes, "application/gzip");
        });
        server.Routes().Get("/moved.cfg", [this](const httplib::Request&, httplib::Response& a) {
            a.set_redirect(redirectTarget);
        });
        server.Start();
        settings.services.CaFile = test::TestCertificates().caFile;
        settings.services.UpdateUrl = Url("/updates/Numerra_AU.cfg");
        update.SetProgramFolder(program.Path());
        update.SetOwnVersion(kOwn);
        update.SetTimeouts(2000, 5000);
        update.SetOfferHook([this](const TUpdateOffer& offer) {
            offers.push_back(offer);
            return install;
        });
    }
    std::string Url(const std::string& path) const { return server.Url() + path; }
    void WritePackage(const std::vector<test::TTarEntry>& entries) {
        test::WriteTarGz(updates + "/package.tar.gz", entries);
    }
    // The description with the package's own sums unless given, and extra lines.
    void Describe(const std::vector<std::string>& extra = {}, const std::string& url = {},
                  bool withSums = true) {
        const std::string package = updates + "/package.tar.gz";
        std::vector<std::string> lines = {
            "[GlobalOptions]",
            "DeleteBefore=obsolete.dat",
            "[Zentrix_8x20.exe]",
            std::string("VerId=") + kOffered,
            "Description=Версия 58",
            "DownloadUrl=" + (url.empty() ? Url("/updates/package.tar.gz") : url),
            "OriginalFileName=package.tar.gz"};
        if (withSums) {
            lines.push_back("ChecksumCRC32=" + FileCrc32(package));
            lines.push_back("ChecksumSHA256=" + FileSha256(package));
        }
        lines.insert(lines.end(), extra.begin(), extra.end());
        WriteTextLines(updates + "/Numerra_AU.cfg", lines);
    }
    int Check(bool silent) { return update.CheckForUpdate(update.Address(), silent, 1049); }
    Snapshot Program() const { return test::FolderSnapshot(program.Path()); }
    // Nothing of the check stays in the data folder.
    void ExpectCleanDataFolder() const { EXPECT_EQ(test::FolderSnapshot(data.Path()), Snapshot{}); }
};

TEST_F(UpdateTest, NoUpdateIsSilentAtStartAndSaidFromTheMenu) {
    WriteTextLines(updates + "/Numerra_AU.cfg",
                   {"[Zentrix_8x20.exe]", "VerId=2.0.0.57", "DownloadUrl=x"});
    EXPECT_EQ(update.StartupCheck(), TUpdateController::kNothing);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Check(false), TUpdateController::kNothing);
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Обновлений не найдено!"}));
    EXPECT_TRUE(offers.empty());
    ExpectCleanDataFolder();
    EXPECT_TRUE(core.NotBusy());
}

TEST_F(UpdateTest, InstallsThePackageIntoTheProgramFolder) {
    Describe();
    const Snapshot before = Program();
    EXPECT_EQ(update.CheckUpdate(), TUpdateController::kInstalled);
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0].currentVersion, kOwn);
    EXPECT_EQ(offers[0].data.Description, "Версия 58");
    EXPECT_EQ(offers[0].notes, (std::vector<std::string>{"Исправления", "строка 2"}));
    EXPECT_EQ(Program(), (Snapshot{{"Zentrix_8x20", "new program"},
                                   {"Zentrix_8x20.ldr", "user data"},
                                   {"help", "<dir>"},
                                   {"help/guide.html", "guide"}}));
    EXPECT_NE(fs::status(program.File("Zentrix_8x20")).permissions() & fs::perms::owner_exec,
              fs::perms::none);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Внимание!");
    EXPECT_EQ(ui.messages[0].text,
              "Установка обновления \"Версия 58\" успешно выполнена.\n\nДля завершения установки "
              "необходимо перезапустить программу!");
    ExpectCleanDataFolder();
    EXPECT_TRUE(core.NotBusy());
    EXPECT_FALSE(core.ProgressShown());
    (void)before;
}

TEST_F(UpdateTest, CancelInstallsNothingAndMissingNotesAreSaid) {
    fs::remove(updates + "/UpdDescr/UpdDescr_RUS_1.0.0.58.txt");
    Describe();
    install = false;
    const Snapshot before = Program();
    EXPECT_EQ(Check(true), TUpdateController::kNothing);
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0].notes, (std::vector<std::string>{"< Описание обновления не доступно >"}));
    EXPECT_EQ(Program(), before);
    ExpectCleanDataFolder();
}

TEST_F(UpdateTest, AChecksumThatFailsTwiceThenPassesIsInstalled) {
    Describe({}, Url("/flaky.tar.gz"));
    badPackages = 2;
    EXPECT_EQ(Check(true), TUpdateController::kInstalled);
    EXPECT_EQ(packageRequests, 3);
    EXPECT_EQ(ReadFileBytes(program.File("Zentrix_8x20")), "new program");
}

// Every refusal leaves the program folder as it was, is shown also after a silent check, and
// leaves nothing in the data folder.
TEST_F(UpdateTest, RefusedInstallationsChangeNothing) {
    struct TCase {
        const char* name;
        std::function<void(UpdateTest&)> prepare;
        const char* message;
    };
    const TCase cases[] = {
        {"crc", [](UpdateTest& t) { t.Describe({}, t.Url("/flaky.tar.gz")), t.badPackages = 9; },
         "Неверная контрольная сумма скачанного файла."},
        {"sha", [](UpdateTest& t) { t.Describe({"ChecksumSHA256=" + std::string(64, 'a')}); },
         "Неверная контрольная сумма SHA-256 скачанного файла."},
        {"no sha", [](UpdateTest& t) { t.Describe({}, {}, false); }, "ChecksumSHA256"},
        {"exec", [](UpdateTest& t) { t.Describe({"ExecAfter=setup.sh"}); }, "setup.sh"},
        {"dotdot",
         [](UpdateTest& t) {
             t.WritePackage({{"Zentrix_8x20", "new"}, {"../evil.txt", "x"}});
             t.Describe();
         },
         "\"..\""},
        {"absolute",
         [](UpdateTest& t) {
             t.WritePackage({{"/tmp/evil.txt", "x"}});
             t.Describe();
         },
         "абсолютный путь"},
        {"symlink",
         [](UpdateTest& t) {
             t.WritePackage({{"Zentrix_8x20", "", '2', "/bin/sh"}});
             t.Describe();
         },
         "ссылки"},
        {"plain http", [](UpdateTest& t) { t.Describe({}, "http://127.0.0.1:1/package.tar.gz"); },
         "https://"},
        {"read-only",
         [](UpdateTest& t) {
             t.Describe();
             fs::permissions(t.program.Path(), fs::perms::owner_read | fs::perms::owner_exec);
         },
         "Нет прав на запись в папку программы"},
        {"middle",
         [](UpdateTest& t) {
             t.Describe();
             t.update.SetFaultHook([](const std::string& path) {
                 if (path.ends_with("guide.html")) throw EFileError("сбой записи");
             });
         },
         "сбой записи"},
    };
    const Snapshot before = Program();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        badPackages = 0;
        packageRequests = 0;
        update.SetFaultHook({});
        WritePackage({{"Zentrix_8x20", "new program"}, {"help/guide.html", "guide"}});
        c.prepare(*this);
        EXPECT_EQ(Check(true), TUpdateController::kFailed);
        fs::permissions(program.Path(), fs::perms::owner_all);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].title, "Ошибка");
        EXPECT_EQ(ui.messages[0].text.rfind("Ошибка установки обновления!\n\n", 0), 0u);
        EXPECT_NE(ui.messages[0].text.find(c.message), std::string::npos) << ui.messages[0].text;
        EXPECT_EQ(Program(), before);
        EXPECT_FALSE(fs::exists(served.File("evil.txt")));
        ExpectCleanDataFolder();
        EXPECT_TRUE(core.NotBusy());
    }
}

TEST_F(UpdateTest, AnUnreachableServerIsSilentAtStart) {
    settings.services.UpdateUrl =
        "https://127.0.0.1:" + std::to_string(test::FreeLocalPort()) + "/updates/Numerra_AU.cfg";
    EXPECT_EQ(update.StartupCheck(), TUpdateController::kFailed);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Check(false), TUpdateController::kFailed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка поиска обновлений!\n\n", 0), 0u);
    EXPECT_TRUE(core.NotBusy());
    EXPECT_FALSE(core.ProgressShown());
    ExpectCleanDataFolder();
}

TEST_F(UpdateTest, ThePlainAddressAndAnUntrustedServerAreRefused) {
    Describe();
    settings.services.UpdateUrl = "http://127.0.0.1:" + std::to_string(server.Port()) + "/x";
    EXPECT_EQ(Check(false), TUpdateController::kFailed);
    // A redirect from the TLS server to a plain one.
    test::TWebServer plain;
    plain.Routes().set_mount_point("/updates", updates);
    plain.Start();
    redirectTarget = plain.Url() + "/updates/Numerra_AU.cfg";
    settings.services.UpdateUrl = Url("/moved.cfg");
    EXPECT_EQ(Check(false), TUpdateController::kFailed);
    settings.services.UpdateUrl = Url("/updates/Numerra_AU.cfg");
    settings.services.CaFile.clear();
    EXPECT_EQ(Check(false), TUpdateController::kFailed);
    EXPECT_EQ(ui.messages.size(), 3u);
    EXPECT_TRUE(offers.empty());
}

TEST_F(UpdateTest, ADescriptionInAFolderIsCopied) {
    Describe({}, updates + "/package.tar.gz");
    EXPECT_EQ(update.CheckForUpdate(updates + "/Numerra_AU.cfg", true, 1049),
              TUpdateController::kInstalled);
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0].notes.front(), "Исправления");
    EXPECT_EQ(ReadFileBytes(program.File("Zentrix_8x20")), "new program");
}

TEST_F(UpdateTest, StartupCheckOnlyWhenAutomaticUpdatingIsOn) {
    Describe();
    core.Settings().Options().AutoUpdates = false;
    EXPECT_EQ(update.StartupCheck(), TUpdateController::kNothing);
    EXPECT_TRUE(offers.empty());
    update.SetAutoUpdates(true);
    EXPECT_EQ(update.StartupCheck(), TUpdateController::kInstalled);
}

}  // namespace
}  // namespace zentrix
