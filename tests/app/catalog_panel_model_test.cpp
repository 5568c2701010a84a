#include <gtest/gtest.h>

#include <memory>

#include "app/catalog_dialogs.h"
#include "app/list_sort.h"
#include "app/session.h"
#include "support/catalog_server.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/web_server.h"
#include "util/ini.h"

namespace zentrix {
namespace {

TEST(CatalogListSort, OrdersByTheColumnsTexts) {
    using TRow = std::vector<std::string>;
    const std::vector<TRow> rows = {{"b", "10"}, {"A", "9,5"}, {"c", "x"}, {"a", "9.5"}};
    const struct {
        int column;
        bool descending;
        std::vector<std::string> firsts;
    } cases[] = {
        {0, false, {"A", "a", "b", "c"}},  // case ignored, ties keep their order
        {0, true, {"c", "b", "A", "a"}},
        {1, false, {"A", "a", "b", "c"}},  // numbers as numbers, "," a decimal point
        {1, true, {"c", "b", "A", "a"}},
        {5, false, {"b", "A", "c", "a"}},  // a missing column: all equal, order kept
    };
    for (const auto& c : cases) {
        std::vector<TRow> sorted = rows;
        SortRowsByTexts(sorted, c.column, c.descending, [](const TRow& r) { return r; });
        std::vector<std::string> firsts;
        for (const TRow& r : sorted) firsts.push_back(r[0]);
        EXPECT_EQ(firsts, c.firsts) << c.column << " " << c.descending;
    }
}

TEST(CatalogDialogs, LanguagesAndCaptions) {
    const struct {
        int32_t lcid, fallback;
        int index;
    } languages[] = {{1049, 1049, 0}, {1033, 1049, 0}, {1033, 1058, -1}};
    for (const auto& c : languages)
        EXPECT_EQ(CatalogLanguageIndex(c.lcid, c.fallback), c.index) << c.lcid;
    EXPECT_EQ(CatalogLanguages().at(0).name, "Русский");
    EXPECT_EQ(CatalogLanguageAt(0, 1033), 1049);
    EXPECT_EQ(CatalogLanguageAt(-1, 1033), 1033);
    EXPECT_EQ(OnlyInProgramCaption("/opt/zentrix/Zentrix_8x20"), "Только в \"Zentrix_8x20\"");
    EXPECT_EQ(OnlyInProgramCaption("C:\\Numerra\\Zentrix_8x20.exe"), "Только в \"Zentrix_8x20\"");
}

TEST(CatalogDialogs, RatesListSortsByHeaderClicks) {
    TScriptRate a{"bob", "4", 0, "Zentrix_8x20", "1.0", "Хорошо"};
    TScriptRate b{"Ann", "5", 0, "Other", "2.0", ""};
    TScriptRatesList list({a, b});
    EXPECT_EQ(list.RowTexts(0),
              (std::vector<std::string>{"bob", "4", "", "Zentrix_8x20", "1.0", "Хорошо"}));
    EXPECT_EQ(list.SortColumn(), -1);
    list.SortByClick(0);
    EXPECT_EQ(list.RowTexts(0)[0], "Ann");
    list.SortByClick(0);
    EXPECT_TRUE(list.SortDescending());
    EXPECT_EQ(list.RowTexts(0)[0], "bob");
    list.SortByClick(1);
    EXPECT_FALSE(list.SortDescending());
    EXPECT_EQ(list.RowTexts(0)[1], "4");
    EXPECT_TRUE(list.RowTexts(2).empty());
}

// The panel's controller against the real service: its order, selection, toggle and options.
struct CatalogPanelModel : ::testing::Test {
    test::TCatalogServer server;
    test::TTempDir dir;
    test::TFakeUi ui;
    std::unique_ptr<TMainSession> session = std::make_unique<TMainSession>(dir.Path(), ui);

