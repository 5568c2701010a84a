#include "scenario/script_command.h"

#include <gtest/gtest.h>

namespace zentrix {
namespace {

TScriptCommand Command(int exclude, uint8_t start, uint8_t result, bool clear, bool newOnly) {
    return {exclude, start, result, clear, newOnly};
}

TEST(ScriptCommand, Texts) {
    struct TCase {
        TScriptCommand command;
        const char* encoded;
        const char* shortText;
        const char* description;
    };
    const TCase cases[] = {
        {Command(0, kStartFull, kResultRandom, false, false), "FULL:0#RAND", "FULL#RAND",
         "Исходный список; Случайно; Все создаваемые ставки"},
        {Command(3, kStartExclude, kResultAll, true, true), "EXCL:3#ALL#CLR#NEX", "EXCL:3#ALL#NEX",
         "Исключить 3 тиражей; Все; Удалить ставки; Только новые ставки"},
        {Command(0, kStartCurrent, kResultNone, false, false), "CURR:0#NONE", "CURR#NONE",
         "Текущий список; Не делать ставок; Все создаваемые ставки"},
        {Command(7, kStartCurrent, kResultSystemCombs, true, false), "CURR:7#SYSC#CLR", "CURR#SYSC",
         "Текущий список; Система [комб]; Удалить ставки; Все создаваемые ставки"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(EncodeCommand(c.command), c.encoded);
        EXPECT_EQ(DecodeCommand(c.encoded), c.command) << c.encoded;
        EXPECT_EQ(ShortCommandText(c.command), c.shortText);
        EXPECT_EQ(DescribeCommand(c.command), c.description);
    }
}

TEST(ScriptCommand, Decoding) {
    struct TCase {
        const char* text;
        TScriptCommand expected;
    };
    const TCase cases[] = {
        {"EXCL:5#rand#nex#clr", Command(5, kStartExclude, kResultRandom, true, true)},
        {"XYZ#??", Command(0, kStartFull, kResultRandom, false, false)},
        {" excl : 7 # last # x #NEX", Command(7, kStartExclude, kResultLast, false, true)},
        {"CURRENT##FIRST", Command(0, kStartCurrent, kResultFirst, false, false)},
        {"EXCL:x#ALLX", Command(0, kStartExclude, kResultRandom, false, false)},
        {"EXCL:-3#SKIP", Command(0, kStartExclude, kResultSkip, false, false)},
        {"", Command(0, kStartFull, kResultRandom, false, false)},
    };
    for (const TCase& c : cases) EXPECT_EQ(DecodeCommand(c.text), c.expected) << c.text;
}

TEST(ScriptCommand, OutOfTableTexts) {
    EXPECT_EQ(StartCombsItem(1), "Удалить N последних тиражей (для прогнозов)");
    EXPECT_EQ(ResultCombsItem(6), "Остановить выполнение сценария");
    EXPECT_EQ(StartCombsItem(3), "# ERROR #");
    EXPECT_EQ(StartCombsShort(-1), "# ERROR #");
    EXPECT_EQ(ResultCombsItem(9), "# ERROR #");
    EXPECT_EQ(ResultCombsShort(9), "# ERROR #");
}

}  // namespace
}  // namespace zentrix
