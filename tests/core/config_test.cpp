#include "core/config.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "util/errors.h"

namespace zentrix {
namespace {

TEST(Config, MissingKeysTakeTheDefaults) {
    const TConfigSettings s = DefaultConfigSettings();
    EXPECT_EQ(s.data.MatrixCols, 4);
    EXPECT_EQ(s.data.ChannelSize, 4);
    EXPECT_EQ(s.data.Cost, 0);
    EXPECT_EQ(s.data.MaxStake, 8);
    EXPECT_TRUE(s.data.Profits.empty());
    EXPECT_EQ(s.data.CDL.Count, 0);
    EXPECT_EQ(s.data.CDL.Deviation, -1);
    EXPECT_EQ(s.data.CDL.Level, 1);
    EXPECT_FALSE(s.data.CDL.UsePercents);
    EXPECT_FALSE(s.data.CDL.UseAbsValues);
    EXPECT_EQ(SegmentsText(s.data.MatrixSegments), "11111111111111111111");
    EXPECT_EQ(s.generateMode, 0);
    EXPECT_EQ(s.generateParameters, "");
    EXPECT_EQ(s.formulas[0], "(n1+n2+n3+n4)/(n5+n6+n7+n8)");
    EXPECT_EQ(s.formulas[1], "(n5+n6+n7+n8)/(n1+n2+n3+n4)");
    EXPECT_EQ(s.formulas[2], "(n1+n3+n5+n7)/(n2+n4+n6+n8)");
    EXPECT_EQ(s.formulaDigits, (std::array<uint8_t, 3>{2, 2, 2}));
}

TEST(Config, ReadsTheFileAndRefusesValuesOutOfRange) {
    test::TFormatGuard guard(',');
    const TIniFile ini = TIniFile::FromText(
        "[GLOBAL]\nMatrixCols=6\nMatrixSegments=12345x7\nChannelSize=1\nCombsGenerateMode=2\n"
        "CombsGenerateParameters=1;2;3\n[STAKES]\nCost=12,345\nMaxStake=10\nProfits=2\n"
        "Profit_0_Overlap=5\nProfit_0_Profit=100,5\nProfit_1_Overlap=8\nProfit_1_Profit=1e6\n"
        "[CDL]\nCount=0,5\nDeviation=2\nUsePercents=3\nUseAbsValues=0\n"
        "[SHREDDING]\nFormula2=n1/n2\nFormula2Digits=4\n");
    TConfigSettings s = DefaultConfigSettings();
    LoadConfig(ini, s.data);
    LoadGenerateDefaults(ini, s);
    LoadShredding(ini, s);
    EXPECT_EQ(s.data.MatrixCols, 6);
    EXPECT_EQ(s.data.ChannelSize, 4);  // 1 is below the range: the default
    EXPECT_EQ(SegmentsText(s.data.MatrixSegments), "12345171111111111111");
    EXPECT_EQ(s.data.Cost, 123450);
    EXPECT_EQ(s.data.MaxStake, 10);
    ASSERT_EQ(s.data.Profits.size(), 2u);
    EXPECT_EQ(s.data.Profits[0], (TProfit{5, 1005000}));
    EXPECT_EQ(s.data.Profits[1], (TProfit{8, 10000000000}));
    EXPECT_EQ(s.data.CDL.Count, 0.5L);
    EXPECT_EQ(s.data.CDL.Level, 1);
    EXPECT_TRUE(s.data.CDL.UsePercents);
    EXPECT_EQ(s.generateMode, 2);
    EXPECT_EQ(s.generateParameters, "1;2;3");
    EXPECT_EQ(s.formulas[1], "n1/n2");
    EXPECT_EQ(s.formulaDigits[1], 4);
    EXPECT_EQ(s.formulas[0], "(n1+n2+n3+n4)/(n5+n6+n7+n8)");
}

TEST(Config, SavingWritesOnlyItsPartAndReadsBackTheSame) {
    test::TFormatGuard guard(',');
    TConfigSettings s = DefaultConfigSettings();
    s.data.Cost = 105000;
    for (int i = 0; i <= 8; ++i) s.data.Profits.push_back({static_cast<uint8_t>(i), i * 10000});
    s.data.CDL.Deviation = -0.25L;
    s.data.MatrixSegments[19] = 9;
    s.generateParameters = std::string(300, '7');
    TIniFile ini = TIniFile::FromText("[PROXY]\nProxyServer=example\n[GLOBAL]\nUnknown=1\n");
    SaveConfigGroup(ini, s, TConfigGroup::Config);
    EXPECT_EQ(ini.ReadString("STAKES", "Profits", ""), "9");
    EXPECT_EQ(ini.ReadString("STAKES", "Profit_8_Overlap", ""), "8");
    EXPECT_EQ(ini.ReadString("STAKES", "Cost", ""), "10,5");
    EXPECT_EQ(ini.ReadString("CDL", "Deviation", ""), "-0,25");
    EXPECT_EQ(ini.ReadString("CDL", "UsePercents", ""), "0");
    EXPECT_EQ(ini.ReadString("GLOBAL", "MatrixSegments", ""), "11111111111111111119");
    EXPECT_FALSE(ini.ValueExists("GLOBAL", "CombsGenerateMode"));
    EXPECT_FALSE(ini.SectionExists("SHREDDING"));
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyServer", ""), "example");
    EXPECT_EQ(ini.ReadString("GLOBAL", "Unknown", ""), "1");

    SaveConfigGroup(ini, s, TConfigGroup::GenerateDefaults);
    SaveConfigGroup(ini, s, TConfigGroup::Shredding);
    EXPECT_EQ(ini.ReadString("GLOBAL", "CombsGenerateParameters", "").size(), 255u);
    TConfigSettings back = DefaultConfigSettings();
    LoadConfig(ini, back.data);
    LoadShredding(ini, back);
    EXPECT_EQ(back.data, s.data);
    EXPECT_EQ(back.formulas, s.formulas);
}

TEST(Config, StakeResult) {
    TConfigData d = DefaultConfigSettings().data;
    d.Cost = ToCurrency(10);
    d.Profits = {{5, ToCurrency(100)}, {5, ToCurrency(7)}};
    EXPECT_EQ(StakeResult(d, 8, 5), ToCurrency(90));
    EXPECT_EQ(StakeResult(d, 8, 4), ToCurrency(-10));
    EXPECT_EQ(StakeResult(d, 9, 5), ToCurrency(10));  // 100 - 10 x 9
    EXPECT_EQ(StakeResult(d, 10, -1), ToCurrency(-450));
    EXPECT_EQ(StakeResult(d, 7, 5), ToCurrency(90));  // Binomial(7, 8) is 1
}

TEST(Config, CurrencyRoundsTiesToEven) {
    EXPECT_EQ(ToCurrency(0.00005L), 0);
    EXPECT_EQ(ToCurrency(0.00015L), 2);
    EXPECT_EQ(ToCurrency(-0.00025L), -2);
    EXPECT_EQ(ToCurrency(12.34567L), 123457);
    EXPECT_THROW(ToCurrency(1e300L), EConvertError);
    EXPECT_EQ(FromCurrency(105000), 10.5L);
}

TEST(Config, WeightsOverriddenByAScenarioStep) {
    TConfigSettings s = DefaultConfigSettings();
    s.data.CDL.Count = 3;
    SaveWeights(s);
    TCDLParams own;
    own.Level = 7;
    SetWeights(s, true, own);
    EXPECT_EQ(s.data.CDL, own);
    SetWeights(s, false, own);
    EXPECT_EQ(s.data.CDL.Count, 3);
    s.data.CDL.Count = 9;
    RestoreWeights(s);
    EXPECT_EQ(s.data.CDL.Count, 3);
}

TEST(Config, SetConfigValueChecksLikeTheDialog) {
    test::TFormatGuard guard(',');
    TConfigSettings s = DefaultConfigSettings();
    EXPECT_EQ(SetConfigValue(s, "global", "matrixcols", "6"), TConfigGroup::Config);
    EXPECT_EQ(s.data.MatrixCols, 6);
    EXPECT_EQ(SetConfigValue(s, "GLOBAL", "CombsGenerateMode", "3"),
              TConfigGroup::GenerateDefaults);
    EXPECT_EQ(SetConfigValue(s, "SHREDDING", "Formula3Digits", "5"), TConfigGroup::Shredding);
    SetConfigValue(s, "STAKES", "Cost", "2.5");
    EXPECT_EQ(s.data.Cost, 25000);
    SetConfigValue(s, "STAKES", "Profits", "3");
    SetConfigValue(s, "STAKES", "Profit_2_Profit", "7,25");
    EXPECT_EQ(s.data.Profits[2], (TProfit{2, 72500}));
    SetConfigValue(s, "GLOBAL", "MatrixSegments", "999");
    EXPECT_EQ(SegmentsText(s.data.MatrixSegments), "99911111111111111111");

    struct TBad {
        const char* section;
        const char* key;
        const char* value;
        const char* message;
    };
    const TBad bad[] = {
        {"GLOBAL", "MatrixCols", "21",
         "Недопустимое значение MatrixCols=21: нужно целое число "
         "от 1 до 20"},
        {"GLOBAL", "ChannelSize", "1", nullptr},
        {"GLOBAL", "CombsGenerateMode", "5", nullptr},
        {"GLOBAL", "MatrixSegments", "120",
         "Некорректное значение: 0!\n\nУкажите любое число от 1 "
         "до 9"},
        {"STAKES", "Cost", "abc", nullptr},
        {"STAKES", "Profit_3_Profit", "1", nullptr},
        {"CDL", "UsePercents", "2", nullptr},
        {"PROXY", "ProxyServer", "x", "Неизвестный параметр: [PROXY] ProxyServer"},
    };
    const TConfigSettings before = s;
    for (const TBad& b : bad) {
        try {
            SetConfigValue(s, b.section, b.key, b.value);
            ADD_FAILURE() << b.key;
        } catch (const EConvertError& e) {
            if (b.message) {
                EXPECT_STREQ(e.what(), b.message);
            }
        }
    }
    EXPECT_EQ(s.data, before.data);
}

}  // namespace
}  // namespace zentrix
