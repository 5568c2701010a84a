#include "util/cp1251.h"

#include <gtest/gtest.h>

namespace zentrix {
namespace {

TEST(Cp1251, StrictConversionRefusesWhatTheCodePageLacks) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"abc", "abc"},
        {"Тираж №", "\xD2\xE8\xF0\xE0\xE6 \xB9"},
        {"", ""},
        {"/home/日本/x.lcv", std::nullopt},
        {"a\xC3", std::nullopt},  // cut sequence
        {"\x80", std::nullopt},   // stray continuation byte
    };
    for (const auto& [text, bytes] : cases) EXPECT_EQ(TryUtf8ToCp1251(text), bytes) << text;
}

TEST(Cp1251, DetectsTheEncodingOfAFile) {
    const std::pair<const char*, TTextEncoding> cases[] = {
        {"[S]\r\nk=v\r\n", TTextEncoding::Cp1251},
        {"k=\xC8\xEC\xFF", TTextEncoding::Cp1251},  // "Имя" in Windows-1251
        {"k=Имя", TTextEncoding::Utf8},
        {"\xEF\xBB\xBFk=v", TTextEncoding::Utf8Bom},
        {"k=\xD0", TTextEncoding::Cp1251},  // not valid UTF-8
    };
    for (const auto& [bytes, encoding] : cases) {
        EXPECT_EQ(DetectTextEncoding(bytes), encoding) << bytes;
    }
    EXPECT_EQ(DecodeText("k=\xC8\xEC\xFF", TTextEncoding::Cp1251), "k=Имя");
    EXPECT_EQ(DecodeText("\xEF\xBB\xBFk=Имя", TTextEncoding::Utf8Bom), "k=Имя");
    EXPECT_EQ(DecodeText("k=Имя", TTextEncoding::Utf8), "k=Имя");
}

}  // namespace
}  // namespace zentrix
