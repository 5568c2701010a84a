#include "stats/help_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "core/config.h"
#include "stats/stat_list.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/format.h"
#include "util/help_files.h"
#include "util/html_text.h"
#include "util/strings.h"

namespace zentrix {
namespace {

namespace fs = std::filesystem;

const std::string kHelp = ZENTRIX_HELP_SOURCE;
const std::string kFixtures = ZENTRIX_TEST_DATA "/help";

// The registry as a fresh program folder builds it.
struct TDefaultRegistry {
    TDrawsArray draws;
    TConfigSettings config = DefaultConfigSettings();
    TStatList list{draws, config};
    TDefaultRegistry() { list.RegisterMethods(); }
};

bool HasMethodPages(const std::string& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind("Filters_1049_", 0) == 0) return true;
    return false;
}

// The page's problems against the help's HTML subset and its links into the folder. Until the
// folder has method pages at all, links to them are not followed (the registry walk below
// reports the pages missing).
std::vector<std::string> PageProblems(const std::string& folder, const std::string& name) {
    const bool methodPages = HasMethodPages(folder);
    static const std::set<std::string> kSkeleton = {"html",  "head", "meta",
                                                    "title", "link", "body"};
    static const std::set<std::string> kAllowed = {"h1", "h2",    "h3",   "p",   "ul", "ol",
                                                   "li", "table", "tr",   "th",  "td", "a",
                                                   "b",  "i",     "code", "pre", "br"};
    static const std::set<std::string> kEntities = {"amp", "lt", "gt", "quot", "nbsp"};
    std::vector<std::string> problems;
    auto problem = [&](const std::string& text) { problems.push_back(name + ": " + text); };
    const std::string html = ReadFileBytes(JoinPath(folder, name));
    if (html.rfind("\xEF\xBB\xBF", 0) == 0) problem("byte order mark");
    if (!IsValidUtf8(html)) problem("not UTF-8");
    for (const std::string& entity : HtmlEntityNames(html))
        if (!kEntities.count(entity)) problem("entity &" + entity + ";");
    int h1 = 0;
    int hidden = 0;
    std::string bodyText;
    for (const THtmlToken& t : TokenizeHtml(html)) {
        if (t.kind == THtmlToken::TKind::Text) {
            if (hidden == 0) bodyText += Trim(t.text);
            continue;
        }
        if (t.kind == THtmlToken::TKind::Comment) continue;
        if (t.kind == THtmlToken::TKind::Declaration) {
            if (!SameText(t.text, "<!DOCTYPE html>")) problem("declaration " + t.text);
            continue;
        }
        if (t.name == "head") hidden += t.kind == THtmlToken::TKind::Open ? 1 : -1;
        const bool skeleton = kSkeleton.count(t.name) > 0;
        if (t.kind != THtmlToken::TKind::Open) continue;
        if (!skeleton && !kAllowed.count(t.name)) problem("tag <" + t.name + ">");
        if (t.name == "h1") ++h1;
        for (const auto& [attr, value] : t.attributes) {
            const bool allowed =
                attr == "href" || attr == "id" || attr == "class" ||
                (skeleton && (attr == "lang" || attr == "charset" || attr == "rel"));
            if (!allowed) problem("attribute " + attr + " of <" + t.name + ">");
        }
        if (t.name != "a") continue;
        const std::string href = t.Attribute("href");
        if (href.rfind("https://", 0) == 0) continue;
        if (href.empty() || href.find(':') != std::string::npos || href.find('/') != href.npos) {
            problem("link \"" + href + "\"");
            continue;
        }
        const size_t hash = href.find('#');
        const std::string target = hash == std::string::npos ? href : href.substr(0, hash);
        const std::string anchor = hash == std::string::npos ? "" : href.substr(hash + 1);
        const std::string path = JoinPath(folder, target.empty() ? name : target);
        if (!methodPages && target.rfind("Filters_1049_", 0) == 0) continue;
        if (!FileExists(path)) {
            problem("link to a missing page " + href);
            continue;
        }
        if (anchor.empty()) continue;
        bool found = false;
        for (const THtmlToken& u : TokenizeHtml(ReadFileBytes(path)))
            if (u.kind == THtmlToken::TKind::Open && u.Attribute("id") == anchor) found = true;
        if (!found) problem("link to a missing anchor " + href);
    }
    if (h1 != 1) problem(Format("%d h1", {h1}));
    if (bodyText.empty()) problem("no text");
    return problems;
}

std::vector<std::string> FolderProblems(const std::string& folder) {
    std::vector<std::string> problems;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".htm")
            for (std::string& p : PageProblems(folder, name)) problems.push_back(std::move(p));
        else if (name != "help.css")
            problems.push_back(name + ": not a page of the help");
    }
    return problems;
}

