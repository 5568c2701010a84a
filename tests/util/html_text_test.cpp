#include "util/html_text.h"

#include <gtest/gtest.h>

#include "util/files.h"
#include "util/strings.h"

namespace zentrix {
namespace {

TEST(HtmlText, TokensAndEntities) {
    const auto tokens = TokenizeHtml("<!DOCTYPE html><P Class=\"nav\">a &amp; b<BR/></p>1 < 2");
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_EQ(tokens[0].kind, THtmlToken::TKind::Declaration);
    EXPECT_EQ(tokens[1].name, "p");
    EXPECT_EQ(tokens[1].Attribute("class"), "nav");
    EXPECT_EQ(tokens[2].text, "a & b");
    EXPECT_TRUE(tokens[3].selfClosing);
    EXPECT_EQ(tokens[4].kind, THtmlToken::TKind::Close);
    EXPECT_EQ(tokens[5].text, "1 < 2");  // a stray "<" is text
    EXPECT_EQ(DecodeHtmlEntities("&lt;&gt;&quot;&#1060;&#x41;&bogus;&"), "<>\"ФA&bogus;&");
    EXPECT_EQ(HtmlEntityNames("a &amp; &copy; & b"), (std::vector<std::string>{"amp", "copy"}));
}

TEST(HtmlText, BlocksAsPlainText) {
    struct TCase {
        const char* html;
        const char* text;
    };
    const TCase cases[] = {
        {"<head><title>T</title></head><h1>Заголовок</h1><p>Текст\n  абзаца.</p>",
         "Заголовок\n=========\n\nТекст абзаца.\n"},
        {"<h2>Раздел</h2><h3>Часть</h3><p>x</p>", "Раздел\n------\n\nЧасть\n\nx\n"},
        {"<ul><li>один</li><li>два<ol><li>а</li></ol></li></ul>", "- один\n- два\n  1. а\n"},
        {"<table><tr><th>Код</th><th>Имя</th></tr><tr><td>NUMS</td><td>Числа</td></tr></table>",
         "Код  | Имя\n-----+------\nNUMS | Числа\n"},
        {"<p>См. <a href=\"flags.htm#N\">флаг N</a> и <a href=\"https://example.org/\">сайт</a>"
         "</p>",
         "См. флаг N и сайт <https://example.org/>\n"},
        {"<pre>\n  a  b\n c\n</pre>", "      a  b\n     c\n"},
        {"<p>строка<br>вторая</p><p class=\"nav\"><a href=\"index.htm\">Содержание</a></p>",
         "строка\nвторая\n"},
        {"<p>a&nbsp;b <code>x&lt;y</code></p>", "a b x<y\n"},
        {"", ""},
        {"<p>unterminated <b", "unterminated\n"},
    };
    for (const TCase& c : cases) EXPECT_EQ(HtmlToText(c.html), c.text) << c.html;
}

TEST(HtmlText, WrapsLongParagraphsByCharacters) {
    std::string words;
    for (int i = 0; i < 30; ++i) words += "слово ";
    const std::string text = HtmlToText("<ul><li>" + words + "</li></ul>", 40);
    size_t lines = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        EXPECT_LE(Utf8Length(line), 40u) << line;
        if (lines > 0) {
            EXPECT_EQ(line.rfind("  слово", 0), 0u) << line;  // hanging indent
        }
        ++lines;
        start = end + 1;
    }
    EXPECT_GT(lines, 3u);
}

TEST(HtmlText, WideTablesAsBlocks) {
    const std::string html =
        "<table><tr><th>Код</th><th>Что</th><th>Когда</th></tr><tr><td>SF</td><td>все записи "
        "таблицы</td><td>пройдены все строки</td></tr></table>";
    EXPECT_EQ(HtmlToText(html, 20),
              "SF\n    Что: все записи\n    таблицы\n    Когда: пройдены\n    все строки\n");
}

TEST(HtmlText, AFixtureMethodPage) {
    const std::string text =
        HtmlToText(ReadFileBytes(ZENTRIX_TEST_DATA "/help/Filters_1049_POSx.htm"));
    EXPECT_EQ(text.rfind("POS1…POS8, POE1 — Число в позиции тиража\n=====", 0), 0u) << text;
    EXPECT_NE(text.find("\nЗначения\n--------\n\n1. POS1…POS8: числа 1…20.\n2. POE1"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("    POS3 = 7\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("<"), std::string::npos) << text;
    EXPECT_EQ(text.find("Содержание"), std::string::npos) << text;
}

}  // namespace
}  // namespace zentrix
