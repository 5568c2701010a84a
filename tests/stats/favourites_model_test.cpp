#include "stats/favourites_model.h"

#include <gtest/gtest.h>

#include "stats/stats_env.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

using test::TStatsEnv;
using test::TTempDir;

TEST(FavouritesModel, TreeOfGroupsAndEntries) {
    TStatsEnv env;
    env.list.ParseFavourites("NUMS,POS2");
    env.list.MethodAt(env.Entry("DIGS")).CustomName = "Цифры";
    TFavouritesModel model(env.list);
    // The groups built so far: numbers, sums, differences, channels, matrix, segments,
    // sequences, repeats, series, periods, chains, characteristic numbers, shredding.
    ASSERT_EQ(model.Groups().size(), 13u);
    EXPECT_EQ(model.Groups()[1].Title, "{ sum } Сумма чисел тиража");
    EXPECT_EQ(model.Groups()[1].Nodes.size(), 10u);
    EXPECT_EQ(model.Groups()[2].Title, "{ dif } Разности между числами тиража");
    EXPECT_EQ(model.Groups()[2].Nodes.size(), 8u);
    EXPECT_EQ(model.Node(env.Entry("SUM2"))->Title, "Сумма тиража: диапазон 2 (1/2)");
    EXPECT_EQ(model.Groups()[3].Title, "{ grp } Каналы (группы чисел)");
    EXPECT_EQ(model.Groups()[5].Title, "{ sgm } Сегменты матрицы тиража");
    const TFavouriteGroup& g = model.Groups()[0];
    EXPECT_EQ(g.Title, "{ num } Числа тиража");
    ASSERT_EQ(g.Nodes.size(), 41u);
    EXPECT_EQ(g.Nodes[0].Title, "Числа тиража");
    EXPECT_TRUE(g.Nodes[0].Marked);
    EXPECT_EQ(g.Nodes[1].Title, "Цифры");
    EXPECT_FALSE(g.Nodes[1].Marked);
    EXPECT_EQ(model.Node(env.Entry("POS2"))->Title, "Число в 2 позиции тиража");
    EXPECT_TRUE(model.Node(env.Entry("POS2"))->Marked);
    EXPECT_EQ(model.TotalText(), "всего 206 методов");
    EXPECT_EQ(model.GroupOf(env.Entry("KNM2")), 0);
    EXPECT_EQ(model.Groups()[6].Title, "{ seq } Последовательности чисел в одном тираже");
    EXPECT_EQ(model.Groups()[7].Nodes.size(), 20u);
    // The shredding entries show their names without the formula.
    const TFavouriteGroup& shr = model.Groups()[12];
    EXPECT_EQ(shr.Title, "{ shr } Методы шинковки");
    ASSERT_EQ(shr.Nodes.size(), 3u);
    EXPECT_EQ(shr.Nodes[0].Title, "Метод шинковки 1: %s");
}

TEST(FavouritesModel, MarksBecomeFavouritesOnApply) {
    TStatsEnv env;
    TFavouritesModel model(env.list);
    model.SetAll(false);
    model.Toggle(env.Entry("POS1"));
    model.Toggle(env.Entry("NUMS"));
    // Nothing changes before OK.
    EXPECT_TRUE(env.list.AllFavourites);
    model.Apply();
    EXPECT_FALSE(env.list.AllFavourites);
    EXPECT_EQ(env.list.FavouritesText(), "NUMS,POS1");

    // Unmarking everything means all.
    TFavouritesModel all(env.list);
    all.SetAll(false);
    all.Apply();
    EXPECT_TRUE(env.list.AllFavourites);
    EXPECT_EQ(env.list.FavouritesText(), "");

    TFavouritesModel again(env.list);
    again.SetAll(true);
    again.Toggle(env.Entry("KNP45"));
    again.Apply();
    EXPECT_FALSE(env.list.MethodAt(env.Entry("KNP45")).Favourite);
    EXPECT_FALSE(env.list.AllFavourites);
}

