#include "stats/stat_list.h"

#include <gtest/gtest.h>

#include "stats/stats_env.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

using test::TStatsEnv;
using test::TTempDir;

std::vector<std::string> Codes(const TStatList& list) {
    std::vector<std::string> codes;
    for (int i = 0; i < list.MethodCount(); ++i)
        codes.push_back(list.MethodAt(i).Class->CodeOf(list.MethodAt(i).Index));
    return codes;
}

TEST(StatList, RegistersTheClassesInTheirFixedOrder) {
    TStatsEnv env;
    // An unloaded configuration: no channel, column or row entries, segments 0 and 1.
    const std::vector<std::string> expected = {
        "NUMS",  "DIGS",  "EVEN",  "EVNV",  "SMAL",  "SMLV",  "PRIM",  "PRMV",   "SUMS",   "SUM1",
        "SUM2",  "SUM3",  "SUMC",  "SUMV",  "SUMT",  "SUME",  "SUMP",  "S2T3",   "DIFA",   "DIFM",
        "DIFD",  "DIFO",  "DIFK",  "CHAN",  "CHNV",  "CHNC",  "COLS",  "ROWS",   "COLV",   "ROWV",
        "COLN",  "ROWN",  "COLM",  "ROWM",  "COLA",  "ROWA",  "COLC",  "ROWC",   "SGMS",   "SGMV",
        "SGMC",  "SEQL",  "SEQS",  "LENS",  "RPV2",  "RPV3",  "PRL2",  "PRV2O1", "PRV2O2", "PRV2O3",
        "PRV+1", "PRV-1", "PRV+2", "PRV-2", "RPC2",  "RPC3",  "PRB2",  "RPO1",   "PRC2O2", "PRC2O3",
        "PRC+1", "PRC-1", "PRC+2", "PRC-2", "KNM2",  "KNM3",  "KNM4",  "KNS2",   "KNS3",   "KNS4",
        "KNP21", "KNP22", "KNP23", "KNP24", "KNP25", "KNP26", "KNP27", "KNP31",  "KNP32",  "KNP33",
        "KNP34", "KNP35", "KNP36", "KNP41", "KNP42", "KNP43", "KNP44", "KNP45",  "KDS2",   "KDS3",
        "KDS4",  "KCM2",  "KCM3",  "KCM4",  "KCS2",  "KCS3",  "KCS4",  "KFM2",   "KFM3",   "KFM4",
        "KFS2",  "KFS3",  "KFS4",  "KRM2",  "KRM3",  "KRM4",  "KRS2",  "KRS3",   "KRS4",   "KGM2",
        "KGM3",  "KGM4",  "KGS2",  "KGS3",  "KGS4",  "POS1",  "POS2",  "POS3",   "POS4",   "POS5",
        "POS6",  "POS7",  "POS8",  "POE1",  "SGM0",  "SGM1",  "GRPV",  "GRPP",   "GRCV",   "GRCP",
        "GRSV",  "GRSP",  "PRDV",  "PRDC",  "PRDG",  "SDV2",  "SDP2",  "SDN1",   "SDN2",   "SDN3",
        "SDN4",  "SDN5",  "SDN6",  "SDN7",  "SDN8",  "SDP3",  "SDM1",  "SDM2",   "SDM3",   "SDM4",
        "SDM5",  "SDM6",  "SDM7",  "SDM8",  "SCV2",  "SCP2",  "SCN1",  "SCN2",   "SCN3",   "SCN4",
        "SCN5",  "SCN6",  "SCN7",  "SCN8",  "SCP3",  "SCM1",  "SCM2",  "SCM3",   "SCM4",   "SCM5",
        "SCM6",  "SCM7",  "SCM8",  "SDA2",  "SDG2",  "SDZ2",  "SDC2",  "SSV2",   "SSP2",   "SSN1",
        "SSN2",  "SSN3",  "SSN4",  "SSN5",  "SSN6",  "SSN7",  "SSN8",  "SSP3",   "SSM1",   "SSM2",
        "SSM3",  "SSM4",  "SSM5",  "SSM6",  "SSM7",  "SSM8",  "SS2C0", "SS2C1",  "SS3C0",  "SS3C1",
        "HCV1",  "HCV2",  "HCV3",  "SHR1",  "SHR2",  "SHR3"};
    EXPECT_EQ(Codes(env.list), expected);
    EXPECT_EQ(env.list.MethodAt(env.Entry("POS3")).Index, 3);
    EXPECT_EQ(env.list.MethodAt(env.Entry("NUMS")).Index, 0);
    for (int i = 0; i < env.list.MethodCount(); ++i) {
        EXPECT_TRUE(env.list.MethodAt(i).Favourite);
        EXPECT_TRUE(env.list.MethodAt(i).CustomName.empty());
    }
}

