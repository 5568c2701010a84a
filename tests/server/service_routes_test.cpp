#include "server/service_routes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "exchange/http_helpers.h"
#include "exchange/text_extract.h"
#include "support/catalog_server.h"
#include "support/temp_dir.h"
#include "support/web_server.h"
#include "util/base64.h"
#include "util/cp1251.h"
#include "util/service_text.h"

namespace zentrix::server {
namespace {

// Fields as the client sends them: single-byte text, escaped where the protocol escapes.
TFormFields Caller(const std::string& name) {
    return {{"appid", "Zentrix_8x20"},
            {"appver", "1"},
            {"hwdid", "h"},
            {"cl_name", EscapeServiceText(Utf8ToCp1251(name))},
            {"cl_mail", name + "@example.org"},
            {"cl_lcid", "1049"}};
}

TFormFields With(TFormFields fields, const TFormFields& more) {
    fields.insert(more.begin(), more.end());
    return fields;
}

std::string Error(const std::string& reply) {
    return ExtractBetween(reply, "<error>", "</error>", TMissingEnd::Raise);
}

class ServiceRoutes : public ::testing::Test {
  protected:
    std::string Post(const std::string& script, const TFormFields& fields) {
        return HandleServiceRequest(store_, "/scripts/" + script, fields);
    }
    test::TTempDir dir_;
    TCatalogStore store_{dir_.File("catalog.db")};
};

TEST_F(ServiceRoutes, PublishedTextsComeBackAsBase64OfUtf8) {
    const std::string script = "FULL:0#RAND| | | | | | | |Кавычка \" и \\\r\n";
    const std::string reply = Post(
        "scr_putscript.php",
        With(Caller("Анна"), {{"del_mode", "0"},
                              {"scr_id", "-1"},
                              {"scr_uniapps", "0"},
                              {"scr_publics", "1"},
                              {"scr_title", EscapeServiceText(Utf8ToCp1251("Мой 'сценарий'?"))},
                              {"scr_descr", EscapeServiceText(Utf8ToCp1251("две\r\nстроки"))},
                              {"scr_script", EscapeServiceText(Utf8ToCp1251(script))}}));
    ASSERT_EQ(Error(reply), "") << reply;
    const std::string id =
        ExtractBetween(reply, "<id_scripts>", "</id_scripts>", TMissingEnd::Raise);
    const std::string list = Post("scr_getlist.php", With(Caller("Борис"), {{"fltid", "1"}}));
    EXPECT_EQ(ExtractBetween(list, "<key_cl_name>", "</key_cl_name>", TMissingEnd::Raise), "Анна");
    EXPECT_EQ(Base64Decode(ExtractBetween(list, "<title>", "</title>", TMissingEnd::Raise)),
              "Мой 'сценарий'?");
    EXPECT_EQ(Base64Decode(ExtractBetween(list, "<descr>", "</descr>", TMissingEnd::Raise)),
              "две\r\nстроки");
    const std::string data = Post("scr_getdata.php", With(Caller("Борис"), {{"scr_id", id}}));
    EXPECT_EQ(Base64Decode(ExtractBetween(data, "<script>", "</script>", TMissingEnd::Raise)),
              script);
}

TEST_F(ServiceRoutes, BadRequestsGetAnErrorReply) {
    const struct {
        const char* script;
        TFormFields fields;
    } cases[] = {
        {"nothing.php", {}},
        {"scr_getlist.php", {}},
        {"scr_getlist.php", {{"fltid", "7"}}},
        {"scr_getlist.php", {{"fltid", "1x"}}},
        {"scr_getdata.php", {{"scr_id", "12"}}},
        {"scr_setrate.php", With(Caller("a"), {{"scr_id", "1"}, {"rate_value", "9"}})},
        {"scr_putscript.php", With(Caller("a"), {{"del_mode", "2"}})},
        {"scr_putscript.php", With(Caller("a"), {{"del_mode", "0"}, {"scr_id", "-1"}})},
        {"scr_putscript.php",
         {{"del_mode", "0"}, {"scr_id", "-1"}, {"cl_name", std::string(65, 'n')}}},
        {"scr_putscript.php", With(Caller("a"), {{"del_mode", "1"}, {"scr_id", "5"}})},
        {"scr_chktitle.php", {{"scr_id", "-1"}, {"scr_title", std::string(100, 't')}}},
        {"sys_getdata.php", {{"sys_id", "abc"}}},
        {"sys_putdata.php", With(Caller("a"), {{"del_mode", "0"}, {"sys_id", "0"}})},
        {"sys_putdata.php", With(Caller("<b>"), {{"del_mode", "1"}, {"sys_id", "1"}})},
    };
    for (const auto& c : cases) {
        const std::string reply = Post(c.script, c.fields);
        EXPECT_NE(Error(reply), "") << c.script << ": " << reply;
    }
    EXPECT_TRUE(store_.IsConsistent());
}

TEST_F(ServiceRoutes, SystemsListAndData) {
    const std::string clist = "01 02 03 04 05 06 07 08\r\n02 03 04 05 06 07 08 09\r\n";
    const std::string put = Post(
        "sys_putdata.php", With(Caller("a"), {{"del_mode", "0"},
                                              {"sys_id", "-1"},
                                              {"nums", "9"},
                                              {"clen", "8"},
                                              {"olap", "3"},
                                              {"title", EscapeServiceText(Utf8ToCp1251("Система"))},
                                              {"descr", "d"},
                                              {"csize", "2"},
                                              {"clist", Base64Encode(EscapeServiceText(clist))},
                                              {"url", "https://example.org/s"}}));
    const std::string id = ExtractBetween(put, "<id_systems>", "</id_systems>", TMissingEnd::Raise);
    ASSERT_EQ(id, "1") << put;
    const std::string list = Post("sys_getlist.php", Caller("b"));
    EXPECT_EQ(ExtractBetween(list, "<nums>", "</nums>", TMissingEnd::Raise), "9");
    EXPECT_EQ(ExtractBetween(list, "<cl_mail>", "</cl_mail>", TMissingEnd::Raise), "a@example.org");
    const std::string data = Post("sys_getdata.php", {{"sys_id", id}});
    EXPECT_EQ(Base64Decode(ExtractBetween(data, "<clist>", "</clist>", TMissingEnd::Raise)), clist);
}

// The real program, over plain HTTP as behind a reverse proxy (TLS handshakes under the
// sanitizers would only slow the burst): many clients at once lose nothing.
TEST(CatalogServerProgram, ABurstOfConcurrentRequestsLosesNothing) {
    test::TCatalogServer server("", false, false);
    THttpOptions options;
    options.connectTimeoutMs = options.readTimeoutMs = 60000;
    auto post = [&](const std::string& script, const TFormFields& fields) {
        std::vector<std::string> form;
        for (const auto& [k, v] : fields) form.push_back(k + "=" + FormEncode(v));
        return HttpPostForm(server.Url() + "/scripts/" + script, form, true, options);
    };
    ASSERT_NE(post("scr_getlist.php", With(Caller("warm"), {{"fltid", "0"}})).find("<result>"),
              std::string::npos);
    constexpr int kClients = 20, kRequests = 50, kPublishEvery = 5;
    std::vector<std::string> failures(kClients);
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c)
        clients.emplace_back([&, c] {
            const TFormFields me = Caller("u" + std::to_string(c));
            try {
                for (int i = 0; i < kRequests; ++i) {
                    std::string reply;
                    if (i % kPublishEvery == 0)
                        reply = post("scr_putscript.php",
                                     With(me, {{"del_mode", "0"},
                                               {"scr_id", "-1"},
                                               {"scr_uniapps", "0"},
                                               {"scr_publics", "1"},
                                               {"scr_title",
                                                "t" + std::to_string(c) + "-" + std::to_string(i)},
                                               {"scr_descr", ""},
                                               {"scr_script", "FULL:0#RAND| | | | | | | |"}}));
                    else if (i % 2 == 1)
                        reply = post("scr_setrate.php",
                                     With(me, {{"scr_id", std::to_string(1 + i % 7)},
                                               {"rate_value", std::to_string(1 + i % 5)},
                                               {"rate_notes", ""}}));
                    else
                        reply = post("scr_getlist.php", With(me, {{"fltid", "1"}}));
                    if (reply.find("<result>") == std::string::npos)
                        throw std::runtime_error("no result: " + reply);
                    // Rating an entry not yet published is refused; nothing else may be.
                    if (i % kPublishEvery == 0 && !Error(reply).empty())
                        throw std::runtime_error(reply);
                }
            } catch (const std::exception& e) {
                failures[c] = e.what();
            }
        });
    for (auto& t : clients) t.join();
    for (const auto& f : failures) EXPECT_EQ(f, "");
    server.Stop();
    TCatalogStore store(server.DbFile());
    EXPECT_TRUE(store.IsConsistent());
    TCaller reader;
    EXPECT_EQ(store.ListScripts(TScriptFilter::All, reader).size(),
              static_cast<size_t>(kClients * kRequests / kPublishEvery));
    const auto rates = store.ScriptRates(1);
    for (size_t i = 0; i < rates.size(); ++i)
        for (size_t j = i + 1; j < rates.size(); ++j) EXPECT_NE(rates[i].name, rates[j].name);
}

TEST(CatalogServerProgram, ServesUpdateFilesReadOnlyInsideTheirFolder) {
    test::TTempDir updates;
    std::filesystem::create_directories(updates.File("UpdDescr"));
    std::ofstream(updates.File("UpdDescr/notes.txt")) << "notes";
    std::ofstream(updates.File("SelfUpdates.inf")) << "inf";
    test::TCatalogServer server(updates.Path());
    THttpOptions options;
    options.caFile = test::TestCertificates().caFile;
    EXPECT_EQ(HttpGetText(server.Url() + "/updates/SelfUpdates.inf", true, options), "inf");
    EXPECT_EQ(HttpGetText(server.Url() + "/updates/UpdDescr/notes.txt", true, options), "notes");
    for (const char* path : {"/updates/../catalog.db", "/updates/%2e%2e/catalog.db",
                             "/updates/missing.txt", "/catalog.db"})
        EXPECT_THROW(HttpGetText(server.Url() + path, true, options), EHttpError) << path;
    EXPECT_THROW(HttpPostForm(server.Url() + "/updates/SelfUpdates.inf", {"a=b"}, true, options),
                 EHttpError);
}

}  // namespace
}  // namespace zentrix::server
