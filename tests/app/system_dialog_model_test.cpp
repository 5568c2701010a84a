#include <gtest/gtest.h>

#include "app/system_dialog_model.h"
#include "util/datetime.h"

namespace zentrix {
namespace {

TSystemDialogFields GoodFields() {
    TSystemDialogFields f;
    f.title = "Девять";
    f.descr = "Две строки";
    f.author = "ann";
    f.list = "01 02 03 04 05 06 07 08\r\n";
    f.csize = "1";
    f.nums = "9";
    f.block = "3";
    f.downloads = "4";
    return f;
}

TEST(SystemDialogModel, LeavingTheListRewritesItAndCountsIt) {
    const struct {
        const char* list;
        const char* text;
        const char* nums;
        const char* csize;
    } cases[] = {
        {"5-6-7-8-9-10-11-12\r\n1 2 3", "05 06 07 08 09 10 11 12\r\n", "8", "1"},
        {"1,2,3,4,5,6,7,8\n\n 01 02 03 04 05 06 07 20 \n1 2 3 4 5 6 7 8 9",
         "01 02 03 04 05 06 07 08\r\n01 02 03 04 05 06 07 20\r\n", "20", "2"},
        {"2*3+4|5/6:7;8~9", "02 03 04 05 06 07 08 09\r\n", "8", "1"},
        {"", "", "0", "0"},
        {"a b c d e f g h", "", "0", "0"},
    };
    for (const auto& c : cases) {
        TSystemDialogFields f = GoodFields();
        f.list = c.list;
        NormalizeDialogList(f);
        EXPECT_EQ(f.list, c.text) << c.list;
        EXPECT_EQ(f.nums, c.nums) << c.list;
        EXPECT_EQ(f.csize, c.csize) << c.list;
    }
}

TEST(SystemDialogModel, OkChecksInTheirOrder) {
    const struct {
        void (*spoil)(TSystemDialogFields&);
        const char* message;
    } cases[] = {
        {[](TSystemDialogFields& f) {
             f.title = "  ";
             f.nums = "";
         },
         "Название системы должно быть указано обязательно!"},
        {[](TSystemDialogFields& f) {
             f.nums = "8";
             f.block = "8";
         },
         "Указано недопустмое количество используемых чисел!"},
        {[](TSystemDialogFields& f) { f.nums = "21"; },
         "Указано недопустмое количество используемых чисел!"},
        // Too large for a byte: still out of range, never wrapped into it.
        {[](TSystemDialogFields& f) { f.nums = "265"; },
         "Указано недопустмое количество используемых чисел!"},
        {[](TSystemDialogFields& f) { f.nums = "99999999999999999999"; },
         "Указано недопустмое количество используемых чисел!"},
        {[](TSystemDialogFields& f) {
             f.block = "8";
             f.author = "";
         },
         "Указан недопустмый размер блока!"},
        {[](TSystemDialogFields& f) { f.block = "263"; }, "Указан недопустмый размер блока!"},
        {[](TSystemDialogFields& f) {
             f.author = " ";
             f.descr = "";
         },
         "Имя автора должно быть указано обязательно!"},
        {[](TSystemDialogFields& f) {
             f.descr = "\r\n";
             f.list = "";
         },
         "Описание системы должно быть указано обязательно!"},
        {[](TSystemDialogFields& f) { f.list = " \r\n"; },
         "Содержимое системы должно быть указано обязательно!"},
    };
    TSystemData opened;
    opened.info.id = 7;
    for (const auto& c : cases) {
        TSystemDialogFields f = GoodFields();
        c.spoil(f);
        TSystemData accepted;
        accepted.info.id = -5;
        const auto problem = AcceptSystemDialog(opened, f, accepted);
        ASSERT_TRUE(problem.has_value()) << c.message;
        EXPECT_EQ(*problem, c.message);
        EXPECT_EQ(accepted.info.id, -5);  // nothing built
    }
}

TEST(SystemDialogModel, TheAcceptedSystemKeepsWhatItWasOpenedWith) {
    SetClock([] { return EncodeDateTime({2026, 12, 11, 10, 30, 0}); });
    TSystemData opened;
    opened.info.id = 42;
    opened.info.ownerMail = "ann@example.org";
    opened.info.lastDownload = EncodeDateTime({2026, 1, 2, 3, 4, 5});
    TSystemDialogFields f = GoodFields();
    f.title = "  Девять ";
    f.url = "https://example.org/nine";
    TSystemData d;
    ASSERT_FALSE(AcceptSystemDialog(opened, f, d).has_value());
    EXPECT_EQ(d.info.id, 42);
    EXPECT_EQ(d.info.ownerMail, "ann@example.org");
    EXPECT_EQ(d.info.title, "Девять");
    EXPECT_EQ(d.info.author, "ann");
    EXPECT_EQ(d.info.url, "https://example.org/nine");
    EXPECT_EQ(int(d.info.nums), 9);
    EXPECT_EQ(int(d.info.olap), 3);
    EXPECT_EQ(d.info.csize, 1);
    EXPECT_EQ(d.info.downloads, 4);
    EXPECT_EQ(d.info.created, EncodeDateTime({2026, 12, 11, 10, 30, 0}));  // now: it had none
    EXPECT_EQ(d.info.lastDownload, opened.info.lastDownload);
    EXPECT_EQ(d.list, f.list);

    opened.info.created = EncodeDateTime({2025, 5, 6, 7, 8, 9});
    ASSERT_FALSE(AcceptSystemDialog(opened, f, d).has_value());
    EXPECT_EQ(d.info.created, opened.info.created);
    SetClock({});
}

TEST(SystemDialogModel, FieldsOfAnOpenedSystem) {
    TSystemData s;
    s.info.title = "T";
    s.info.nums = 12;
    s.info.olap = 2;
    s.info.csize = 30;
    s.info.downloads = 5;
    s.list = "01 02 03 04 05 06 07 08\r\n";
    const TSystemDialogFields f = SystemDialogFields(s);
    EXPECT_EQ(f.title, "T");
    EXPECT_EQ(f.nums, "12");
    EXPECT_EQ(f.block, "2");
    EXPECT_EQ(f.csize, "30");
    EXPECT_EQ(f.downloads, "5");
    EXPECT_EQ(f.list, s.list);
}

}  // namespace
}  // namespace zentrix
