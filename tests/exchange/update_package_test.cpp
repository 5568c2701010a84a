#include "exchange/update_package.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "exchange/update_description.h"
#include "support/tar_writer.h"
#include "support/temp_dir.h"
#include "util/files.h"

namespace zentrix {
namespace {

namespace fs = std::filesystem;
using test::TTarEntry;

TEST(UpdateDescription, BuildNumberIsTheFourthWord) {
    const std::pair<const char*, int> cases[] = {
        {"2.1.0.57", 57}, {"1.0.0.58", 58}, {"2-2_0,59", 59}, {" 1 . 2 . 3 . 60 ", 60},
        {"1.2.3", 0},     {"1.2.3.x", 0},   {"", 0},          {"1.2.3.4.5", 4}};
    for (const auto& [text, build] : cases) EXPECT_EQ(UpdateBuildNumber(text), build) << text;
}

TEST(UpdateDescription, ReadsTheProgramSectionAndBothLists) {
    test::TTempDir dir;
    const std::string file = dir.File("SelfUpdates.inf");
    WriteTextLines(file, {"[GlobalOptions]", "DeleteBefore= g1.txt ; g2.txt;", "[Zentrix_8x20.exe]",
                          "VerId=2.2.0.58", "Description=Новая версия",
                          "DownloadUrl=https://h/updates/p.tar.gz", "ChecksumCRC32=cbf43926",
                          "ChecksumSHA256=AB", "DeleteBefore=p.txt", "DeleteAfter=old.txt"});
    const TUpdateVersionData d = ReadUpdateVersionData(file, "2.1.0.57");
    EXPECT_EQ(d.VerId, "2.2.0.58");
    EXPECT_EQ(d.Description, "Новая версия");
    EXPECT_EQ(d.ChecksumCRC32, "cbf43926");
    EXPECT_EQ(d.ChecksumSHA256, "AB");
    EXPECT_EQ(UpdateList(d.global.DeleteBefore, d.program.DeleteBefore),
              (std::vector<std::string>{"g1.txt", "g2.txt", "p.txt"}));
    EXPECT_EQ(UpdateList(d.global.DeleteAfter, d.program.DeleteAfter),
              (std::vector<std::string>{"old.txt"}));

    // A missing VerId is the own version: no update.
    WriteTextLines(file, {"[Zentrix_8x20.exe]", "DownloadUrl=x"});
    EXPECT_EQ(ReadUpdateVersionData(file, "2.1.0.57").VerId, "2.1.0.57");
}

TEST(UpdateDescription, OnlyAHigherBuildWithAPackageIsAnUpdate) {
    struct TCase {
        const char* offered;
        const char* url;
        bool available;
    };
    const TCase cases[] = {{"2.2.0.57", "u", false},
                           {"1.0.0.58", "u", true},
                           {"2.1.0.58", "", false},
                           {"2.1.0.56", "u", false}};
    for (const TCase& c : cases) {
        TUpdateVersionData d;
        d.VerId = c.offered;
        d.DownloadUrl = c.url;
        EXPECT_EQ(UpdateAvailable(d, "2.1.0.57"), c.available) << c.offered;
    }
}

TEST(UpdateDescription, RefusesUnsafeOffers) {
    TUpdateVersionData ok;
    ok.ChecksumSHA256 = std::string(64, 'a');
    EXPECT_NO_THROW(RequireInstallableOffer(ok));
    struct TCase {
        void (*change)(TUpdateVersionData&);
        const char* message;
    };
    const TCase cases[] = {
        {[](TUpdateVersionData& d) { d.ChecksumSHA256.clear(); }, "ChecksumSHA256"},
        {[](TUpdateVersionData& d) { d.ChecksumSHA256 = "abc"; }, "64"},
        {[](TUpdateVersionData& d) { d.ChecksumCRC32 = "xyz"; }, "CRC-32"},
        {[](TUpdateVersionData& d) { d.global.ExecBefore = "setup.sh"; }, "setup.sh"},
        {[](TUpdateVersionData& d) { d.program.ExecAfter = " run ; "; }, "run"},
    };
    for (const TCase& c : cases) {
        TUpdateVersionData d = ok;
        c.change(d);
        try {
            RequireInstallableOffer(d);
            ADD_FAILURE() << c.message;
        } catch (const EUpdateError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    for (const char* bad : {"", "../x", "1/2", "a b", "1.0.0.5;rm"})
        EXPECT_THROW(RequireSafeVersionText(bad), EUpdateError) << bad;
    EXPECT_NO_THROW(RequireSafeVersionText("2.2.0-58_b,1"));
}

TEST(UpdateDescription, NotesNamesByLanguage) {
    EXPECT_EQ(UpdateNotesNames("2.2.0.58", 1049),
              (std::vector<std::string>{"UpdDescr_RUS_2.2.0.58.txt", "UpdDescr_1049_2.2.0.58.txt",
                                        "UpdDescr_2.2.0.58.txt"}));
    EXPECT_EQ(UpdateNotesNames("1", 0), (std::vector<std::string>{"UpdDescr_1.txt"}));
    EXPECT_EQ(UpdateNotesNames("1", 9999),
              (std::vector<std::string>{"UpdDescr_9999_1.txt", "UpdDescr_1.txt"}));
}

TEST(UpdatePackage, Checksums) {
    test::TTempDir dir;
    const std::string file = dir.File("p");
    AtomicWriteFile(file, "123456789");
    EXPECT_EQ(FileCrc32(file), "CBF43926");
    EXPECT_EQ(FileSha256(file), "15e2b0d3c33891ebb0f1ef609ec419420c20e320ce94c65fbc8c3312448eb225");
    const std::string sha = FileSha256(file);
    EXPECT_NO_THROW(CheckPackageSums(file, "cbf43926", sha));
    EXPECT_NO_THROW(CheckPackageSums(
        file, "", "15E2B0D3C33891EBB0F1EF609EC419420C20E320CE94C65FBC8C3312448EB225"));
    try {
        CheckPackageSums(file, "CBF43927", sha);
        FAIL();
    } catch (const EUpdateError& e) {
        EXPECT_STREQ(e.what(), "Неверная контрольная сумма скачанного файла.");
    }
    try {
        CheckPackageSums(file, "CBF43926", std::string(64, '0'));
        FAIL();
    } catch (const EUpdateError& e) {
        EXPECT_STREQ(e.what(), "Неверная контрольная сумма SHA-256 скачанного файла.");
    }
    // A block boundary: 32768 + 1 bytes.
    AtomicWriteFile(file, std::string(32769, 'z'));
    EXPECT_EQ(FileCrc32(file).size(), 8u);
}

struct Unpack : ::testing::Test {
    test::TTempDir dir;
    std::string archive = dir.File("p.tar.gz");
    std::string out = dir.File("work");
    void SetUp() override { fs::create_directory(out); }
};

TEST_F(Unpack, FilesAndFoldersWithTheirModes) {
    test::WriteTarGz(archive, {{"./", "", '5'},
                               {"./bin/", "", '5'},
                               {"bin/Zentrix_8x20", "ELF", '0', "", 0755},
                               {"doc/readme.txt", std::string(1000, 'r')},
                               {"empty.txt", ""}});
    EXPECT_EQ(UnpackTarGz(archive, out),
              (std::vector<std::string>{"bin/Zentrix_8x20", "doc/readme.txt", "empty.txt"}));
    EXPECT_EQ(ReadFileBytes(out + "/bin/Zentrix_8x20"), "ELF");
    EXPECT_EQ(ReadFileBytes(out + "/doc/readme.txt"), std::string(1000, 'r'));
    EXPECT_EQ(FileSize(out + "/empty.txt"), 0);
    EXPECT_NE(fs::status(out + "/bin/Zentrix_8x20").permissions() & fs::perms::owner_exec,
              fs::perms::none);
}

TEST_F(Unpack, RefusesHostileArchives) {
    struct TCase {
        std::vector<TTarEntry> entries;
        const char* message;
    };
    const TCase cases[] = {
        {{{"../evil.txt", "x"}}, ".."},
        {{{"a/../../evil.txt", "x"}}, ".."},
        {{{"/tmp/evil.txt", "x"}}, "абсолютный путь"},
        {{{"link", "", '2', "/etc/passwd"}}, "ссылки"},
        {{{"hard", "", '1', "x"}}, "ссылки"},
        {{{"dev", "", '3'}}, "устройств"},
        {{{"fifo", "", '6'}}, "каналы"},
        {{{"a.txt", "1"}, {"a.txt", "2"}}, "повторяется"},
        {{{"a.txt", "1"}, {"a.txt/b", "2"}}, "занято файлом"},
        {{{"pax", "", 'x'}}, "ustar"},
        {{{"back\\slash", "x"}}, "недопустимый символ"},
    };
    for (const TCase& c : cases) {
        fs::remove_all(out);
        fs::create_directory(out);
        test::WriteTarGz(archive, c.entries);
        try {
            UnpackTarGz(archive, out);
            ADD_FAILURE() << c.message;
        } catch (const EUpdateError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_FALSE(fs::exists(dir.File("evil.txt")));
    }
}

TEST_F(Unpack, RefusesDamagedArchivesAndLimits) {
    // Not compressed, cut short, not an archive at all.
    AtomicWriteFile(archive, test::TarBytes({{"a.txt", "1"}}));
    EXPECT_THROW(UnpackTarGz(archive, out), EUpdateError);
    fs::remove_all(out);
    fs::create_directory(out);
    test::WriteTarGz(dir.File("full.tar.gz"), {{"a.txt", std::string(5000, 'a')}});
    const std::string whole = ReadFileBytes(dir.File("full.tar.gz"));
    AtomicWriteFile(archive, whole.substr(0, whole.size() / 2));
    EXPECT_THROW(UnpackTarGz(archive, out), EUpdateError);

    fs::remove_all(out);
    fs::create_directory(out);
    TUnpackLimits limits;
    limits.maxFileBytes = 100;
    test::WriteTarGz(archive, {{"big.txt", std::string(101, 'b')}});
    EXPECT_THROW(UnpackTarGz(archive, out, limits), EUpdateError);
    limits = {};
    limits.maxEntries = 2;
    fs::remove_all(out);
    fs::create_directory(out);
    test::WriteTarGz(archive, {{"1", ""}, {"2", ""}, {"3", ""}});
    EXPECT_THROW(UnpackTarGz(archive, out, limits), EUpdateError);
    // The folder must be empty.
    EXPECT_THROW(UnpackTarGz(archive, out), EFileError);
}

}  // namespace
}  // namespace zentrix
