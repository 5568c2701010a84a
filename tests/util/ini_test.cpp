#include "util/ini.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {
namespace {

TEST(IniFile, KeepsUnknownSectionsKeysAndCommentsInOrder) {
    test::TTempDir dir;
    const std::string path = dir.File("a.ini");
    AtomicWriteFile(path, "; note\r\n[Z]\r\nb=2\r\na=1\r\n[GLOBAL]\r\nMatrixCols=5\r\nOther=x\r\n");
    TIniFile ini(path);
    ini.WriteInteger("global", "matrixcols", 6);  // names compare ignoring case
    ini.WriteString("NEW", "k", "v");
    ini.UpdateFile();
    EXPECT_EQ(ReadFileBytes(path),
              "; note\r\n\r\n[Z]\r\nb=2\r\na=1\r\n\r\n[GLOBAL]\r\nMatrixCols=6\r\nOther=x\r\n"
              "\r\n[NEW]\r\nk=v\r\n");
}

TEST(IniFile, TypedReadsFallBackToDefaults) {
    test::TFormatGuard guard(',');
    TIniFile ini = TIniFile::FromText(
        "[S]\nInt= 12 \nBad=x\nBool=1\nBool0=0\nReal=1,5\nRealDot=2.25\nText= a b \n");
    EXPECT_EQ(ini.ReadInteger("S", "Int", 0), 12);
    EXPECT_EQ(ini.ReadInteger("S", "Bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("S", "Missing", 8), 8);
    EXPECT_TRUE(ini.ReadBool("S", "Bool", false));
    EXPECT_FALSE(ini.ReadBool("S", "Bool0", true));
    EXPECT_TRUE(ini.ReadBool("S", "Missing", true));
    EXPECT_EQ(ini.ReadFloat("S", "Real", 0), 1.5L);
    EXPECT_EQ(ini.ReadFloat("S", "RealDot", 0), 2.25L);
    EXPECT_EQ(ini.ReadFloat("S", "Bad", -1), -1.0L);
    EXPECT_EQ(ini.ReadString("S", "Text", ""), "a b");
    EXPECT_EQ(ini.ReadString("T", "Text", "d"), "d");
}

TEST(IniFile, WritesBooleansRealsAndCyrillic) {
    test::TFormatGuard guard(',');
    test::TTempDir dir;
    TIniFile ini(dir.File("b.ini"));  // a missing file reads as empty
    EXPECT_TRUE(ini.Sections().empty());
    ini.WriteBool("S", "On", true);
    ini.WriteBool("S", "Off", false);
    ini.WriteFloat("S", "Real", 0.1L);
    ini.WriteString("STRINGS_RUS", "NUMS", "Мои числа\r\nвторая строка");
    ini.EraseSection("nothing");
    ini.UpdateFile();
    std::string bytes = ReadFileBytes(dir.File("b.ini"));
    EXPECT_NE(bytes.find("On=1\r\nOff=0\r\nReal=0,1\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("NUMS=\xCC\xEE\xE8 \xF7\xE8\xF1\xEB\xE0"), std::string::npos);  // cp1251
    TIniFile again(dir.File("b.ini"));
    EXPECT_EQ(again.ReadString("STRINGS_RUS", "NUMS", ""), "Мои числа  вторая строка");
    again.EraseSection("strings_rus");
    EXPECT_FALSE(again.SectionExists("STRINGS_RUS"));
    EXPECT_EQ(again.Keys("S"), (std::vector<std::string>{"On", "Off", "Real"}));
}

TEST(IniFile, UnreadableFileRaises) {
    test::TTempDir dir;
    EnsureDirectory(dir.File("folder.ini"));  // a folder where the file should be
    EXPECT_THROW(TIniFile(dir.File("folder.ini")).UpdateFile(), EFileError);
}

TEST(IniFile, SaveKeepsTheEncodingTheFileWasReadIn) {
    struct TCase {
        const char* name;
        std::string before;  // the file's bytes
        std::string after;   // after writing k2=Ёж and saving
    };
    const std::string bom = "\xEF\xBB\xBF";
    const TCase cases[] = {
        {"windows-1251", "[S]\r\nk=\xC8\r\n", "[S]\r\nk=\xC8\r\nk2=\xA8\xE6\r\n"},
        {"ascii", "[S]\r\nk=I\r\n", "[S]\r\nk=I\r\nk2=\xA8\xE6\r\n"},
        {"utf-8", "[S]\r\nk=И\r\n", "[S]\r\nk=И\r\nk2=Ёж\r\n"},
        {"utf-8 with bom", bom + "[S]\r\nk=И\r\n", bom + "[S]\r\nk=И\r\nk2=Ёж\r\n"},
    };
    test::TTempDir dir;
    for (const TCase& c : cases) {
        const std::string path = dir.File("e.ini");
        AtomicWriteFile(path, c.before);
        TIniFile ini(path);
        EXPECT_NE(ini.ReadString("S", "k", ""), "") << c.name;
        ini.WriteString("S", "k2", "Ёж");
        ini.UpdateFile();
        EXPECT_EQ(ReadFileBytes(path), c.after) << c.name;
        EXPECT_EQ(TIniFile(path).ReadString("S", "k2", ""), "Ёж") << c.name;
    }
}

TEST(IniFile, ValueTheCodePageCannotHoldIsRefusedAndTheFileStays) {
    test::TTempDir dir;
    const std::string path = dir.File("c.ini");
    const std::string before = "[GLOBAL]\r\nName=\xC8\r\n";
    AtomicWriteFile(path, before);
    TIniFile ini(path);
    ini.WriteString("GLOBAL", "CombsGenerateParameters", "/home/日本/x.lcv");
    try {
        ini.UpdateFile();
        ADD_FAILURE() << "saved";
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Значение CombsGenerateParameters=/home/日本/x.lcv в разделе [GLOBAL] содержит "
                  "символы, которых нет в кодировке Windows-1251 файла \"" +
                      path + "\". Файл не изменен.");
    }
    EXPECT_EQ(ReadFileBytes(path), before);
}

TEST(IniFile, RealsUseTheLocaleSeparatorNotThePrintingOverride) {
    test::TFormatGuard guard(',');
    guard.SetDecimalSeparator('.');  // what --decimal-separator does
    TIniFile ini = TIniFile::FromText({});
    ini.WriteFloat("S", "Real", 12.5L);
    EXPECT_EQ(ini.ReadString("S", "Real", ""), "12,5");
    EXPECT_EQ(ini.ReadFloat("S", "Real", 0), 12.5L);
}

}  // namespace
}  // namespace zentrix