TEST(HelpPages, TheCheckerFindsBrokenPages) {
    EXPECT_EQ(FolderProblems(kFixtures), std::vector<std::string>{});
    struct TCase {
        const char* body;
        const char* problem;
    };
    const TCase cases[] = {
        {"<h1>A</h1><h1>B</h1>", "bad.htm: 2 h1"},
        {"<p>без заголовка</p>", "bad.htm: 0 h1"},
        {"<h1>A</h1><p><a href=\"missing.htm\">x</a></p>",
         "bad.htm: link to a missing page "
         "missing.htm"},
        {"<h1>A</h1><p><a href=\"flags.htm#Q\">x</a></p>",
         "bad.htm: link to a missing anchor flags.htm#Q"},
        {"<h1>A</h1><div>x</div>", "bad.htm: tag <div>"},
        {"<h1 style=\"color:red\">A</h1>", "bad.htm: attribute style of <h1>"},
        {"<h1>A</h1><p>&copy;</p>", "bad.htm: entity &copy;"},
        {"<h1>A</h1><p><a href=\"http://example.org/\">x</a></p>",
         "bad.htm: link \"http://example.org/\""},
        {"<h1>A</h1><script>x()</script>", "bad.htm: tag <script>"},
    };
    for (const TCase& c : cases) {
        test::TTempDir dir;
        fs::copy(kFixtures + "/flags.htm", dir.File("flags.htm"));
        fs::copy(kFixtures + "/index.htm", dir.File("index.htm"));
        AtomicWriteFile(dir.File("bad.htm"),
                        std::string("<!DOCTYPE html><html><body>") + c.body + "</body></html>");
        EXPECT_EQ(PageProblems(dir.Path(), "bad.htm"), std::vector<std::string>{c.problem})
            << c.body;
    }
}

TEST(HelpPages, EveryPageKeepsToTheSubsetAndItsLinksHold) {
    EXPECT_EQ(FolderProblems(kHelp), std::vector<std::string>{});
}

TEST(HelpPages, TheGuideHasItsPagesAndTheAnchorsMethodPagesUse) {
    for (const THelpGuidePage& p : HelpGuidePages())
        EXPECT_TRUE(FileExists(JoinPath(kHelp, std::string(p.topic) + ".htm"))) << p.topic;
    const char* anchors[] = {"settings.htm#channels", "settings.htm#matrix",
                             "settings.htm#segments", "settings.htm#shred",
                             "flags.htm#D",           "flags.htm#S",
                             "flags.htm#N",           "flags.htm#P",
                             "flags.htm#G",           "filters.htm#keep"};
    test::TTempDir dir;
    std::string links;
    for (const char* a : anchors) links += Format("<a href=\"%s\">x</a>", {a});
    for (const auto& entry : fs::directory_iterator(kHelp))
        fs::copy(entry.path(), dir.File(entry.path().filename().string()));
    AtomicWriteFile(dir.File("probe.htm"), "<h1>P</h1><p>" + links + "</p>");
    EXPECT_EQ(PageProblems(dir.Path(), "probe.htm"), std::vector<std::string>{});
}

TEST(HelpPages, TheContentsListEveryMethodPageOfTheRegistry) {
    TDefaultRegistry registry;
    const std::string index = ReadFileBytes(JoinPath(kHelp, kHelpIndexPage));
    // Regenerate with: zentrix-cli help --method-index (between the two marker comments).
    EXPECT_NE(index.find(MethodIndexHtml(registry.list)), std::string::npos)
        << "index.htm's list of method pages is stale; expected:\n"
        << MethodIndexHtml(registry.list);
    for (const THelpGuidePage& p : HelpGuidePages())
        if (std::string(p.topic) != "index") {
            EXPECT_NE(index.find(Format("href=\"%s.htm\"", {p.topic})), std::string::npos)
                << p.topic;
        }
}

