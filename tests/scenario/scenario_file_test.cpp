#include "scenario/scenario_file.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "scenario/scenario.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::TTempDir;
using TLines = std::vector<std::string>;

// The text of the EFileError that work raises.
template <class TWork>
std::string FailureText(TWork work) {
    try {
        work();
    } catch (const EFileError& e) {
        return e.what();
    }
    ADD_FAILURE() << "no EFileError";
    return {};
}

const TLines kLines = {"FULL:0#RAND|TSD1#NUMS:5#LNO:#SF:0| | | | | | |Проба", "",
                       "CURR:0#NONE| | | | | | | |"};

TEST(ScenarioFile, WindowsTextWithCrLfOnDisk) {
    TTempDir dir;
    const std::string path = WorkingScenarioPath(dir.Path());
    EXPECT_EQ(path, dir.File("Zentrix_8x20.lss"));
    WriteScenarioFile(path, kLines);
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.substr(bytes.size() - 5), "| |\r\n");
    EXPECT_NE(bytes.find("|\xCF\xF0\xEE\xE1\xE0\r\n\r\nCURR"), std::string::npos);  // Проба
    EXPECT_EQ(ReadScenarioFile(path), kLines);
}

TEST(ScenarioFile, LoadReplacesAndAppendAddsOneSeparator) {
    TTempDir dir;
    const std::string a = dir.File("a.lsc"), b = dir.File("b.lsc"), empty = dir.File("e.lsc");
    WriteScenarioFile(a, {"FULL:0#RAND| | | | | | | |A"});
    WriteScenarioFile(b, {"CURR:0#ALL| | | | | | | |B", "FULL:0#NONE| | | | | | | |C"});
    WriteScenarioFile(empty, {});
    std::string message;
    TScenario s;
    s.AppendFile(a);  // into an empty scenario: no separator
    EXPECT_EQ(s.Count(), 1);
    s.AppendFile(b);
    EXPECT_EQ(s.Lines(), (TLines{"FULL:0#RAND| | | | | | | |A", "", "CURR:0#ALL| | | | | | | |B",
                                 "FULL:0#NONE| | | | | | | |C"}));
    s.AppendFile(empty);  // an empty file changes nothing
    EXPECT_EQ(s.Count(), 4);
    s.Add("");
    s.AppendFile(a);  // the last line is a separator already
    EXPECT_EQ(s.Count(), 6);
    EXPECT_EQ(s.Line(5), "FULL:0#RAND| | | | | | | |A");
    s.LoadFile(b);
    EXPECT_EQ(s.Count(), 2);
}

TEST(ScenarioFile, AFailedReadKeepsTheLines) {
    TTempDir dir;
    TScenario s;
    s.Add("FULL:0#RAND| | | | | | | |keep");
    const std::string missing = dir.File("missing.lsc");
    const std::string message = FailureText([&] { s.LoadFile(missing); });
    EXPECT_EQ(message.rfind("Ошибка чтения файла \"" + missing + "\"!\n\n", 0), 0u) << message;
    EXPECT_NE(message.find(SystemErrorText(ENOENT)), std::string::npos) << message;
    EXPECT_THROW(s.AppendFile(dir.Path()), EFileError);  // a folder does not read as a file
    EXPECT_EQ(s.Lines(), TLines{"FULL:0#RAND| | | | | | | |keep"});
}

TEST(ScenarioFile, AFailedWriteKeepsMemoryAndTheOldFile) {
    TTempDir dir;
    TScenario s;
    for (const std::string& line : kLines) s.Add(line);
    const std::string nowhere = dir.File("no/such/folder/x.lsc");
    const std::string message = FailureText([&] { s.SaveFile(nowhere); });
    EXPECT_EQ(message.rfind("Ошибка записи в файл \"" + nowhere + "\"!\n\n", 0), 0u) << message;
    EXPECT_EQ(s.Lines(), kLines);

    // A target that cannot be replaced: the old content stays whole.
    const std::string blocked = dir.File("blocked.lsc");
    EnsureDirectory(blocked);
    WriteScenarioFile(dir.File("blocked.lsc/inner"), {"old"});
    EXPECT_THROW(s.SaveFile(blocked), EFileError);
    EXPECT_EQ(ReadScenarioFile(dir.File("blocked.lsc/inner")), TLines{"old"});
    EXPECT_EQ(s.Lines(), kLines);
}

TEST(ScenarioFile, LinesByIndex) {
    TScenario s;
    EXPECT_EQ(s.Add("a"), 0);
    EXPECT_EQ(s.Add("b"), 1);
    s.Swap(0, 1);
    s.Set(1, "c");
    EXPECT_EQ(s.Lines(), (TLines{"b", "c"}));
    try {
        s.Set(2, "x");
        FAIL();
    } catch (const EZentrix& e) {
        EXPECT_STREQ(e.what(), "Запись со индексом 2 в файле данных не найдена!");
    }
    EXPECT_THROW(s.Line(-1), EZentrix);
    EXPECT_THROW(s.Remove(2), EZentrix);
    s.Remove(0);
    EXPECT_EQ(s.Lines(), TLines{"c"});
}

}  // namespace
}  // namespace zentrix
