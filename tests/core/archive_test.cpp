#include "core/archive.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "core/archive_file.h"
#include "core/list_rows.h"
#include "support/make_draw.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::MakeDraw;

// Draws 101..105; draw n holds n-100 .. n-93.
TDrawsArray Draws101To105() {
    TDrawsArray draws;
    for (int n = 101; n <= 105; ++n) {
        std::array<int, 8> c;
        for (int i = 0; i < 8; ++i) c[i] = n - 100 + i;
        draws.push_back(MakeDraw(n, c));
    }
    return draws;
}

std::string Fixture(const char* name) {
    return std::string(ZENTRIX_TEST_DATA) + "/" + name;
}

TEST(Archive, NextDrawAndReferenceDraw) {
    const TDrawsArray draws = Draws101To105();
    EXPECT_EQ(NextDrawNumber({}, 0), 1);
    EXPECT_EQ(NextDrawNumber(draws, 0), 106);
    EXPECT_EQ(NextDrawNumber(draws, 4), 102);
    EXPECT_EQ(NextDrawNumber(draws, 5), -1);
    EXPECT_EQ(NextDrawNumber(draws, -1), -1);
    // Offset 2: the reference draw is 103, the next one 104.
    EXPECT_EQ(NextDrawNumber(draws, 2), 104);
    EXPECT_EQ(NextDrawText(draws, 2), "4;5;6;7;8;9;10;11");
    EXPECT_EQ(NextDrawText(draws, 0), "");
    EXPECT_EQ(NextDrawText(draws, 5), "");
    EXPECT_EQ(DrawAtOffset(draws, 2), (TComb{3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(DrawAtOffset(draws, 5), TComb{});
    const std::bitset<256> next = NextDrawSet(draws, 2);
    EXPECT_EQ(next.count(), 8u);
    EXPECT_TRUE(next.test(4) && next.test(11) && !next.test(3));
    EXPECT_TRUE(NextDrawSet(draws, 0).none());
}

TEST(Archive, TheLargestDrawNumberLeavesNoNextNumber) {
    TDrawsArray draws = Draws101To105();
    draws.back().Number = INT32_MAX;
    EXPECT_EQ(NextDrawNumber(draws, 0), -1);
    draws.back().Number = INT32_MAX - 1;
    EXPECT_EQ(NextDrawNumber(draws, 0), INT32_MAX);
}

TEST(Archive, SoundDraws) {
    struct TCase {
        std::array<int, 8> numbers;
        int extra;
        bool sound;
    };
    const TCase cases[] = {
        {{3, 8, 1, 20, 14, 6, 11, 17}, 2, true},
        {{1, 2, 3, 4, 5, 6, 7, 8}, 0, true},  // extra number unknown
        {{1, 2, 3, 4, 5, 6, 7, 8}, 4, true},
        {{1, 2, 3, 4, 5, 6, 7, 8}, 5, false},
        {{1, 2, 3, 4, 5, 6, 7, 8}, 241, false},
        {{1, 2, 3, 4, 5, 6, 7, 21}, 1, false},
        {{175, 2, 3, 4, 5, 6, 7, 8}, 1, false},
        {{0, 2, 3, 4, 5, 6, 7, 8}, 1, false},
        {{1, 2, 3, 4, 5, 6, 7, 1}, 1, false},
        {{}, 0, false},  // a record never read
    };
    for (const TCase& c : cases)
        EXPECT_EQ(IsSoundDraw(MakeDraw(1, c.numbers, c.extra)), c.sound)
            << c.numbers[0] << " e" << c.extra;
}

TEST(Archive, FindDrawIndexInterpolatesAndFallsBack) {
    TDrawsArray draws = Draws101To105();
    EXPECT_EQ(FindDrawIndex({}, 1), -1);
    for (int n = 101; n <= 105; ++n) EXPECT_EQ(FindDrawIndex(draws, n), n - 101);
    EXPECT_EQ(FindDrawIndex(draws, 100), -1);
    EXPECT_EQ(FindDrawIndex(draws, 999), -1);

    // Gaps make the estimate miss; stepping finds the draw.
    TDrawsArray gaps;
    for (int n : {1, 2, 3, 50, 51, 52, 53, 100}) gaps.push_back(MakeDraw(n, {}));
    for (size_t i = 0; i < gaps.size(); ++i)
        EXPECT_EQ(FindDrawIndex(gaps, gaps[i].Number), static_cast<int>(i));
    EXPECT_EQ(FindDrawIndex(gaps, 4), -1);

    // A number edited out of sequence keeps its position and is found by the scan.
    draws[1].Number = 500;
    EXPECT_EQ(FindDrawIndex(draws, 500), 1);
    EXPECT_EQ(FindDrawIndex(draws, 104), 3);
    draws.front().Number = 900;  // first above last: no interpolation at all
    EXPECT_EQ(FindDrawIndex(draws, 104), 3);
    EXPECT_EQ(FindDrawIndex(draws, 102), -1);
}

TEST(Archive, DeleteDrawAtShiftsOrRaises) {
    TDrawsArray draws = Draws101To105();
    DeleteDrawAt(draws, 1);
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ(draws[1].Number, 103);
    try {
        DeleteDrawAt(draws, 4);
        FAIL();
    } catch (const EZentrix& e) {
        EXPECT_STREQ(e.what(), "Запись со индексом 4 в файле данных не найдена!");
    }
    EXPECT_THROW(DeleteDrawAt(draws, -1), EZentrix);
}

TEST(Archive, DrawsListRowsNewestFirstAndSortedOnlyForDisplay) {
    TDrawsArray draws = {MakeDraw(7, {3, 8, 1, 20, 14, 6, 11, 17}, 2, "07.03.2024 19:30"),
                         MakeDraw(8, {5, 2, 19, 7, 12, 16, 9, 4}, 1)};
    EXPECT_EQ(DrawsListHeader(), (std::vector<std::string>{"Тираж", "1", "2", "3", "4", "5", "6",
                                                           "7", "8", "E", "S", "Дата тиража"}));
    EXPECT_EQ(DrawsListRow(draws, 1, false),
              (std::vector<std::string>{"7", "3", "8", "1", "20", "14", "6", "11", "17", "2", "80",
                                        "07.03.2024 19:30"}));
    EXPECT_EQ(DrawsListRow(draws, 1, true),
              (std::vector<std::string>{"7", "1", "3", "6", "8", "11", "14", "17", "20", "2", "80",
                                        "07.03.2024 19:30"}));
    EXPECT_EQ(DrawsListRow(draws, 0, false)[0], "8");
    EXPECT_TRUE(DrawsListRow(draws, 2, false).empty());
    EXPECT_EQ(draws[0].Numbers[0], 3);  // the stored order stays

    // The reference row and the channel colours.
    EXPECT_EQ(DrawsListCellColor(draws, 1, 0, 1, false, false, 4), kReferenceRowColor);
    EXPECT_EQ(DrawsListCellColor(draws, 0, 0, 1, false, false, 4), std::nullopt);
    EXPECT_EQ(DrawsListCellColor(draws, 0, 0, 1, false, true, 4), kWhite);
    EXPECT_EQ(DrawsListCellColor(draws, 1, 11, 1, false, true, 4), kReferenceRowColor);
    EXPECT_EQ(DrawsListCellColor(draws, 1, 1, 1, false, true, 4), ChannelColor(3, 4));
    EXPECT_EQ(DrawsListCellColor(draws, 1, 1, 1, true, true, 4), ChannelColor(1, 4));
}

TEST(ArchiveFile, ReadsWholeRecordsAndReportsDamage) {
    test::TTempDir dir;
    EXPECT_TRUE(ReadDrawsFile(dir.File("missing.ldr")).draws.empty());
    EXPECT_FALSE(ReadDrawsFile(dir.File("missing.ldr")).damaged);

    TDrawsFileRead good = ReadDrawsFile(Fixture("archive_3_records.ldr"));
    EXPECT_FALSE(good.damaged);
    ASSERT_EQ(good.draws.size(), 3u);
    EXPECT_EQ(good.draws[2].Number, 103);
    EXPECT_EQ(good.draws[0].DateText(), "05.03.2024 19:30");
    EXPECT_EQ(SerializeDraws(good.draws), ReadFileBytes(Fixture("archive_3_records.ldr")));

    TDrawsFileRead stray = ReadDrawsFile(Fixture("archive_3_records_10_stray.ldr"));
    EXPECT_TRUE(stray.damaged);
    EXPECT_EQ(stray.draws, good.draws);
    EXPECT_NE(stray.error.find("106 байт"), std::string::npos) << stray.error;
    EXPECT_NE(stray.error.find("(10)"), std::string::npos) << stray.error;

    // A path that cannot be read as a file (here a folder) is damage too, with the system text.
    std::filesystem::create_directory(dir.File("folder.ldr"));
    TDrawsFileRead unreadable = ReadDrawsFile(dir.File("folder.ldr"));
    EXPECT_TRUE(unreadable.damaged);
    EXPECT_TRUE(unreadable.draws.empty());
    EXPECT_FALSE(unreadable.error.empty());
}

TEST(ArchiveFile, RecordsWithValuesNoDrawCanHaveAreDamageAndKept) {
    const std::string path = Fixture("archive_4_bad_of_6.ldr");
    TDrawsFileRead read = ReadDrawsFile(path);
    EXPECT_TRUE(read.damaged);
    ASSERT_EQ(read.draws.size(), 6u);  // kept for the user to correct or delete
    EXPECT_EQ(read.draws[1].Numbers[2], 175);
    EXPECT_EQ(SerializeDraws(read.draws), ReadFileBytes(path));
    EXPECT_EQ(read.error, path +
                              ": записей с недопустимыми значениями (числа вне 1..20 или "
                              "повторяются, дополнительное число вне 0..4): 4, первая из них: "
                              "тираж № 102. Записи оставлены в архиве, чтобы их можно было "
                              "исправить или удалить; статистика их не учитывает. Перед первой "
                              "записью файл будет сохранен в резервную копию рядом с ним.");

    // Both kinds of damage are told together.
    test::TTempDir dir;
    AtomicWriteFile(dir.File("both.ldr"), ReadFileBytes(path) + "xyz");
    read = ReadDrawsFile(dir.File("both.ldr"));
    EXPECT_NE(read.error.find("лишние байты в конце (3)"), std::string::npos) << read.error;
    EXPECT_NE(read.error.find("): 4, первая из них: тираж № 102."), std::string::npos);
}

TEST(ArchiveFile, BackupTakesTheFirstFreeNameAndKeepsOlderBackups) {
    test::TTempDir dir;
    const std::string path = dir.File("Zentrix_8x20.ldr");
    EXPECT_EQ(BackupDamagedFile(path), "");  // nothing to keep
    AtomicWriteFile(path, "first");
    EXPECT_EQ(BackupDamagedFile(path), path + ".bak");
    AtomicWriteFile(path, "second");
    EXPECT_EQ(BackupDamagedFile(path), path + ".bak2");
    EXPECT_EQ(ReadFileBytes(path + ".bak"), "first");
    EXPECT_EQ(ReadFileBytes(path + ".bak2"), "second");
}

}  // namespace
}  // namespace zentrix