TEST(StatList, RegisterMethodsResetsTheOptions) {
    TStatsEnv env;
    env.list.Ordered = true;
    env.list.ShowGroupName = false;
    env.list.ShowMethodFlags = false;
    env.list.ParseFavourites("NUMS");
    env.list.RegisterMethods();
    EXPECT_FALSE(env.list.Ordered);
    EXPECT_TRUE(env.list.ShowGroupName);
    EXPECT_TRUE(env.list.ShowMethodFlags);
    EXPECT_TRUE(env.list.AllFavourites);
    EXPECT_EQ(env.list.MethodCount(), 206);
}

TEST(StatList, ClassDescriptors) {
    TStatsEnv env;
    struct TCase {
        const char* code;
        const char* className;
        const char* name;
        const char* help;
        const char* letters;
        bool canParse;
    };
    const TCase cases[] = {
        {"NUMS", "TstValues", "Числа тиража", "NUMS", "N", true},
        {"EVEN", "TstEvenCount", "Количество четных чисел в тираже (Ч:Н)", "EVEN", "NG", true},
        {"EVNV", "TstEvenValues", "Четные и нечетные числа в тираже (Чн..нЧ)", "EVNV", "SN", true},
        {"POS3", "TstPosVal", "Число в 3 позиции тиража", "POSx", "SNG", true},
        {"POE1", "TstPosExt", "Extra (Bonus, Star...) - число (!без фильтра!)", "POSx", "G", true},
        {"KNM3", "TstCombValMix3", "Сочетания из 3 чисел по всем числам тиража", "KNM3", "S",
         false},
        {"KNS2", "TstCombValSeq2", "Сочетания из 2 соседних чисел тиража", "KNS2", "S", false},
        {"KNP35", "TstCombValPos3", "Сочетания из 3-х чисел тиража начиная с 5 позиции", "KNP3",
         "S", false},
    };
    for (const TCase& c : cases) {
        const TStatMethod& m = env.list.MethodAt(env.Entry(c.code));
        EXPECT_EQ(m.Class->className, c.className);
        EXPECT_EQ(m.Class->NameOf(m.Index), c.name);
        EXPECT_EQ(m.Class->HelpCode(), c.help);
        EXPECT_EQ(FlagLetters(m.Class->AllFlags()), c.letters) << c.code;
        EXPECT_EQ(m.Class->CanParse(), c.canParse) << c.code;
        EXPECT_EQ(m.Class->MethodGroup(), TStatGroup::Numbers);
        EXPECT_TRUE(m.Class->HelpTopic(m.Index).empty());
        EXPECT_EQ(env.list.CreateStat(env.Entry(c.code))->Name(), c.name);
    }
    EXPECT_TRUE(env.list.MethodAt(env.Entry("NUMS")).Class->HasNorm());
    EXPECT_FALSE(env.list.MethodAt(env.Entry("KNM2")).Class->HasNorm());
    EXPECT_TRUE(env.list.MethodAt(env.Entry("PRIM")).Class->IsGraph());
    EXPECT_FALSE(env.list.MethodAt(env.Entry("PRMV")).Class->IsGraph());
    EXPECT_TRUE(env.list.MethodAt(env.Entry("KNP21")).Class->IsIndexed());
}

TEST(StatList, GroupTitlesAndFlagLetters) {
    EXPECT_EQ(GroupTitle(TStatGroup::Numbers), "{ num } Числа тиража");
    EXPECT_EQ(GroupTitle(TStatGroup::Shredding), "{ shr } Методы шинковки");
    EXPECT_EQ(GroupTitle(static_cast<TStatGroup>(13)), "#ERROR#");
    EXPECT_EQ(GroupTitle(static_cast<TStatGroup>(-1)), "#ERROR#");
    EXPECT_EQ(FlagLetters(kFlagS | kFlagN | kFlagD | kFlagP | kFlagG), "SNDPG");
    EXPECT_EQ(FlagLetters(kFlagG | kFlagS), "SG");
    EXPECT_EQ(FlagLetters(0), "");
}

