#include "support/xlsx_read.h"

#include <cstdio>

namespace zentrix::test {

namespace {

std::string Quoted(const std::string& text) {
    std::string q = "'";
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Unescaped(std::string text) {
    const std::pair<std::string, std::string> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (size_t at; (at = text.find(from)) != std::string::npos;)
            text.replace(at, from.size(), to);
    return text;
}

// The text after the tag that starts at `from`, up to `close`; empty when there is none.
std::string Between(const std::string& xml, size_t from, const std::string& close) {
    const size_t start = xml.find('>', from);
    const size_t end = xml.find(close, start);
    if (start == std::string::npos || end == std::string::npos) return {};
    return xml.substr(start + 1, end - start - 1);
}

// The value of attribute `name` in the tag starting at `at`.
std::string Attribute(const std::string& xml, size_t at, const std::string& name) {
    const size_t tagEnd = xml.find('>', at);
    const size_t pos = xml.find(" " + name + "=\"", at);
    if (pos == std::string::npos || pos > tagEnd) return {};
    const size_t begin = pos + name.size() + 3;
    return xml.substr(begin, xml.find('"', begin) - begin);
}

}  // namespace

std::string XlsxPart(const std::string& path, const std::string& member) {
    const std::string command = "unzip -p " + Quoted(path) + " " + Quoted(member) + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
    return text;
}

std::vector<std::string> SheetCells(const std::string& path) {
    std::vector<std::string> shared;
    const std::string strings = XlsxPart(path, "xl/sharedStrings.xml");
    for (size_t at = strings.find("<si>"); at != std::string::npos;
         at = strings.find("<si>", at + 1))
        shared.push_back(Unescaped(Between(strings, strings.find("<t", at), "</t>")));
    const std::string sheet = XlsxPart(path, "xl/worksheets/sheet1.xml");
    std::vector<std::string> cells;
    for (size_t at = sheet.find("<c "); at != std::string::npos; at = sheet.find("<c ", at + 1)) {
        const size_t tagEnd = sheet.find('>', at);
        if (tagEnd == std::string::npos || sheet[tagEnd - 1] == '/') continue;  // a blank cell
        const std::string type = Attribute(sheet, at, "t");
        std::string text;
        if (type == "inlineStr") {
            text = Unescaped(Between(sheet, sheet.find("<t", tagEnd), "</t>"));
        } else if (type == "s") {
            const size_t index = std::stoul(Between(sheet, sheet.find("<v", tagEnd), "</v>"));
            text = index < shared.size() ? shared[index] : "?";
        } else {
            continue;
        }
        cells.push_back(Attribute(sheet, at, "r") + "=" + text);
    }
    return cells;
}

std::vector<std::string> ColumnWidths(const std::string& path) {
    const std::string sheet = XlsxPart(path, "xl/worksheets/sheet1.xml");
    std::vector<std::string> widths;
    for (size_t at = sheet.find("<col "); at != std::string::npos; at = sheet.find("<col ", at + 1))
        widths.push_back(Attribute(sheet, at, "width"));
    return widths;
}

}  // namespace zentrix::test
