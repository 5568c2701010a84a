#include "server/catalog_store.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zentrix::server {
namespace {

TCaller User(const std::string& name) {
    TCaller c;
    c.name = name;
    c.mail = name + "@example.org";
    c.appId = "Zentrix_8x20";
    c.appVersion = "1";
    c.lcid = 1049;
    return c;
}

class CatalogStore : public ::testing::Test {
  protected:
    TScriptPut Script(const std::string& title, bool isPublic = true) {
        TScriptPut p;
        p.title = title;
        p.descr = "d";
        p.script = "FULL:0#RAND| | | | | | | |\r\n";
        p.isPublic = isPublic;
        return p;
    }
    std::vector<std::string> Titles(TScriptFilter filter, const TCaller& caller) {
        std::vector<std::string> titles;
        for (const auto& e : store_.ListScripts(filter, caller)) titles.push_back(e.title);
        return titles;
    }

    test::TTempDir dir_;
    std::string now_ = "2026-01-10 12:00:00";
    TCatalogStore store_{dir_.File("catalog.db"), [this] { return now_; }};
    TCaller ann_ = User("ann"), bob_ = User("bob");
};

TEST_F(CatalogStore, OnlyTheAuthorReplacesOrDeletes) {
    const int64_t id = store_.PutScript(Script("A"), ann_);
    auto replaced = Script("A2");
    replaced.id = id;
    EXPECT_THROW(store_.PutScript(replaced, bob_), ERefused);
    EXPECT_THROW(store_.RemoveScript(id, bob_), ERefused);
    TCaller annUpper = ann_;
    annUpper.mail = " ANN@example.org ";
    EXPECT_EQ(store_.PutScript(replaced, annUpper), id);
    EXPECT_EQ(Titles(TScriptFilter::All, bob_), std::vector<std::string>{"A2"});
    store_.RemoveScript(id, ann_);
    EXPECT_THROW(store_.RemoveScript(id, ann_), ERefused);
    EXPECT_TRUE(Titles(TScriptFilter::All, ann_).empty());
}

TEST_F(CatalogStore, TitlesAreUniqueWithoutRegardToCaseAndBlanks) {
    const int64_t id = store_.PutScript(Script("Горячие"), ann_);
    EXPECT_THROW(store_.PutScript(Script("  горячие "), bob_), ERefused);
    EXPECT_FALSE(store_.IsTitleFree(-1, "ГОРЯЧИЕ"));
    EXPECT_TRUE(store_.IsTitleFree(id, "Горячие"));
    EXPECT_THROW(store_.PutScript(Script("  "), ann_), ERefused);
    TCaller noMail = ann_;
    noMail.mail = "";
    EXPECT_THROW(store_.PutScript(Script("B"), noMail), ERefused);
}

TEST_F(CatalogStore, OneRatingPerUserAndHiddenEntriesLeaveThatUsersList) {
    const int64_t id = store_.PutScript(Script("A"), ann_);
    store_.PutScript(Script("B"), ann_);
    store_.RateScript(id, 2, "meh", bob_);
    store_.RateScript(id, 4, "better", bob_);
    store_.RateScript(id, 5, "", ann_);
    auto list = store_.ListScripts(TScriptFilter::All, bob_);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].ratingCount, 2);
    EXPECT_DOUBLE_EQ(list[0].ratingAvg, 4.5);
    EXPECT_EQ(list[0].myRating, 4);
    EXPECT_EQ(store_.ScriptRates(id).size(), 2u);

    store_.RateScript(id, -1, "", bob_);
    EXPECT_EQ(Titles(TScriptFilter::NotHidden, bob_), std::vector<std::string>{"B"});
    EXPECT_EQ(Titles(TScriptFilter::Hidden, bob_), std::vector<std::string>{"A"});
    EXPECT_EQ(Titles(TScriptFilter::NotHidden, ann_), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(store_.ListScripts(TScriptFilter::All, ann_)[0].ratingCount, 1);
    store_.RateScript(id, 0, "", bob_);
    EXPECT_EQ(Titles(TScriptFilter::NotHidden, bob_), (std::vector<std::string>{"A", "B"}));
    EXPECT_THROW(store_.RateScript(id, 6, "", bob_), ERefused);
    EXPECT_THROW(store_.RateScript(999, 3, "", bob_), ERefused);
    EXPECT_TRUE(store_.IsConsistent());
}