    void SetUp() override {
        session->LoadWindowSettings();
        session->LoadConfig();
        TServiceSettings services = session->Config().Services();
        services.CatalogUrl = server.Url();
        services.CaFile = test::TestCertificates().caFile;
        ASSERT_TRUE(session->Config().SaveServices(services));
        ASSERT_TRUE(session->Config().SaveUser({"ann", "ann@example.org", ""}));
        session->Scenario().ReplaceLines({"FULL:0#RAND| | | | | | | |A"});
    }
    TCatalogController& Catalog() { return session->Catalog(); }
    void Publish(const std::string& title) {
        TScriptData data = Catalog().NewScriptData();
        data.Title = title;
        ASSERT_FALSE(Catalog().CheckScriptData(data));
        ASSERT_TRUE(Catalog().Publish(data));
    }
    std::vector<std::string> Titles() {
        std::vector<std::string> titles;
        for (const TScriptInfo& e : Catalog().Entries()) titles.push_back(e.Title);
        return titles;
    }
};

TEST_F(CatalogPanelModel, SortKeepsTheSelectionAndTheOptionsAreKept) {
    for (const char* title : {"Бета", "альфа", "Гамма"}) Publish(title);
    Catalog().RefreshCatalog();
    ASSERT_EQ(Catalog().Entries().size(), 3u);
    ASSERT_TRUE(Catalog().SelectId(Catalog().Entries()[0].Id));
    const int32_t chosen = Catalog().SelectedEntry()->Id;
    ASSERT_TRUE(Catalog().Rate(4, "хорошо"));
    // "Рейтинг" ascending at first: the rated entry last, the selection still on it.
    EXPECT_EQ(Catalog().SortColumn(), 7);
    EXPECT_EQ(Catalog().Entries().back().Id, chosen);
    EXPECT_EQ(Catalog().SelectedEntry()->Id, chosen);
    Catalog().SortByClick(1);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"альфа", "Бета", "Гамма"}));
    Catalog().SortByClick(1);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Гамма", "Бета", "альфа"}));
    EXPECT_EQ(Catalog().SelectedEntry()->Id, chosen);

    Catalog().SetFilterIndex(3);
    Catalog().StoreOptions();
    session->Core().Settings().StoreExitOptions();
    session->Core().Settings().Save();
    TIniFile frm(dir.File("Zentrix_8x20.frm"));
    EXPECT_EQ(frm.ReadString("TFormMain", "lvOnlineScripts.SortType", ""), "1,1");
    EXPECT_EQ(frm.ReadInteger("TFormMain", "ScriptLibraryFilter", 0), 3);

    // The toggle writes ScriptLibraryOn at once; a hidden panel lists nothing.
    Catalog().TogglePanel();
    EXPECT_FALSE(Catalog().PanelShown());
    EXPECT_TRUE(Catalog().Entries().empty());
    EXPECT_FALSE(Catalog().CanRefresh());
    EXPECT_FALSE(
        TIniFile(dir.File("Zentrix_8x20.frm")).ReadBool("TFormMain", "ScriptLibraryOn", true));

    // The next start reads them back.
    test::TFakeUi otherUi;
    TMainSession next(dir.Path(), otherUi);
    next.LoadWindowSettings();
    next.Catalog().RestoreOptions();
    EXPECT_FALSE(next.Catalog().PanelShown());
    EXPECT_EQ(next.Catalog().FilterIndex(), 3);
    EXPECT_EQ(next.Catalog().SortColumn(), 1);
    EXPECT_TRUE(next.Catalog().SortDescending());
    Catalog().TogglePanel();
    EXPECT_TRUE(Catalog().PanelShown());
    EXPECT_EQ(Catalog().Entries().size(), 3u);  // only mine: all three are
    EXPECT_TRUE(ui.MessageTexts().empty());
}

TEST_F(CatalogPanelModel, BadStoredOptionsGiveTheDefaults) {
    TIniFile frm(dir.File("Zentrix_8x20.frm"));
    frm.WriteString("TFormMain", "ScriptLibraryFilter", "12");
    frm.WriteString("TFormMain", "lvOnlineScripts.SortType", "40,1");
    frm.UpdateFile();
    session->LoadWindowSettings();
    Catalog().RestoreOptions();
    EXPECT_EQ(Catalog().FilterIndex(), 2);
    EXPECT_EQ(Catalog().SortColumn(), 7);
    EXPECT_FALSE(Catalog().SortDescending());
}

}  // namespace
}  // namespace zentrix
