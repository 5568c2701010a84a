#include "exchange/script_catalog.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include "exchange/systems_catalog.h"
#include "support/web_server.h"
#include "util/base64.h"

namespace zentrix {
namespace {

// A plain HTTP service whose every script answers `reply`.
struct TCannedService {
    explicit TCannedService(std::string text) : reply(std::move(text)) {
        server.Routes().Post(R"(/scripts/.*)",
                             [this](const httplib::Request& req, httplib::Response& res) {
                                 lastBody = req.body;
                                 res.set_content(reply, "text/plain");
                             });
        server.Start();
        target.baseUrl = server.Url();
    }
    std::string reply, lastBody;
    test::TWebServer server;
    TServiceTarget target;
};

TServiceIdentity Me() {
    TServiceIdentity id;
    id.appId = "Zentrix_8x20";
    id.userEmail = "me@example.org";
    return id;
}

std::string Entry(const std::string& extra) {
    return "<row><id>7</id><app_name>X</app_name><app_ver>1</app_ver><app_guid>other</app_guid>"
           "<key_cl_name>a</key_cl_name><key_cl_mail>ME@example.org</key_cl_mail>"
           "<key_cl_lcid>1049</key_cl_lcid><publics>1</publics><created></created>"
           "<rating_cnt>2</rating_cnt><downloads></downloads><last_download></last_download>"
           "<title>" +
           Base64Encode("T") + "</title><descr></descr>" + extra + "</row>";
}

TEST(ScriptCatalog, ListingReadsEntriesAndLeniently) {
    const struct {
        std::string extra;
        long double rating;
        int myRating;
        bool universal, compatible;
    } cases[] = {
        {"<rating_avg>3,5</rating_avg><rating_you>-1</rating_you><uniapps>0</uniapps>", 3.5L, -1,
         false, false},
        {"<rating_avg>3.5</rating_avg><rating_you>x</rating_you><uniapps>1</uniapps>", 3.5L, 0,
         true, true},
        {"<rating_avg>none</rating_avg>", 0, 0, false, false},
    };
    for (const auto& c : cases) {
        TCannedService service("<result>" + Entry(c.extra) + "</result>");
        std::vector<TScriptInfo> list;
        LoadCatalog(service.target, Me(), 1, 1049, list);
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0].RatingAvg, c.rating) << c.extra;
        EXPECT_EQ(list[0].MyRating, c.myRating);
        EXPECT_EQ(list[0].Universal, c.universal);
        EXPECT_EQ(list[0].Compatible, c.compatible);
        EXPECT_TRUE(list[0].Mine);
        EXPECT_EQ(list[0].MineCompatible, c.compatible);
        EXPECT_EQ(list[0].Title, "T");
        EXPECT_EQ(CatalogRowTexts(list[0])[9], c.myRating < 0 ? "Скрытый" : "");
    }
}

TEST(ScriptCatalog, RepliesWithoutRowsOrWithRefusals) {
    std::vector<TScriptInfo> list;
    for (const char* empty : {"", "nothing", "<result></result>"}) {
        TCannedService service(empty);
        LoadCatalog(service.target, Me(), 1, 1049, list);
        EXPECT_TRUE(list.empty()) << empty;
        std::vector<std::string> lines = {"kept"};
        EXPECT_FALSE(DownloadScript(service.target, Me(), 1, lines));
        EXPECT_EQ(lines, std::vector<std::string>{"kept"});
    }
    {
        TCannedService service("<result><row><error>нельзя</error></row></result>");
        EXPECT_THROW(LoadCatalog(service.target, Me(), 1, 1049, list), EServiceRefusal);
        EXPECT_THROW(PutScript(service.target, Me(), {}, {"a"}), EServiceRefusal);
    }
    {
        TCannedService service("<result></result>");
        try {
            RateScript(service.target, Me(), 1, 3, 1049, "");
            FAIL();
        } catch (const EServiceRefusal& e) {
            EXPECT_STREQ(e.what(), "Код возврата: -1");
        }
    }
    {
        TCannedService service("<result><row><id>x</id></row></result>");
        EXPECT_THROW(LoadCatalog(service.target, Me(), 1, 1049, list), EConvertError);
    }
    {
        TCannedService service("<result><row><id>5</row></result>");
        EXPECT_THROW(LoadCatalog(service.target, Me(), 1, 1049, list), EZentrix);
    }
    // A failed listing keeps the rows read before the failure.
    TCannedService service("<result>" + Entry("") + "<row><id>x</id></row></result>");
    list.clear();
    EXPECT_THROW(LoadCatalog(service.target, Me(), 1, 1049, list), EConvertError);
    EXPECT_EQ(list.size(), 1u);
}

TEST(ScriptCatalog, RequestsEscapeAndEncodeTheirFields) {
    TCannedService service("<result><row><id_scripts>4</id_scripts></row></result>");
    TScriptData data;
    data.Title = "a&b?";
    data.Author = "Я";
    EXPECT_EQ(PutScript(service.target, Me(), data, {"x", "y"}), 4);
    EXPECT_NE(
        service.lastBody.find("del_mode=0&scr_id=-1&scr_uniapps=0&scr_publics=1&"
                              "scr_title=a%26b%5C%3F&scr_descr=&scr_script=x%5Cr%5Cny%5Cr%5Cn"),
        std::string::npos)
        << service.lastBody;
    EXPECT_NE(service.lastBody.find("cl_name=%DF&"), std::string::npos);  // single-byte text
    EXPECT_EQ(RemoveScript(service.target, Me(), data), 4);
    EXPECT_EQ(service.lastBody.find("scr_script"), std::string::npos);
}

TEST(SystemsCatalog, DownloadCountAndListNormalisation) {
    TCannedService service("<result><row><clist>" + Base64Encode("1 2 3 4 5 6 7 8\r\n") +
                           "</clist></row></result>");
    TSystemInfo info;
    info.id = 3;
    info.csize = 2;
    EXPECT_THROW(DownloadSystemLines(service.target, info), EZentrix);
    info.csize = 1;
    EXPECT_EQ(DownloadSystemLines(service.target, info).size(), 1u);

    const TNormalizedList n =
        NormalizeSystemList("5-6-7-8-9-10-11-12\r\n1 2 3\r\n\r\n1,2,3,4,5,6,7,8");
    EXPECT_EQ(n.text, "05 06 07 08 09 10 11 12\r\n01 02 03 04 05 06 07 08\r\n");
    EXPECT_EQ(n.csize, 2);
    EXPECT_EQ(n.nums, 12);
    EXPECT_EQ(NormalizeSystemList("").nums, 0);
}

}  // namespace
}  // namespace zentrix