TEST(FavouritesModel, RenameRestoreAndOptions) {
    TStatsEnv env;
    env.list.MethodAt(env.Entry("EVEN")).CustomName = "Чёт";
    TFavouritesModel model(env.list);
    model.Rename(env.Entry("NUMS"), "Мои числа");
    model.Rename(env.Entry("DIGS"), "цифры ТИРАЖА");  // the default name ignoring case
    model.Restore(env.Entry("EVEN"));
    EXPECT_EQ(model.Node(env.Entry("EVEN"))->Title, "Количество четных чисел в тираже (Ч:Н)");
    model.Ordered = true;
    model.ShowMethodFlags = false;
    EXPECT_FALSE(env.list.Ordered);
    model.Apply();
    EXPECT_EQ(env.list.MethodAt(env.Entry("NUMS")).CustomName, "Мои числа");
    EXPECT_EQ(env.list.MethodAt(env.Entry("DIGS")).CustomName, "");
    EXPECT_EQ(env.list.MethodAt(env.Entry("EVEN")).CustomName, "");
    EXPECT_TRUE(env.list.Ordered);
    EXPECT_TRUE(env.list.ShowGroupName);
    EXPECT_FALSE(env.list.ShowMethodFlags);
}

TEST(FavouritesModel, ImportAndExportNames) {
    TTempDir dir;
    TStatsEnv env;
    env.list.MethodAt(env.Entry("DIGS")).CustomName = "Цифры";
    WriteTextLines(dir.File("in.flt"), {"[STRINGS_RUS]", "NUMS=Импорт чисел", "POS1=  Первая  "});
    TFavouritesModel model(env.list);
    model.Toggle(env.Entry("KNM2"));
    std::string message;
    ASSERT_TRUE(model.ImportNames(dir.File("in.flt"), message)) << message;
    EXPECT_EQ(model.Node(env.Entry("NUMS"))->Title, "Импорт чисел");
    EXPECT_EQ(model.Node(env.Entry("POS1"))->Title, "Первая");
    EXPECT_EQ(model.Node(env.Entry("DIGS"))->Title, "Цифры тиража");  // not in the file
    EXPECT_FALSE(model.Node(env.Entry("KNM2"))->Marked);              // marks stay
    EXPECT_EQ(env.list.MethodAt(env.Entry("NUMS")).CustomName, "");   // until OK

    model.Rename(env.Entry("KNS2"), "Пары соседей");
    ASSERT_TRUE(model.ExportNames(dir.File("out.flt"), message)) << message;
    const TIniFile out(dir.File("out.flt"));
    EXPECT_EQ(out.Keys("STRINGS_RUS").size(), static_cast<size_t>(env.list.MethodCount()));
    EXPECT_EQ(out.ReadString("STRINGS_RUS", "NUMS", ""), "Импорт чисел");
    EXPECT_EQ(out.ReadString("STRINGS_RUS", "KNS2", ""), "Пары соседей");
    EXPECT_EQ(out.ReadString("STRINGS_RUS", "EVEN", ""), "Количество четных чисел в тираже (Ч:Н)");
    EXPECT_FALSE(out.SectionExists("FILTERS"));
    EXPECT_EQ(env.list.MethodAt(env.Entry("KNS2")).CustomName, "");

    // A file that cannot be read leaves the titles.
    EXPECT_FALSE(model.ImportNames("/proc/self/mem", message));
    EXPECT_EQ(message.rfind("Ошибка загрузки списка фильтров!", 0), 0u);
    EXPECT_EQ(model.Node(env.Entry("NUMS"))->Title, "Импорт чисел");
    EXPECT_FALSE(model.ExportNames(dir.File("no/such/dir.flt"), message));
    EXPECT_EQ(message.rfind("Ошибка сохранения списка фильтров!", 0), 0u);

    model.Apply();
    EXPECT_EQ(env.list.MethodAt(env.Entry("NUMS")).CustomName, "Импорт чисел");
    EXPECT_EQ(env.list.MethodAt(env.Entry("DIGS")).CustomName, "");
}

}  // namespace
}  // namespace zentrix