TEST(StatList, Captions) {
    TStatsEnv env;
    const int nums = env.Entry("NUMS");
    EXPECT_EQ(env.list.EntryCaption(nums, true), "{ num } Числа тиража [ N ]");
    EXPECT_EQ(env.list.EntryCaption(nums, false), "{ num } Числа тиража");
    env.list.ShowGroupName = false;
    EXPECT_EQ(env.list.EntryCaption(nums, true), "Числа тиража [ N ]");
    env.list.ShowMethodFlags = false;
    EXPECT_EQ(env.list.EntryCaption(nums, true), "Числа тиража");
    env.list.ShowMethodFlags = true;
    // POE1 has only G, added by the graph base.
    EXPECT_EQ(env.list.EntryCaption(env.Entry("POE1"), true),
              "Extra (Bonus, Star...) - число (!без фильтра!) [ G ]");
    // A custom name replaces the name, with a percent sign kept as typed.
    env.list.MethodAt(nums).CustomName = "Мои 100% числа";
    EXPECT_EQ(env.list.EntryCaption(nums, true), "Мои 100% числа [ N ]");
}

TEST(StatList, FormulaNamesOfTheShreddingGroup) {
    TStatsEnv env;
    TStatClass shredding;
    shredding.code = "SHR%d";
    shredding.name = "Метод шинковки %0:d: %%s";
    shredding.group = TStatGroup::Shredding;
    TStatMethod entry{&shredding, 1, true, "", "(n1+n2+n3+n4)/(n5+n6+n7+n8)"};
    EXPECT_EQ(env.list.EntryName(entry), "Метод шинковки 1: (n1+n2+n3+n4)/(n5+n6+n7+n8)");
    entry.CustomName = "Моя %s";
    EXPECT_EQ(env.list.EntryName(entry), "Моя (n1+n2+n3+n4)/(n5+n6+n7+n8)");
    // A custom name that is no valid format is shown as typed.
    entry.CustomName = "Доля 100%";
    EXPECT_EQ(env.list.EntryName(entry), "Доля 100%");
    // Other groups never format their names.
    shredding.group = TStatGroup::Numbers;
    entry.CustomName = "Моя %s";
    EXPECT_EQ(env.list.EntryName(entry), "Моя %s");
}

TEST(StatList, FavouritesText) {
    TStatsEnv env;
    struct TCase {
        const char* text;
        bool all;
        std::vector<std::string> favourites;
        const char* back;
    };
    const TCase cases[] = {
        {"", true, {}, ""},
        {"   ", true, {}, ""},
        {"NUMS,POS1", false, {"NUMS", "POS1"}, "NUMS,POS1"},
        {"nums,pos1", false, {"NUMS", "POS1"}, "NUMS,POS1"},
        {"POS1, knp35 ,XXXX", false, {"KNP35", "POS1"}, "KNP35,POS1"},
        {"XXXX", false, {}, ""},
    };
    for (const TCase& c : cases) {
        env.list.ParseFavourites(c.text);
        EXPECT_EQ(env.list.AllFavourites, c.all) << c.text;
        std::vector<std::string> favourites;
        for (int i = 0; i < env.list.MethodCount(); ++i) {
            if (!env.list.MethodAt(i).Favourite) {
                EXPECT_FALSE(env.list.IsShown(i));
                continue;
            }
            EXPECT_TRUE(env.list.IsShown(i));
            if (!c.all) favourites.push_back(Codes(env.list)[i]);
        }
        EXPECT_EQ(favourites, c.favourites) << c.text;
        EXPECT_EQ(env.list.FavouritesText(), c.back) << c.text;
    }
}

TEST(StatList, NormalizeFavourites) {
    TStatsEnv env;
    env.list.ParseFavourites("NUMS");
    env.list.NormalizeFavourites();
    EXPECT_FALSE(env.list.AllFavourites);

    // Choosing none means all.
    for (int i = 0; i < env.list.MethodCount(); ++i) env.list.MethodAt(i).Favourite = false;
    env.list.NormalizeFavourites();
    EXPECT_TRUE(env.list.AllFavourites);
    for (int i = 0; i < env.list.MethodCount(); ++i) EXPECT_TRUE(env.list.MethodAt(i).Favourite);

    env.list.AllFavourites = false;
    env.list.NormalizeFavourites();
    EXPECT_TRUE(env.list.AllFavourites);
    EXPECT_EQ(env.list.FavouritesText(), "");

    env.list.ParseFavourites("POS1");
    env.list.SetAllFavourite();
    EXPECT_TRUE(env.list.AllFavourites);
    EXPECT_TRUE(env.list.MethodAt(env.Entry("NUMS")).Favourite);
}

