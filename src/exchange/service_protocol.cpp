#include "exchange/service_protocol.h"

#include <ctime>

#include "exchange/http_helpers.h"
#include "exchange/text_extract.h"
#include "util/base64.h"
#include "util/cp1251.h"
#include "util/format.h"
#include "util/service_text.h"
#include "util/strings.h"

namespace zentrix {

std::string EscapedField(std::string_view name, std::string_view text) {
    return std::string(name) + "=" + FormEncode(EscapeServiceText(Utf8ToCp1251(text)));
}

std::string PlainField(std::string_view name, std::string_view value) {
    return std::string(name) + "=" + FormEncode(value);
}

std::string IntField(std::string_view name, long long value) {
    return std::string(name) + "=" + std::to_string(value);
}

std::vector<std::string> IdentityFields(const TServiceIdentity& identity, int lcid) {
    return {PlainField("appid", identity.appId),         PlainField("appver", identity.appVersion),
            PlainField("hwdid", identity.computerId),    EscapedField("cl_name", identity.userName),
            EscapedField("cl_mail", identity.userEmail), IntField("cl_lcid", lcid)};
}

std::string PostService(const TServiceTarget& target, std::string_view script,
                        const std::vector<std::string>& fields) {
    std::string base = target.baseUrl;
    while (!base.empty() && base.back() == '/') base.pop_back();
    return HttpPostForm(base + "/scripts/" + std::string(script), fields, true, target.options);
}

bool HasResult(std::string_view reply) {
    std::string lower(reply);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower.find("<result>") != std::string::npos;
}

std::vector<std::string> ReplyRows(std::string_view reply) {
    std::string result = ExtractBetween(reply, "<result>", "</result>", TMissingEnd::Raise);
    std::vector<std::string> rows;
    while (true) {
        std::string row = CutBetween(result, "<row>", "</row>", TMissingEnd::Raise);
        if (row.empty()) break;
        const std::string error = ExtractBetween(row, "<error>", "</error>", TMissingEnd::Raise);
        if (!error.empty()) throw EServiceRefusal(error);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string Element(std::string_view row, std::string_view name) {
    const std::string open = "<" + std::string(name) + ">";
    const std::string close = "</" + std::string(name) + ">";
    return ExtractBetween(row, open, close, TMissingEnd::Raise);
}

int32_t IntElement(std::string_view row, std::string_view name) {
    const std::string text = Element(row, name);
    const auto value = TryStrToInt(text);
    if (!value)
        throw EConvertError(
            Format("Неверное целое значение \"%s\" элемента <%s>", {text, std::string(name)}));
    return *value;
}

int32_t IntElementDef(std::string_view row, std::string_view name, int32_t fallback) {
    return TryStrToInt(Element(row, name)).value_or(fallback);
}

std::string Base64TextElement(std::string_view row, std::string_view name) {
    const auto bytes = Base64Decode(Element(row, name));
    if (!bytes) throw EConvertError(Format("Неверное значение элемента <%s>", {std::string(name)}));
    return IsValidUtf8(*bytes) ? *bytes : Cp1251ToUtf8(*bytes);
}

std::string Utf8Element(std::string_view row, std::string_view name) {
    const std::string text = Element(row, name);
    return IsValidUtf8(text) ? text : Cp1251ToUtf8(text);
}

TDateTime ServiceDate(std::string_view text) {
    const std::string t = Trim(text);
    if (t.empty()) return 0;
    auto part = [&](size_t from, size_t count) {
        const auto v = from + count <= t.size() ? TryStrToInt(t.substr(from, count)) : std::nullopt;
        if (!v) throw EConvertError(Format("Неверная дата: %s", {t}));
        return *v;
    };
    std::tm utc{};
    utc.tm_year = part(0, 4) - 1900;
    utc.tm_mon = part(5, 2) - 1;
    utc.tm_mday = part(8, 2);
    utc.tm_hour = part(11, 2);
    utc.tm_min = part(14, 2);
    utc.tm_sec = part(17, 2);
    if (!IsValidDate(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday) || utc.tm_hour > 23 ||
        utc.tm_min > 59 || utc.tm_sec > 59)
        throw EConvertError(Format("Неверная дата: %s", {t}));
    return UnixToLocalTime(timegm(&utc));
}

std::string ServiceDateText(TDateTime local) {
    const std::time_t when = static_cast<std::time_t>(LocalToUnixTime(local));
    std::tm utc{};
    gmtime_r(&when, &utc);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &utc);
    return buffer;
}

}  // namespace zentrix