TEST_F(CatalogStore, FiltersAndPrivateEntries) {
    now_ = "2026-01-01 00:00:00";
    const int64_t old = store_.PutScript(Script("Old"), ann_);
    now_ = "2026-01-10 11:00:00";
    store_.PutScript(Script("Private", false), ann_);
    store_.PutScript(Script("Bobs"), bob_);
    now_ = "2026-01-10 12:00:00";
    store_.RateScript(old, 3, "", bob_);
    const struct {
        TScriptFilter filter;
        std::vector<std::string> forBob, forAnn;
    } cases[] = {
        {TScriptFilter::All, {"Old", "Bobs"}, {"Old", "Private", "Bobs"}},
        {TScriptFilter::Mine, {"Bobs"}, {"Old", "Private"}},
        {TScriptFilter::Public, {"Old", "Bobs"}, {"Old", "Bobs"}},
        {TScriptFilter::RatedByMe, {"Old"}, {}},
        {TScriptFilter::NotRatedByMe, {"Bobs"}, {"Old", "Private", "Bobs"}},
        {TScriptFilter::New, {"Bobs"}, {"Private", "Bobs"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Titles(c.filter, bob_), c.forBob) << static_cast<int>(c.filter);
        EXPECT_EQ(Titles(c.filter, ann_), c.forAnn) << static_cast<int>(c.filter);
    }
    const int64_t priv = store_.ListScripts(TScriptFilter::Mine, ann_)[1].id;
    EXPECT_EQ(store_.DownloadScript(priv, bob_), std::nullopt);
    EXPECT_TRUE(store_.DownloadScript(priv, ann_).has_value());
    const auto after = store_.ListScripts(TScriptFilter::Mine, ann_);
    EXPECT_EQ(after[1].downloads, 1);
    EXPECT_EQ(after[1].lastDownload, now_);
}

TEST_F(CatalogStore, SystemsAreCheckedAndOwned) {
    TSystemPut good;
    good.title = "S";
    good.descr = "d";
    good.nums = 9;
    good.olap = 3;
    good.csize = 2;
    good.clist = "01 02 03 04 05 06 07 08\r\n2,3,4,5,6,7,8,9\r\n";
    struct TCase {
        const char* what;
        void (*spoil)(TSystemPut&);
    };
    const TCase bad[] = {
        {"nums", [](TSystemPut& p) { p.nums = 21; }},
        {"olap", [](TSystemPut& p) { p.olap = 8; }},
        {"clen", [](TSystemPut& p) { p.clen = 6; }},
        {"csize", [](TSystemPut& p) { p.csize = 3; }},
        {"position", [](TSystemPut& p) { p.clist = "1 2 3 4 5 6 7 10\r\n2 3 4 5 6 7 8 9"; }},
        {"words", [](TSystemPut& p) { p.clist = "1 2 3\r\n2 3 4 5 6 7 8 9"; }},
        {"title", [](TSystemPut& p) { p.title = " "; }},
        {"descr", [](TSystemPut& p) { p.descr = ""; }},
    };
    for (const auto& c : bad) {
        TSystemPut p = good;
        c.spoil(p);
        EXPECT_THROW(store_.PutSystem(p, ann_), ERefused) << c.what;
    }
    EXPECT_TRUE(store_.ListSystems().empty());
    const int64_t id = store_.PutSystem(good, ann_);
    EXPECT_THROW(store_.PutSystem(good, bob_), ERefused);  // the title is taken
    TSystemPut edit = good;
    edit.id = id;
    EXPECT_THROW(store_.PutSystem(edit, bob_), ERefused);
    EXPECT_THROW(store_.RemoveSystem(id, bob_), ERefused);
    EXPECT_EQ(store_.DownloadSystem(id), good.clist);
    EXPECT_EQ(store_.ListSystems().at(0).downloads, 1);
    store_.RemoveSystem(id, ann_);
    EXPECT_EQ(store_.DownloadSystem(id), std::nullopt);
}

TEST_F(CatalogStore, ReopeningKeepsWhatWasStored) {
    store_.PutScript(Script("Kept"), ann_);
    TCatalogStore again(dir_.File("catalog.db"));
    EXPECT_EQ(again.ListScripts(TScriptFilter::All, bob_).at(0).title, "Kept");
}

}  // namespace
}  // namespace zentrix::server
