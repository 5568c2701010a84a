#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zentrix {

// One piece of a help page: a tag or a run of text (entities decoded).
struct THtmlToken {
    enum class TKind { Text, Open, Close, Declaration, Comment };
    TKind kind = TKind::Text;
    std::string name;                                             // tag name in lower case
    std::vector<std::pair<std::string, std::string>> attributes;  // names in lower case
    std::string text;                                             // Text: the decoded text
    bool selfClosing = false;

    // The attribute's value; empty when absent.
    std::string Attribute(std::string_view attribute) const;
};

// Splits a page into tags and texts. Never fails: a stray "<" is text, an unterminated tag ends
// the page.
std::vector<THtmlToken> TokenizeHtml(std::string_view html);

// Decodes &amp; &lt; &gt; &quot; &nbsp; (a no-break space) and numeric references; anything else
// stays as written.
std::string DecodeHtmlEntities(std::string_view text);
// The entity names found in the text, in order ("amp", "#233", ...).
std::vector<std::string> HtmlEntityNames(std::string_view text);

// A help page as plain text for a terminal: headings underlined, paragraphs wrapped at `width`
// columns, lists with markers, tables as aligned columns, external links followed by their
// address; the head and the navigation line (p class="nav") are left out.
std::string HtmlToText(std::string_view html, size_t width = 78);

}  // namespace zentrix
