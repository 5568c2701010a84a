#include "scenario/script_line_dialog.h"

#include <gtest/gtest.h>

namespace zentrix {
namespace {

TEST(ScriptLineDialog, NewLineTakesTheDefaultExcludeCount) {
    EXPECT_EQ(ScriptLineResult(ScriptLineFields("", 0)), "FULL:0#RAND| | | | | | | |");
    TScriptLineFields fields = ScriptLineFields("", 5);
    EXPECT_EQ(fields.command, (TScriptCommand{5, kStartFull, kResultRandom, false, false}));
    EXPECT_EQ(fields.comment, "");
    EXPECT_EQ(fields.filters, TFilterTexts{});
    EXPECT_EQ(ScriptLineResult(fields), "FULL:5#RAND| | | | | | | |");
}

TEST(ScriptLineDialog, OpensOnALineAndRebuildsItFromTheControls) {
    const char* line = "excl:3#all#nex| tsd1#nums:5 | |KNM2:9|x| | | |Проба";
    TScriptLineFields fields = ScriptLineFields(line, 7);
    // The exclude count comes from the line, not from the default.
    EXPECT_EQ(fields.command, (TScriptCommand{3, kStartExclude, kResultAll, false, true}));
    EXPECT_EQ(fields.comment, "Проба");
    EXPECT_EQ(fields.filters, (TFilterTexts{"tsd1#nums:5", "", "KNM2:9", "x", "", "", ""}));

    // Edits are taken as typed; only the command is rebuilt.
    fields.command.ResultCombsMode = kResultNone;
    fields.command.ClearStakes = true;
    fields.filters[6] = "TSD1#NUMS:10";
    fields.comment = "";
    EXPECT_EQ(ScriptLineResult(fields),
              "EXCL:3#NONE#CLR#NEX|tsd1#nums:5| |KNM2:9|x| | |TSD1#NUMS:10|");
}

}  // namespace
}  // namespace zentrix
