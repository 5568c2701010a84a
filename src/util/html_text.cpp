#include "util/html_text.h"

#include <algorithm>
#include <optional>

#include "util/strings.h"

namespace zentrix {

namespace {

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

bool IsSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\f';
}

bool IsNameChar(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           ch == '-' || ch == '_' || ch == ':';
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return out;
}

// The entity at text[i] ('&'): its name and length up to and including ';'.
std::optional<std::pair<std::string, size_t>> EntityAt(std::string_view text, size_t i) {
    const size_t end = text.find(';', i + 1);
    if (end == std::string_view::npos || end - i > 12 || end == i + 1) return std::nullopt;
    std::string_view name = text.substr(i + 1, end - i - 1);
    for (size_t k = 0; k < name.size(); ++k)
        if (!IsNameChar(name[k]) && !(k == 0 && name[k] == '#')) return std::nullopt;
    return std::make_pair(std::string(name), end - i + 1);
}

std::optional<std::string> EntityText(const std::string& name) {
    if (name == "amp") return "&";
    if (name == "lt") return "<";
    if (name == "gt") return ">";
    if (name == "quot") return "\"";
    if (name == "nbsp") return std::string(kNoBreakSpace);
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 6) return std::nullopt;
        uint32_t cp = 0;
        for (char ch : digits) {
            int d = -1;
            if (ch >= '0' && ch <= '9')
                d = ch - '0';
            else if (hex && ch >= 'a' && ch <= 'f')
                d = ch - 'a' + 10;
            else if (hex && ch >= 'A' && ch <= 'F')
                d = ch - 'A' + 10;
            if (d < 0) return std::nullopt;
            cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(d);
        }
        std::string out;
        AppendUtf8(out, cp == 0 ? 0xFFFD : cp);
        return out;
    }
    return std::nullopt;
}

// Reads the tag that starts at html[i] ('<'); returns the position after it.
size_t ReadTag(std::string_view html, size_t i, THtmlToken& tag) {
    size_t p = i + 1;
    if (p < html.size() && html[p] == '/') {
        tag.kind = THtmlToken::TKind::Close;
        ++p;
    } else {
        tag.kind = THtmlToken::TKind::Open;
    }
    const size_t nameStart = p;
    while (p < html.size() && IsNameChar(html[p])) ++p;
    tag.name = AsciiLower(html.substr(nameStart, p - nameStart));
    while (p < html.size()) {
        while (p < html.size() && IsSpace(html[p])) ++p;
        if (p >= html.size()) break;
        if (html[p] == '>') return p + 1;
        if (html[p] == '/') {
            tag.selfClosing = true;
            ++p;
            continue;
        }
        const size_t attrStart = p;
        while (p < html.size() && !IsSpace(html[p]) && html[p] != '=' && html[p] != '>' &&
               html[p] != '/')
            ++p;
        std::string attr = AsciiLower(html.substr(attrStart, p - attrStart));
        if (attr.empty()) {  // a character no attribute starts with
            ++p;
            continue;
        }
        std::string value;
        while (p < html.size() && IsSpace(html[p])) ++p;
        if (p < html.size() && html[p] == '=') {
            ++p;
            while (p < html.size() && IsSpace(html[p])) ++p;
            if (p < html.size() && (html[p] == '"' || html[p] == '\'')) {
                const char quote = html[p++];
                const size_t end = html.find(quote, p);
                const size_t stop = end == std::string_view::npos ? html.size() : end;
                value = DecodeHtmlEntities(html.substr(p, stop - p));
                p = end == std::string_view::npos ? html.size() : end + 1;
            } else {
                const size_t valueStart = p;
                while (p < html.size() && !IsSpace(html[p]) && html[p] != '>') ++p;
                value = DecodeHtmlEntities(html.substr(valueStart, p - valueStart));
            }
        }
        tag.attributes.emplace_back(std::move(attr), std::move(value));
    }
    return html.size();
}

}  // namespace

