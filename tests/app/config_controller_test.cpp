#include "app/config_controller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/counting_view.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

using test::TCountingView;

struct ConfigTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    test::TFormatGuard guard{','};
    // The controller alone: what reacts to its changes subscribes to the session's events.
    TSessionCore core{dir.Path(), ui};
    TConfigSettings settings;
    TConfigController config{core, settings};
    std::string path = dir.File("Zentrix_8x20.ini");
};

TEST_F(ConfigTest, LoadsUnderItsStatusAndKeepsDefaultsForMissingKeys) {
    WriteTextLines(path, {"[GLOBAL]", "MatrixCols=5", "CombsGenerateMode=3"});
    config.LoadConfig();
    EXPECT_EQ(ui.StatusTexts(), (std::vector<std::string>{"Загрузка файла конфигурации..."}));
    EXPECT_EQ(ui.status, "");
    EXPECT_EQ(config.Data().MatrixCols, 5);
    EXPECT_EQ(config.Data().ChannelSize, 4);
    EXPECT_EQ(config.Settings().generateMode, 3);
    EXPECT_EQ(config.Settings().formulaDigits[2], 2);
}

TEST_F(ConfigTest, UnreadableFileReportsAndLeavesTheDefaults) {
    std::filesystem::create_directory(path);
    config.LoadConfig();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Ошибка");
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка чтения файла конфигурации!\n\n", 0), 0u);
    EXPECT_EQ(config.Data().MatrixCols, 4);
    EXPECT_EQ(config.Data().ChannelSize, 4);

    // Saving then fails too, and the folder in the file's place stays.
    TConfigData data = config.Data();
    data.ChannelSize = 5;
    config.ApplyParams(data);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text.rfind("Ошибка записи в файл конфигурации!\n\n", 0), 0u);
    EXPECT_EQ(config.Data().ChannelSize, 5);  // memory stays as edited
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(ConfigTest, ParamsOkSavesRebuildsAndRecomputes) {
    WriteTextLines(path, {"[PROXY]", "ProxyServer=proxy.example", "[STAKES]", "Profits=1",
                          "Profit_0_Overlap=5", "Profit_0_Profit=100"});
    config.LoadConfig();
    TCountingView view;
    core.RegisterView(&view);
    std::vector<TConfigChange> changes;
    TSubscription subscription = core.Events().settingsChanged.Subscribe(
        [&](const TConfigChange& c) { changes.push_back(c); });
    ui.Clear();

    ASSERT_TRUE(config.CanParams());
    TParamsDialogModel dialog = config.OpenParams();
    EXPECT_EQ(dialog.prizeValues[5], "100,00");
    dialog.SetMatrixCols(6);
    dialog.segments.SetCell(0, 0, "2");
    config.ApplyParams(dialog.Result());

    EXPECT_EQ(ui.StatusTexts(), (std::vector<std::string>{"Сохранение файла конфигурации..."}));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0].matrixCols);
    EXPECT_FALSE(changes[0].channelSize);
    EXPECT_TRUE(changes[0].segments);
    EXPECT_EQ(view.calls, (std::vector<bool>{true}));
    EXPECT_NE(std::find(ui.invalidated.begin(), ui.invalidated.end(), TUiPart::CombList),
              ui.invalidated.end());

    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("STAKES", "Profits", ""), "9");
    for (int i = 0; i <= 8; ++i)
        EXPECT_EQ(ini.ReadInteger("STAKES", "Profit_" + std::to_string(i) + "_Overlap", -1), i);
    EXPECT_EQ(ini.ReadString("STAKES", "Profit_5_Profit", ""), "100");
    EXPECT_EQ(ini.ReadString("GLOBAL", "MatrixCols", ""), "6");
    EXPECT_EQ(ini.ReadString("GLOBAL", "MatrixSegments", ""), "21111111111111111111");
    EXPECT_EQ(ini.ReadString("PROXY", "ProxyServer", ""), "proxy.example");
    EXPECT_FALSE(ini.SectionExists("SHREDDING"));

    // Nothing changed: the event is still raised (the method list), with no group to rebuild.
    config.ApplyParams(config.Data());
    EXPECT_FALSE(changes[1].matrixCols || changes[1].channelSize || changes[1].segments);
}

TEST_F(ConfigTest, GeneratorDefaultsAndShreddingSaveTheirOwnKeys) {
    config.LoadConfig();
    std::vector<TConfigChange> changes;
    TSubscription subscription = core.Events().settingsChanged.Subscribe(
        [&](const TConfigChange& c) { changes.push_back(c); });
    EXPECT_TRUE(config.SaveGenerateDefaults(1, "3;5"));
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("GLOBAL", "CombsGenerateMode", ""), "1");
    EXPECT_EQ(ini.ReadString("GLOBAL", "CombsGenerateParameters", ""), "3;5");
    EXPECT_FALSE(ini.ValueExists("GLOBAL", "MatrixCols"));
    EXPECT_TRUE(changes.empty());

    config.ApplyShredding({"n1", "n2", "n3"}, {1, 2, 3});
    ini = TIniFile(path);
    EXPECT_EQ(ini.ReadString("SHREDDING", "Formula3", ""), "n3");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0].shredding);
}

}  // namespace
}  // namespace zentrix