TEST(HelpPages, EveryRegistryEntryHasItsMethodPage) {
    if (!HasMethodPages(kHelp)) GTEST_SKIP() << "the help has no method pages yet";
    TDefaultRegistry registry;
    for (const THelpMethodPage& p : MethodHelpPages(registry.list)) {
        const std::string path = JoinPath(kHelp, p.page);
        EXPECT_TRUE(FileExists(path)) << p.page << " (" << p.codes << ")";
        if (FileExists(path)) {
            EXPECT_GT(Utf8Length(Trim(HtmlToText(ReadFileBytes(path)))), 0u) << p.page;
        }
    }
}

TEST(HelpPages, MethodPagesAndTopics) {
    TDefaultRegistry registry;
    const std::vector<THelpMethodPage> pages = MethodHelpPages(registry.list);
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(pages[0].page, "Filters_1049_NUMS.htm");
    std::set<std::string> names;
    for (const THelpMethodPage& p : pages) EXPECT_TRUE(names.insert(p.page).second) << p.page;
    const auto pos = std::find_if(pages.begin(), pages.end(), [](const THelpMethodPage& p) {
        return p.page == "Filters_1049_POSx.htm";
    });
    ASSERT_NE(pos, pages.end());
    EXPECT_EQ(pos->codes, "POS1, POS2, POS3, POS4, POS5, POS6, POS7, POS8, POE1");
    EXPECT_EQ(FindMethodHelpPage(registry.list, "pos3"), "Filters_1049_POSx.htm");
    EXPECT_EQ(FindMethodHelpPage(registry.list, "POSx"), "Filters_1049_POSx.htm");
    EXPECT_EQ(FindMethodHelpPage(registry.list, "NOPE"), "");

    // HelpTopic: empty without a help folder, the page's path with one.
    const TStatMethod& m = registry.list.MethodAt(registry.list.FindCode("POS3"));
    const std::string saved = HelpFolder();
    SetHelpFolder("");
    EXPECT_EQ(MethodHelpTopic(*m.Class, m.Index), "");
    SetHelpFolder(kFixtures);
    EXPECT_EQ(MethodHelpTopic(*m.Class, m.Index), kFixtures + "/Filters_1049_POSx.htm");
    SetHelpFolder(saved);
}

TEST(HelpPages, TheHelpFolderIsFoundBesideTheProgram) {
    test::TTempDir dir;
    auto make = [&](const std::string& folder) {
        fs::create_directories(dir.File(folder));
        AtomicWriteFile(dir.File(folder + "/index.htm"), "<h1>x</h1>");
    };
    fs::create_directories(dir.File("bin"));
    fs::create_directories(dir.File("build/gui"));
    EXPECT_EQ(FindHelpFolder(dir.File("bin/prog")), "");
    make("share/zentrix/help");
    EXPECT_EQ(FindHelpFolder(dir.File("bin/prog")),
              fs::canonical(dir.File("share/zentrix/help")).string());
    make("help");  // the parent folder's help comes before the install share folder
    EXPECT_EQ(FindHelpFolder(dir.File("bin/prog")), fs::canonical(dir.File("help")).string());
    make("bin/help");
    EXPECT_EQ(FindHelpFolder(dir.File("bin/prog")), fs::canonical(dir.File("bin/help")).string());
    fs::create_directories(dir.File("bin/x/help"));  // a folder without the contents page
    EXPECT_EQ(FindHelpFolder(dir.File("bin/x/prog")), fs::canonical(dir.File("bin/help")).string());
}

TEST(HelpPages, ColumnHintsOneLineEach) {
    for (const char* hint : StatColumnHints()) {
        EXPECT_GT(Utf8Length(hint), 10u);
        EXPECT_EQ(std::string(hint).find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace zentrix
