#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>

#include "exchange/update_package.h"
#include "support/cli_run.h"
#include "support/tar_writer.h"
#include "support/temp_dir.h"
#include "support/web_server.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::RunCommand;

struct CliUpdate : ::testing::Test {
    test::TTempDir dir, program, served;
    std::string updates = served.File("updates");
    test::TWebServer server{&test::TestCertificates()};

    void SetUp() override {
        std::filesystem::create_directories(updates + "/UpdDescr");
        const std::string package = updates + "/p.tar.gz";
        test::WriteTarGz(package, {{"Zentrix_8x20", "new program"}});
        WriteTextLines(updates + "/UpdDescr/UpdDescr_9.0.0.99.txt", {"Что нового"});
        server.Routes().set_mount_point("/updates", updates);
        server.Start();
        WriteTextLines(
            updates + "/Numerra_AU.cfg",
            {"[Zentrix_8x20.exe]", "VerId=9.0.0.99", "Description=Версия 99",
             "DownloadUrl=" + server.Url() + "/updates/p.tar.gz",
             "ChecksumCRC32=" + FileCrc32(package), "ChecksumSHA256=" + FileSha256(package)});
        AtomicWriteFile(program.File("Zentrix_8x20"), "old program");
        ASSERT_EQ(Run({"config", "set", "SERVICES", "UpdateUrl",
                       server.Url() + "/updates/Numerra_AU.cfg"})
                      .status,
                  0);
        ASSERT_EQ(
            Run({"config", "set", "SERVICES", "CaFile", test::TestCertificates().caFile}).status,
            0);
    }
    test::TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path()});
        return RunCommand(args);
    }
};

TEST_F(CliUpdate, CheckPrintsTheVersionsAndNotes) {
    const auto r = Run({"update", "check"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("offered\t9.0.0.99\navailable\tyes\ndescription\tВерсия 99\n"
                         "notes\tЧто нового\n"),
              std::string::npos)
        << r.out;
    EXPECT_FALSE(FileExists(dir.File("SelfUpdates.inf")));
}

TEST_F(CliUpdate, InstallNeedsYesAndWritesTheProgramFolder) {
    auto r = Run({"update", "install", "--program-dir", program.Path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("--yes"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(program.File("Zentrix_8x20")), "old program");
    r = Run({"update", "install", "--yes", "--program-dir", program.Path()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("installed\tyes"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(program.File("Zentrix_8x20")), "new program");
}

TEST_F(CliUpdate, FailuresExitWithOne) {
    const std::string unreachable =
        "https://127.0.0.1:" + std::to_string(test::FreeLocalPort()) + "/updates/x.cfg";
    auto r = Run({"update", "check", "--url", unreachable});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Ошибка поиска обновлений!"), std::string::npos) << r.err;
    r = Run({"update", "install", "--yes", "--url", unreachable, "--program-dir", program.Path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(ReadFileBytes(program.File("Zentrix_8x20")), "old program");
}

}  // namespace
}  // namespace zentrix