TEST(StatList, CreateSelected) {
    TStatsEnv env;
    EXPECT_EQ(env.list.CreateSelected(env.Entry("DIGS"), "cbStat")->Code(), "DIGS");
    try {
        env.list.CreateSelected(-1, "cbDrawsStatType");
        FAIL();
    } catch (const EZentrix& e) {
        EXPECT_STREQ(e.what(), "Не выбран метод расчета статистики (cb: cbDrawsStatType)!");
    }
    EXPECT_THROW(env.list.CreateSelected(env.list.MethodCount(), "cb"), EZentrix);
    EXPECT_EQ(env.list.FindCode("pos8"), env.Entry("POS8"));
    EXPECT_EQ(env.list.FindCode("KNO2"), -1);  // never available, never registered
}

TEST(StatList, MethodListFileRoundTrip) {
    TTempDir dir;
    const std::string path = dir.File("Zentrix_8x20.flt");
    TStatsEnv env;
    env.list.ParseFavourites("NUMS,KNM2,POS8");
    env.list.Ordered = true;
    env.list.ShowGroupName = false;
    env.list.MethodAt(env.Entry("NUMS")).CustomName = "Мои числа";
    env.list.MethodAt(env.Entry("KNP35")).CustomName = "Тройка с пятой «позиции»";
    std::string message;
    ASSERT_TRUE(env.list.SaveMethodList(path, true, false, message)) << message;

    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("FILTERS", "Favorites", "?"), "NUMS,KNM2,POS8");
    EXPECT_EQ(ini.ReadString("FILTERS", "Ordered", "?"), "1");
    EXPECT_EQ(ini.ReadString("FILTERS", "ShowGroupName", "?"), "0");
    EXPECT_EQ(ini.ReadString("FILTERS", "ShowMethodFlags", "?"), "1");
    EXPECT_EQ(ini.Keys("STRINGS_RUS"), (std::vector<std::string>{"NUMS", "KNP35"}));
    // The file is Windows-1251: "Мои числа" is 9 bytes there.
    EXPECT_NE(ReadFileBytes(path).find("NUMS=\xCC\xEE\xE8 \xF7\xE8\xF1\xEB\xE0"),
              std::string::npos);

    TStatsEnv other;
    ASSERT_TRUE(other.list.LoadMethodList(path, true, message)) << message;
    EXPECT_FALSE(other.list.AllFavourites);
    EXPECT_EQ(other.list.FavouritesText(), "NUMS,KNM2,POS8");
    EXPECT_TRUE(other.list.Ordered);
    EXPECT_FALSE(other.list.ShowGroupName);
    EXPECT_TRUE(other.list.ShowMethodFlags);
    EXPECT_EQ(other.list.MethodAt(other.Entry("NUMS")).CustomName, "Мои числа");
    EXPECT_EQ(other.list.MethodAt(other.Entry("KNP35")).CustomName, "Тройка с пятой «позиции»");
    EXPECT_EQ(other.list.EntryCaption(other.Entry("KNP35"), true),
              "Тройка с пятой «позиции» [ S ]");

    // Without options only the names are read; an absent name clears an old one.
    TStatsEnv third;
    third.list.MethodAt(third.Entry("DIGS")).CustomName = "old";
    ASSERT_TRUE(third.list.LoadMethodList(path, false, message));
    EXPECT_TRUE(third.list.AllFavourites);
    EXPECT_FALSE(third.list.Ordered);
    EXPECT_EQ(third.list.MethodAt(third.Entry("DIGS")).CustomName, "");
    EXPECT_EQ(third.list.MethodAt(third.Entry("NUMS")).CustomName, "Мои числа");
}

