#include "util/service_text.h"

#include <gtest/gtest.h>

#include "util/base64.h"

namespace zentrix {
namespace {

TEST(ServiceText, EscapesControlsQuotesAndBackslashes) {
    const struct {
        std::string text, escaped;
    } cases[] = {
        {"plain", "plain"},
        {std::string("\0\1\6", 3), "\\0\\1\\6"},
        {"\a\b\t\n\v\f\r\x1b", "\\a\\b\\t\\n\\v\\f\\r\\e"},
        {"\"'?\\", "\\\"\\'\\?\\\\"},
        {"a\r\nb", "a\\r\\nb"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeServiceText(c.text), c.escaped) << c.escaped;
        EXPECT_EQ(UnescapeServiceText(c.escaped), c.text) << c.escaped;
    }
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(UnescapeServiceText(EscapeServiceText(all)), all);
    EXPECT_EQ(UnescapeServiceText("x\\"), "x\\");
}

TEST(ServiceText, FormEncodesEveryReservedByte) {
    EXPECT_EQ(FormEncode("a b&c=d+é~"), "a%20b%26c%3Dd%2B%C3%A9~");
}

TEST(Base64, RoundTripsAndRefusesForeignCharacters) {
    const struct {
        std::string bytes, text;
    } cases[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"Привет", "0J/RgNC40LLQtdGC"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Base64Encode(c.bytes), c.text);
        EXPECT_EQ(Base64Decode(c.text), c.bytes);
    }
    EXPECT_EQ(Base64Decode("Zm9v\r\nYmFy"), "foobar");
    EXPECT_EQ(Base64Decode("Zm9v!"), std::nullopt);
}

}  // namespace
}  // namespace zentrix