std::string THtmlToken::Attribute(std::string_view attribute) const {
    for (const auto& [name, value] : attributes)
        if (name == attribute) return value;
    return {};
}

std::string DecodeHtmlEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '&') {
            if (auto entity = EntityAt(text, i)) {
                if (auto decoded = EntityText(entity->first)) {
                    out += *decoded;
                    i += entity->second;
                    continue;
                }
            }
        }
        out += text[i++];
    }
    return out;
}

std::vector<std::string> HtmlEntityNames(std::string_view text) {
    std::vector<std::string> names;
    for (size_t i = text.find('&'); i != std::string_view::npos; i = text.find('&', i + 1))
        if (auto entity = EntityAt(text, i)) names.push_back(entity->first);
    return names;
}

std::vector<THtmlToken> TokenizeHtml(std::string_view html) {
    std::vector<THtmlToken> tokens;
    std::string text;
    auto flushText = [&] {
        if (text.empty()) return;
        THtmlToken t;
        t.text = DecodeHtmlEntities(text);
        tokens.push_back(std::move(t));
        text.clear();
    };
    for (size_t i = 0; i < html.size();) {
        if (html[i] != '<') {
            text += html[i++];
            continue;
        }
        if (html.substr(i, 4) == "<!--") {
            flushText();
            const size_t end = html.find("-->", i + 4);
            THtmlToken t;
            t.kind = THtmlToken::TKind::Comment;
            tokens.push_back(std::move(t));
            i = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        const char next = i + 1 < html.size() ? html[i + 1] : '\0';
        if (next == '!' || next == '?') {
            flushText();
            const size_t end = html.find('>', i);
            THtmlToken t;
            t.kind = THtmlToken::TKind::Declaration;
            t.text = std::string(
                html.substr(i, end == std::string_view::npos ? html.npos : end - i + 1));
            tokens.push_back(std::move(t));
            i = end == std::string_view::npos ? html.size() : end + 1;
            continue;
        }
        const bool isTag = (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') ||
                           (next == '/' && i + 2 < html.size() &&
                            ((html[i + 2] >= 'a' && html[i + 2] <= 'z') ||
                             (html[i + 2] >= 'A' && html[i + 2] <= 'Z')));
        if (!isTag) {
            text += html[i++];
            continue;
        }
        flushText();
        THtmlToken tag;
        i = ReadTag(html, i, tag);
        tokens.push_back(std::move(tag));
    }
    flushText();
    return tokens;
}

namespace {

// Builds the plain text block by block.
class TTextWriter {
  public:
    explicit TTextWriter(size_t width) : width_(std::max<size_t>(width, 20)) {}

    void Token(const THtmlToken& t) {
        using K = THtmlToken::TKind;
        if (t.kind == K::Text) return Text(t.text);
        if (t.kind != K::Open && t.kind != K::Close) return;
        const bool open = t.kind == K::Open;
        const std::string& n = t.name;
        if (n == "head" || n == "script" || n == "style" || n == "title") {
            hidden_ += open ? 1 : (hidden_ > 0 ? -1 : 0);
            return;
        }
        if (n == "p" && open && t.Attribute("class") == "nav") {
            Flush();
            navHidden_ = true;
            return;
        }
        if (n == "p" && !open && navHidden_) {
            navHidden_ = false;
            inline_.clear();
            return;
        }
        if (n == "br") return Inline("\n");
        if (n == "a") {
            if (open) {
                href_ = t.Attribute("href");
            } else if (href_.rfind("http", 0) == 0) {
                Inline(" <" + href_ + ">");
                href_.clear();
            }
            return;
        }
        if (n == "pre") {
            Flush();
            pre_ = open;
            if (!open) EmitPre();
            return;
        }
        if (n == "td" || n == "th") {
            if (open) {
                cell_ = std::string();
                if (rows_.empty()) rows_.push_back({});
            } else {
                EndCell();
            }
            if (open && n == "th") headerRow_ = true;
            return;
        }
        if (n == "tr") {
            EndCell();
            if (open) {
                rows_.push_back({});
                header_.push_back(false);
                headerRow_ = false;
            } else if (!header_.empty()) {
                header_.back() = headerRow_;
            }
            return;
        }
        if (n == "table") {
            Flush();
            EndCell();
            if (!open) EmitTable();
            rows_.clear();
            header_.clear();
            inTable_ = open;
            return;
        }
        if (n == "ul" || n == "ol") {
            Flush();
            if (open)
                lists_.push_back({n == "ol", 0});
            else if (!lists_.empty())
                lists_.pop_back();
            return;
        }
        if (n == "li") {
            Flush();
            if (open && !lists_.empty()) ++lists_.back().count;
            item_ = open;
            return;
        }
        if (n == "h1" || n == "h2" || n == "h3" || n == "p" || n == "div" || n == "body" ||
            n == "html") {
            Flush();
            heading_ = open && n[0] == 'h' && n.size() == 2 ? n[1] - '0' : 0;
        }
    }

    std::string Result() {
        Flush();
        EndCell();
        if (!rows_.empty()) EmitTable();
        std::string out;
        for (const std::string& line : lines_) out += line + "\n";
        return out;
    }

  private:
    struct TList {
        bool ordered;
        int count;
    };

    void Text(const std::string& text) {
        if (hidden_ > 0 || navHidden_) return;
        if (pre_) {
            preText_ += text;
            return;
        }
        std::string collapsed;
        for (char ch : text) {
            if (IsSpace(ch)) {
                if (collapsed.empty() || collapsed.back() != ' ') collapsed += ' ';
            } else {
                collapsed += ch;
            }
        }
        Inline(collapsed);
    }

    void Inline(const std::string& text) {
        std::string& target = cell_ ? *cell_ : inline_;
        if (cell_ && text == "\n") {
            target += ' ';
            return;
        }
        for (char ch : text) {
            if (ch == ' ' && (target.empty() || target.back() == ' ' || target.back() == '\n'))
                continue;
            if (ch == '\n' && !target.empty() && target.back() == ' ') target.pop_back();
            target += ch;
        }
    }

    void EndCell() {
        if (!cell_) return;
        if (rows_.empty()) rows_.push_back({});
        std::string cell = Trim(*cell_);
        ReplaceNoBreak(cell);
        rows_.back().push_back(std::move(cell));
        cell_.reset();
    }

    static void ReplaceNoBreak(std::string& text) {
        for (size_t p = text.find(kNoBreakSpace); p != std::string::npos;
             p = text.find(kNoBreakSpace, p))
            text.replace(p, kNoBreakSpace.size(), " ");
    }

    void BlankLine() {
        if (!lines_.empty() && !lines_.back().empty()) lines_.push_back({});
    }

    // The paragraph's words wrapped: the first line after `first`, the others after `rest`; a
    // line break starts a new line.
    void Wrap(const std::string& text, const std::string& first, const std::string& rest) {
        bool firstLine = true;
        for (const std::string& part : SplitAny(text, "\n", true)) {
            std::string line = firstLine ? first : rest;
            firstLine = false;
            size_t length = Utf8Length(line);
            bool lineEmpty = true;
            for (const std::string& word : SplitAny(part, " ")) {
                const size_t w = Utf8Length(word);
                if (!lineEmpty && length + 1 + w > width_) {
                    Push(line);
                    line = rest;
                    length = Utf8Length(line);
                    lineEmpty = true;
                }
                if (!lineEmpty) {
                    line += ' ';
                    ++length;
                }
                line += word;
                length += w;
                lineEmpty = false;
            }
            Push(line);
        }
    }

    void Push(std::string line) {
        ReplaceNoBreak(line);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines_.push_back(std::move(line));
    }

    void Flush() {
        std::string text = Trim(inline_);
        inline_.clear();
        if (text.empty()) return;
        if (heading_ > 0) {
            BlankLine();
            ReplaceNoBreak(text);
            Push(text);
            if (heading_ <= 2)
                lines_.push_back(std::string(Utf8Length(text), heading_ == 1 ? '=' : '-'));
            lastItem_ = false;
            return;
        }
        if (item_ && !lists_.empty()) {
            if (!lastItem_) BlankLine();
            const std::string indent(2 * (lists_.size() - 1), ' ');
            const std::string marker =
                lists_.back().ordered ? std::to_string(lists_.back().count) + ". " : "- ";
            Wrap(text, indent + marker, indent + std::string(Utf8Length(marker), ' '));
            lastItem_ = true;
            return;
        }
        BlankLine();
        Wrap(text, "", "");
        lastItem_ = false;
    }

    void EmitPre() {
        std::vector<std::string> pre = SplitLines(preText_);
        preText_.clear();
        while (!pre.empty() && Trim(pre.front()).empty()) pre.erase(pre.begin());
        while (!pre.empty() && Trim(pre.back()).empty()) pre.pop_back();
        if (pre.empty()) return;
        BlankLine();
        for (const std::string& line : pre) Push("    " + line);
        lastItem_ = false;
    }

    void EmitTable() {
        std::vector<size_t> widths;
        for (const auto& row : rows_)
            for (size_t c = 0; c < row.size(); ++c) {
                if (widths.size() <= c) widths.push_back(0);
                widths[c] = std::max(widths[c], Utf8Length(row[c]));
            }
        if (widths.empty()) return;
        BlankLine();
        size_t total = 3 * (widths.size() - 1);
        for (size_t w : widths) total += w;
        if (total > width_) return EmitTableAsBlocks();
        for (size_t r = 0; r < rows_.size(); ++r) {
            if (rows_[r].empty()) continue;
            std::string line;
            for (size_t c = 0; c < rows_[r].size(); ++c) {
                if (c > 0) line += " | ";
                line += rows_[r][c];
                if (c + 1 < rows_[r].size())
                    line += std::string(widths[c] - Utf8Length(rows_[r][c]), ' ');
            }
            Push(line);
            if (r < header_.size() && header_[r]) {
                std::string rule;
                for (size_t c = 0; c < widths.size(); ++c)
                    rule += (c > 0 ? "-+-" : "") + std::string(widths[c], '-');
                Push(rule);
            }
        }
        lastItem_ = false;
    }

    // A table too wide for the terminal: each row's first cell on a line, the other cells
    // below it, indented and wrapped, after their column's heading when there is one.
    void EmitTableAsBlocks() {
        const std::vector<std::string>* heading =
            !header_.empty() && header_[0] && !rows_.empty() ? &rows_[0] : nullptr;
        for (size_t r = heading ? 1 : 0; r < rows_.size(); ++r) {
            const std::vector<std::string>& row = rows_[r];
            if (row.empty()) continue;
            Push(row[0]);
            for (size_t c = 1; c < row.size(); ++c) {
                std::string cell = row[c];
                if (heading && c < heading->size() && row.size() > 2 && !(*heading)[c].empty())
                    cell = (*heading)[c] + ": " + cell;
                Wrap(cell, "    ", "    ");
            }
        }
        lastItem_ = false;
    }

    size_t width_;
    std::vector<std::string> lines_;
    std::string inline_;
    std::optional<std::string> cell_;
    std::vector<std::vector<std::string>> rows_;
    std::vector<bool> header_;
    bool headerRow_ = false;
    bool inTable_ = false;
    std::vector<TList> lists_;
    std::string href_;
    std::string preText_;
    int hidden_ = 0;
    int heading_ = 0;
    bool navHidden_ = false;
    bool pre_ = false;
    bool item_ = false;
    bool lastItem_ = false;
};

}  // namespace

std::string HtmlToText(std::string_view html, size_t width) {
    TTextWriter writer(width);
    for (const THtmlToken& token : TokenizeHtml(html)) writer.Token(token);
    return writer.Result();
}

}  // namespace zentrix