TEST(StatList, SaveKeepsOtherSectionsAndExportsAllNames) {
    TTempDir dir;
    const std::string path = dir.File("names.flt");
    WriteTextLines(
        path, {"[OTHER]", "A=1", "[STRINGS_RUS]", "GONE=старое", "[FILTERS]", "Favorites=POS1"});
    TStatsEnv env;
    env.list.MethodAt(env.Entry("DIGS")).CustomName = "Цифры";
    std::string message;
    ASSERT_TRUE(env.list.SaveMethodList(path, false, true, message)) << message;
    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("OTHER", "A", ""), "1");
    EXPECT_EQ(ini.ReadString("FILTERS", "Favorites", ""), "POS1");  // options untouched
    EXPECT_FALSE(ini.ValueExists("STRINGS_RUS", "GONE"));
    EXPECT_EQ(ini.Keys("STRINGS_RUS").size(), static_cast<size_t>(env.list.MethodCount()));
    EXPECT_EQ(ini.ReadString("STRINGS_RUS", "DIGS", ""), "Цифры");
    EXPECT_EQ(ini.ReadString("STRINGS_RUS", "POS2", ""), "Число в 2 позиции тиража");
}

TEST(StatList, MethodListFailuresKeepTheRegistry) {
    TTempDir dir;
    TStatsEnv env;
    env.list.ParseFavourites("NUMS");
    env.list.MethodAt(0).CustomName = "x";
    std::string message;
    // A regular file that cannot be read, even by root.
    const std::string unreadable = "/proc/self/mem";
    EXPECT_FALSE(env.list.LoadMethodList(unreadable, true, message));
    EXPECT_EQ(message.rfind("Ошибка загрузки списка фильтров!\n\n", 0), 0u) << message;
    EXPECT_GT(message.size(), std::string("Ошибка загрузки списка фильтров!\n\n").size());
    EXPECT_EQ(env.list.FavouritesText(), "NUMS");
    EXPECT_EQ(env.list.MethodAt(0).CustomName, "x");

    message.clear();
    EXPECT_FALSE(env.list.SaveMethodList(dir.File("missing/dir/x.flt"), true, false, message));
    EXPECT_EQ(message.rfind("Ошибка сохранения списка фильтров!\n\n", 0), 0u) << message;

    // A missing file is no failure: nothing is named there.
    EXPECT_TRUE(env.list.LoadMethodList(dir.File("none.flt"), true, message));
    EXPECT_EQ(env.list.FavouritesText(), "NUMS");
    EXPECT_EQ(env.list.MethodAt(0).CustomName, "");
}

TEST(StatList, MethodLists) {
    TStatsEnv env;
    TMethodLists lists = BuildMethodLists(env.list);
    ASSERT_EQ(lists.Stats.size(), static_cast<size_t>(env.list.MethodCount()));
    EXPECT_EQ(lists.Stats[0].Caption, "{ num } Числа тиража [ N ]");
    EXPECT_EQ(lists.Stats[0].Entry, 0);
    // EVEN, SMAL, PRIM, the sums but SUMV, DIFM, DIFD, DIFK, CHNC, COLN, ROWN, COLC, ROWC, SGMC,
    // SEQS, LENS, POS1..8, POE1, SGM0, SGM1, HCV1, HCV2, SHR1..3 are graphable.
    ASSERT_EQ(lists.Graphs.size(), 39u);
    EXPECT_EQ(lists.Graphs[0].Entry, env.Entry("EVEN"));
    EXPECT_EQ(lists.Graphs[15].Entry, env.Entry("CHNC"));
    EXPECT_EQ(lists.Graphs.back().Entry, env.Entry("SHR3"));

    env.list.ParseFavourites("POS2,NUMS,KNM4");
    env.list.Ordered = true;
    env.list.ShowGroupName = false;
    env.list.MethodAt(env.Entry("KNM4")).CustomName = "аааа";
    lists = BuildMethodLists(env.list);
    std::vector<std::string> captions;
    for (const auto& item : lists.Stats) captions.push_back(item.Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"аааа [ S ]", "Числа тиража [ N ]",
                                                  "Число в 2 позиции тиража [ SNG ]"}));
    ASSERT_EQ(lists.Graphs.size(), 1u);
    EXPECT_EQ(lists.Graphs[0].Entry, env.Entry("POS2"));

    EXPECT_EQ(KeptListPosition(3, 5), 3);
    EXPECT_EQ(KeptListPosition(5, 5), -1);
    EXPECT_EQ(KeptListPosition(0, 0), -1);
    EXPECT_EQ(KeptListPosition(-1, 4), -1);
}

}  // namespace
}  // namespace zentrix
