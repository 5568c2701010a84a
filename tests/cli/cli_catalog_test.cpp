#include <gtest/gtest.h>

#include <httplib.h>

#include <filesystem>

#include "scenario/scenario_file.h"
#include "support/catalog_server.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "support/web_server.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::RunCommand;
using TRun = test::TCliResult;

const std::vector<std::string> kLines = {"FULL:0#RAND|TSD1#NUMS:10#LNO:#SF:1| | | | | | |A",
                                         "FULL:0#RAND| | | | | | | |B"};

// One user of the catalog: a data folder whose settings point at the test server.
struct TUser {
    TUser(const std::string& url, const std::string& name) {
        for (const std::vector<std::string>& set :
             {std::vector<std::string>{"SERVICES", "CatalogUrl", url},
              {"SERVICES", "CaFile", test::TestCertificates().caFile},
              {"USER", "Name", name},
              {"USER", "Email", name + "@example.org"}}) {
            std::vector<std::string> args = {"config", "set"};
            args.insert(args.end(), set.begin(), set.end());
            EXPECT_EQ(Run(args).status, 0) << Run(args).err;
        }
    }
    TRun Run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--dir", dir.Path()});
        return RunCommand(args);
    }
    void SetScenario(const std::vector<std::string>& lines) const {
        WriteScenarioFile(WorkingScenarioPath(dir.Path()), lines);
    }
    std::vector<std::string> Scenario() const {
        return ReadScenarioFile(WorkingScenarioPath(dir.Path()));
    }
    std::string Publish(const std::string& title, std::vector<std::string> more = {}) const {
        std::vector<std::string> args = {"catalog", "publish", "--title", title};
        args.insert(args.end(), more.begin(), more.end());
        TRun r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out.substr(0, r.out.find('\n'));
    }
    // The list's row of the entry, or empty.
    std::string Row(const std::string& id, const std::string& filter = "1") const {
        TRun r = Run({"catalog", "list", "--filter", filter});
        EXPECT_EQ(r.status, 0) << r.err;
        const size_t at = r.out.find("\n" + id + "\t");
        return at == std::string::npos ? ""
                                       : r.out.substr(at + 1, r.out.find('\n', at + 1) - at - 1);
    }
    test::TTempDir dir;
};

struct CliCatalog : ::testing::Test {
    test::TCatalogServer server;
    TUser ann{server.Url(), "ann"}, bob{server.Url(), "bob"};
};

TEST_F(CliCatalog, PublishListDownloadAndRate) {
    ann.SetScenario(kLines);
    const std::string id = ann.Publish("Горячие числа", {"--descr", "Две строки"});
    EXPECT_EQ(id, "1");
    EXPECT_NE(ann.Row(id).find("\tМой\tГорячие числа\tann\tZentrix_8x20\t"), std::string::npos)
        << ann.Row(id);
    const std::string seen = bob.Row(id);
    EXPECT_NE(seen.find("\tОбщий\tГорячие числа\tann\t"), std::string::npos) << seen;
    EXPECT_NE(seen.find("\tRUS\t"), std::string::npos);

    TRun d = bob.Run({"catalog", "download", id});
    ASSERT_EQ(d.status, 0) << d.err;
    EXPECT_EQ(bob.Scenario(), kLines);
    ASSERT_EQ(bob.Run({"catalog", "rate", id, "4", "--comment", "Хорошо \"весьма\""}).status, 0);
    const std::string rated = bob.Row(id);
    // Rating (the printed decimal separator), count, my rating, downloads.
    const bool comma = rated.find("\t4,000\t1\t4\t1\t") != std::string::npos;
    EXPECT_TRUE(comma || rated.find("\t4.000\t1\t4\t1\t") != std::string::npos) << rated;
    EXPECT_NE(bob.Row(id, "5"), "");  // rated by me
    EXPECT_EQ(bob.Row(id, "6"), "");  // not rated by me
    EXPECT_EQ(bob.Row(id, "3"), "");  // only mine
    EXPECT_NE(ann.Row(id, "3"), "");
    EXPECT_EQ(bob.Run({"catalog", "rate", id, "6"}).status, 2);

    // The computer identifier was made once and kept.
    const std::string ini = ReadFileBytes(bob.dir.File("Zentrix_8x20.ini"));
    const size_t at = ini.find("ComputerId=");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(ini.substr(at + 11, 32).size(), 32u);
    bob.Run({"catalog", "list"});
    EXPECT_EQ(ReadFileBytes(bob.dir.File("Zentrix_8x20.ini")), ini);
}

