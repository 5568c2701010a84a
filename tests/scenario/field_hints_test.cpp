#include "scenario/field_hints.h"

#include <gtest/gtest.h>

#include <string>

namespace zentrix {
namespace {

TEST(ScenarioFieldHints, OneLinePerNamedField) {
    const char* names[] = {"edComment",      "cbStartCombs",  "edExcludeDraws",  "cbResultCombs",
                           "chClearStakes",  "chNewOnly",     "edFilter1",       "edFilter7",
                           "cbMethod",       "edDrawsLen",    "cbSortColumn",    "cbDirection",
                           "cbFilterMode",   "chMultiSelect", "cbLevelMode",     "edLevelValue",
                           "chCDLOverride",  "edCoefCount",   "edCoefDeviation", "edCoefLevel",
                           "chCoefPercents", "chCoefAbs",     "cbStopMode",      "edStopValue"};
    for (const char* name : names) {
        const char* hint = ScenarioFieldHint(name);
        ASSERT_NE(hint, nullptr) << name;
        EXPECT_GT(std::string(hint).size(), 10u) << name;
        EXPECT_EQ(std::string(hint).find('\n'), std::string::npos) << name;
    }
    EXPECT_STREQ(ScenarioFieldHint("edFilter1"), ScenarioFieldHint("edFilter5"));
    EXPECT_EQ(ScenarioFieldHint("lbSomething"), nullptr);
    EXPECT_EQ(ScenarioFieldHint(""), nullptr);
}

}  // namespace
}  // namespace zentrix
