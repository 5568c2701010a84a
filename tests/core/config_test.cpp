#include "core/config.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST(Config, ReadsTheFile) {
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
    EXPECT_EQ(s.data.ChannelSize, 2);  // 1 is below the range: the nearest valid value
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

TEST(Config, OutOfRangeValuesBecomeTheNearestValidOne) {
    test::TFormatGuard guard(',');
    struct TCase {
        const char* section;
        const char* lines;  // the section's lines in the file
        const char* key;
        const char* saved;  // the value read, as the next save writes it
    };
    const TCase cases[] = {
        {"GLOBAL", "MatrixCols=0", "MatrixCols", "1"},
        {"GLOBAL", "MatrixCols=21", "MatrixCols", "20"},
        {"GLOBAL", "MatrixCols=99999999999", "MatrixCols", "20"},
        {"GLOBAL", "MatrixCols=x", "MatrixCols", "4"},  // not a number: the default
        {"GLOBAL", "ChannelSize=1", "ChannelSize", "2"},
        {"GLOBAL", "ChannelSize=40", "ChannelSize", "20"},
        {"GLOBAL", "CombsGenerateMode=7", "CombsGenerateMode", "4"},
        {"GLOBAL", "CombsGenerateMode=-1", "CombsGenerateMode", "0"},
        {"STAKES", "Cost=-5", "Cost", "0"},
        {"STAKES", "Cost=1e20", "Cost", "1E+12"},
        {"STAKES", "Cost=nan", "Cost", "0"},
        {"STAKES", "MaxStake=99999999999", "MaxStake", "2147483647"},
        {"STAKES", "Profits=-3", "Profits", "0"},
        {"STAKES", "Profits=1\nProfit_0_Overlap=300", "Profit_0_Overlap", "255"},
        {"STAKES", "Profits=1\nProfit_0_Profit=-2,5", "Profit_0_Profit", "0"},
        {"CDL", "Count=1e12", "Count", "1E+09"},
        {"CDL", "Deviation=-1e12", "Deviation", "-1E+09"},
        {"CDL", "Level=nan", "Level", "1"},
        {"SHREDDING", "Formula1Digits=0", "Formula1Digits", "1"},
        {"SHREDDING", "Formula2Digits=9", "Formula2Digits", "5"},
        {"SHREDDING", "Formula3=", "Formula3", "(n1+n3+n5+n7)/(n2+n4+n6+n8)"},
    };
    for (const TCase& c : cases) {
        const TIniFile ini =
            TIniFile::FromText(std::string("[") + c.section + "]\n" + c.lines + "\n");
        TConfigSettings s = DefaultConfigSettings();
        LoadGenerateDefaults(ini, s);
        LoadConfig(ini, s.data);
        LoadShredding(ini, s);
        TIniFile saved = TIniFile::FromText({});
        for (TConfigGroup g :
             {TConfigGroup::Config, TConfigGroup::GenerateDefaults, TConfigGroup::Shredding})
            SaveConfigGroup(saved, s, g);
        EXPECT_EQ(saved.ReadString(c.section, c.key, "?"), c.saved) << c.lines;
    }
}

TEST(Config, TooManyPrizeEntriesKeepTheFirst256) {
    std::string text = "[STAKES]\nProfits=300\n";
    for (int i = 0; i < 300; ++i)
        text += "Profit_" + std::to_string(i) + "_Overlap=" + std::to_string(i % 9) + "\n";
    TConfigSettings s = DefaultConfigSettings();
    LoadConfig(TIniFile::FromText(text), s.data);
    ASSERT_EQ(s.data.Profits.size(), 256u);
    EXPECT_EQ(s.data.Profits[255].Overlap, 255 % 9);
    TIniFile saved = TIniFile::FromText({});
    SaveConfigGroup(saved, s, TConfigGroup::Config);
    EXPECT_EQ(saved.ReadString("STAKES", "Profits", ""), "256");
    EXPECT_EQ(saved.ReadString("STAKES", "Profit_255_Overlap", ""), "3");
}

TEST(Config, SavedRealsIgnoreThePrintingSeparator) {
    test::TFormatGuard guard(',');
    guard.SetDecimalSeparator('.');  // what --decimal-separator does
    TConfigSettings s = DefaultConfigSettings();
    SetConfigValue(s, "STAKES", "Cost", "12.5");
    TIniFile ini = TIniFile::FromText({});
    SaveConfigGroup(ini, s, TConfigGroup::Config);
    EXPECT_EQ(ini.ReadString("STAKES", "Cost", ""), "12,5");
    TConfigSettings back = DefaultConfigSettings();
    LoadConfig(ini, back.data);
    EXPECT_EQ(back.data.Cost, 125000);
    const auto entries = ConfigEntries(s, '.');
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const TConfigEntry& e) {
        return e.key == "Cost" && e.value == "12.5";
    }));
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
    SetConfigValue(s, "CDL", "Deviation", "-0,125");
    EXPECT_EQ(s.data.CDL.Deviation, -0.125L);
    SetConfigValue(s, "STAKES", "Profit_0_Profit", "1000000000000");
    EXPECT_EQ(s.data.Profits[0].Profit, ToCurrency(1e12L));
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
        {"STAKES", "Cost", "abc",
         "Недопустимое значение Cost=abc: нужно число от 0 до 1000000000000 не более чем с "
         "двумя знаками после запятой"},
        {"STAKES", "Cost", "-1", nullptr},
        {"STAKES", "Cost", "1,234", nullptr},
        {"STAKES", "Cost", "2e12", nullptr},
        {"STAKES", "Profit_0_Profit", "-0,5", nullptr},
        {"STAKES", "Profit_0_Profit", "0,005", nullptr},
        {"CDL", "Count", "0,0001",
         "Недопустимое значение Count=0,0001: нужно число от -1000000000 до 1000000000 не более "
         "чем с тремя знаками после запятой"},
        {"CDL", "Level", "1e10", nullptr},
        {"CDL", "Deviation", "nan", nullptr},
        {"SHREDDING", "Formula1", " ",
         "Недопустимое значение Formula1: формула не может быть пустой"},
        {"SHREDDING", "Formula2Digits", "0", nullptr},
        {"SHREDDING", "Formula2Digits", "6", nullptr},
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
    EXPECT_EQ(s.formulas, before.formulas);
    EXPECT_EQ(s.formulaDigits, before.formulaDigits);
}

}  // namespace
}  // namespace zentrix