TEST_F(CliCatalog, OnlyTheAuthorReplacesOrDeletes) {
    ann.SetScenario(kLines);
    const std::string id = ann.Publish("Своё");
    bob.SetScenario({"FULL:0#RAND| | | | | | | |чужое"});
    const struct {
        std::vector<std::string> args;
        const char* message;
    } refused[] = {
        {{"catalog", "replace", id}, "Изменять можно только свои"},
        {{"catalog", "delete", id, "--yes"}, "Удалять можно только свои"},
        {{"catalog", "publish", "--title", "  своё "},
         "Сценарий с таким названием уже существует!"},
        {{"catalog", "download", "99"}, "Сценарий #99 не найден"},
    };
    for (const auto& c : refused) {
        TRun r = bob.Run(c.args);
        EXPECT_EQ(r.status, 1) << c.args[1];
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(ann.Run({"catalog", "delete", id}).status, 1);  // not confirmed
    EXPECT_NE(ann.Row(id), "");

    ann.SetScenario({kLines[1]});
    ASSERT_EQ(ann.Run({"catalog", "replace", id}).status, 0);
    ASSERT_EQ(bob.Run({"catalog", "download", id}).status, 0);
    EXPECT_EQ(bob.Scenario(), std::vector<std::string>{kLines[1]});
    ASSERT_EQ(ann.Run({"catalog", "delete", id, "--yes"}).status, 0);
    EXPECT_EQ(ann.Row(id), "");
}

TEST_F(CliCatalog, PrivateEntriesAndHiddenOnes) {
    ann.SetScenario(kLines);
    const std::string id = ann.Publish("Личное", {"--private"});
    EXPECT_NE(ann.Row(id), "");
    EXPECT_EQ(bob.Row(id), "");
    EXPECT_EQ(bob.Run({"catalog", "download", id}).status, 1);
}

TEST_F(CliCatalog, AnUnreachableServerIsReported) {
    const std::string before = ReadFileBytes(ann.dir.File("Zentrix_8x20.ini"));
    ASSERT_EQ(ann.Run({"config", "set", "SERVICES", "CatalogUrl",
                       "https://127.0.0.1:" + std::to_string(test::FreeLocalPort())})
                  .status,
              0);
    ann.SetScenario(kLines);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"catalog", "list"}, {"catalog", "publish", "--title", "x"}}) {
        TRun r = ann.Run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("Ошибка загрузки каталога online-сценариев!"), std::string::npos)
            << r.err;
    }
    EXPECT_EQ(ann.Scenario(), kLines);
}

TEST_F(CliCatalog, SystemsArePublishedAndDownloadedOnePerN) {
    const std::string file = ann.dir.File("nine.txt");
    WriteTextLines(file, {"1 2 3 4 5 6 7 8", "2-3-4-5-6-7-8-9", "1 2 3", ""});
    TRun p = ann.Run({"systems", "publish", file, "--title", "Девять", "--block", "3"});
    ASSERT_EQ(p.status, 0) << p.err;
    EXPECT_EQ(p.out, "1\n");
    TRun dup = bob.Run({"systems", "publish", file, "--title", "девять"});
    EXPECT_EQ(dup.status, 1);
    EXPECT_NE(dup.err.find("Система с таким названием уже существует!"), std::string::npos);

    TRun list = bob.Run({"systems", "catalog"});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find("\n1\tДевять\tann\t09\t3\t2\t"), std::string::npos) << list.out;
    TRun d = bob.Run({"systems", "download", "1"});
    ASSERT_EQ(d.status, 0) << d.err;
    const std::string first = bob.dir.File("Systems/8-09-3_0001.dat");
    EXPECT_EQ(d.out, first + "\n");
    EXPECT_EQ(ReadTextLines(first),
              (std::vector<std::string>{"01 02 03 04 05 06 07 08", "02 03 04 05 06 07 08 09"}));
    EXPECT_NE(bob.Run({"systems", "catalog"}).out.find("\tЗагружена\t"), std::string::npos);

    WriteTextLines(file, {"1 2 3 4 5 6 7 8", "2 3 4 5 6 7 8 9", "1 3 4 5 6 7 8 9"});
    ASSERT_EQ(ann.Run({"systems", "publish", file, "--title", "Девять-2"}).status, 0);
    ASSERT_EQ(bob.Run({"systems", "download", "2"}).status, 0);
    EXPECT_FALSE(FileExists(first));
    EXPECT_TRUE(FileExists(bob.dir.File("Systems/8-09-0_0002.dat")));
}

// A service that answers without any result: the list's placeholder row, as the window shows it.
TEST(CliSystemsCatalog, NoResultGivesThePlaceholderRow) {
    test::TWebServer site(&test::TestCertificates());
    site.Routes().Post("/scripts/sys_getlist.php",
                       [](const httplib::Request&, httplib::Response& a) {
                           a.set_content("Сервис временно недоступен", "text/plain");
                       });
    site.Start();
    TUser carl(site.Url(), "carl");
    TRun r = carl.Run({"systems", "catalog"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(r.out.find('\n') + 1),
              "-1\tСписок систем не доступен!\t\t\t\t\t\t\t\t\t\t\n");
}

}  // namespace
}  // namespace zentrix
