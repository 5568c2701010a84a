// The short texts typed into fields: value lists, combinations, stake numbers, draw lines,
// segment maps, grid ranges, wheel goals, dates and the program's start-up switches.
#include "app/startup_switches.h"
#include "core/comb_text.h"
#include "core/config.h"
#include "core/draw_dialog.h"
#include "fuzz_support.h"
#include "stakes/stake_dialog.h"
#include "stakes/wheel_generate.h"
#include "util/datetime.h"
#include "util/strings.h"
#include "views/grid_selection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    fuzz::TPicker pick(fuzz::Bytes(data, size));
    const uint8_t which = pick.Byte();
    const std::string text(pick.Rest());
    try {
        switch (which % 10) {
            case 0:
                (void)IntListText(ParseIntList(text), ";");
                break;
            case 1:
                (void)ParseComb(text);
                break;
            case 2:
                (void)ParseStakeNumbers(text);
                (void)StakeNumbersSum(text);
                break;
            case 3:
                (void)ParseDrawLine(text);
                break;
            case 4:
                (void)SegmentsText(ParseSegmentsText(text));
                break;
            case 5:
                (void)ParseGridRange(text, 1 + which / 10, 40);
                break;
            case 6:
                (void)ParseWheelGoal(9 + which % 12, text);
                break;
            case 7:
                (void)ParseDateTime(text);
                break;
            case 8:
                (void)ParseExactDateTime(text);
                break;
            case 9:
                (void)ParseStartupSwitches(SplitAny(text, " "));
                break;
        }
    } catch (const EZentrix&) {
    }
    (void)SignedDifference(text, 7);
    return 0;
}
