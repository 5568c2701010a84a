#include "exchange/systems_catalog.h"

#include "exchange/script_catalog.h"
#include "util/base64.h"
#include "util/cp1251.h"
#include "util/format.h"
#include "util/service_text.h"
#include "util/strings.h"

namespace zentrix {

bool LoadSystemList(const TServiceTarget& target, const TServiceIdentity& identity,
                    std::vector<TSystemInfo>& list) {
    std::vector<std::string> fields = {IntField("comblen", 8), IntField("maxnums", 20)};
    for (auto& f : IdentityFields(identity, identity.lcid)) fields.push_back(std::move(f));
    return ParseSystemListReply(PostService(target, "sys_getlist.php", fields), list);
}

bool ParseSystemListReply(std::string_view reply, std::vector<TSystemInfo>& list) {
    if (!HasResult(reply)) return false;
    for (const auto& row : ReplyRows(reply)) {
        TSystemInfo s;
        s.id = IntElement(row, "id");
        const int32_t nums = IntElement(row, "nums"), olap = IntElement(row, "olap");
        if (nums < 0 || nums > 255 || olap < 0 || olap > 255)
            throw EConvertError(Format("Неверное описание системы #%d", {s.id}));
        s.nums = static_cast<uint8_t>(nums);
        s.olap = static_cast<uint8_t>(olap);
        s.csize = IntElement(row, "csize");
        s.title = Base64TextElement(row, "title");
        s.descr = Base64TextElement(row, "descr");
        s.author = Utf8Element(row, "author");
        s.ownerMail = Utf8Element(row, "cl_mail");
        s.url = Utf8Element(row, "url");
        s.created = ServiceDate(Element(row, "created"));
        s.lastDownload = ServiceDate(Element(row, "last_download"));
        s.downloads = IntElementDef(row, "downloads", 0);
        list.push_back(std::move(s));
    }
    return true;
}

std::vector<std::string> DownloadSystemLines(const TServiceTarget& target,
                                             const TSystemInfo& info) {
    return ParseSystemLinesReply(
        PostService(target, "sys_getdata.php", {IntField("sys_id", info.id)}), info.csize);
}

std::vector<std::string> ParseSystemLinesReply(std::string_view reply, int32_t csize) {
    std::vector<std::string> lines;
    for (const auto& row : ReplyRows(reply)) {
        lines = SplitLines(Base64TextElement(row, "clist"));
        if (!lines.empty()) break;
    }
    if (static_cast<int32_t>(lines.size()) != csize)
        throw EZentrix(Format(
            "Количество скачанных комбинаций ( %d ) отличается от ожидаемого значения ( %d )",
            {static_cast<int>(lines.size()), csize}));
    return lines;
}

int32_t PutSystem(const TServiceTarget& target, const TServiceIdentity& identity,
                  const TSystemData& system, bool remove) {
    const TSystemInfo& s = system.info;
    std::vector<std::string> fields = {
        IntField("del_mode", remove ? 1 : 0),
        IntField("sys_id", s.id),
        IntField("nums", s.nums),
        IntField("clen", 8),
        IntField("olap", s.olap),
        EscapedField("title", s.title),
        EscapedField("descr", s.descr),
        IntField("csize", s.csize),
        remove ? std::string("clist=")
               : PlainField("clist", Base64Encode(EscapeServiceText(Utf8ToCp1251(system.list)))),
        PlainField("url", s.url),
        PlainField("appid", identity.appId),
        PlainField("appver", identity.appVersion),
        PlainField("hwdid", identity.computerId),
        EscapedField("cl_name", s.author),
        EscapedField("cl_mail", s.ownerMail),
        IntField("cl_lcid", identity.lcid),
    };
    const std::string reply = PostService(target, "sys_putdata.php", fields);
    for (const auto& row : ReplyRows(reply)) {
        const int32_t id = IntElementDef(row, "id_systems", -1);
        if (id >= 0) return id;
    }
    return -1;
}

const std::vector<std::string>& SystemColumns() {
    static const std::vector<std::string> columns = {
        "Название", "Автор",    "Числа",     "Блок",        "Комбинаций", "Дата создания",
        "Статус",   "Загрузок", "Последняя", "Комментарии", "Ссылка"};
    return columns;
}

std::vector<std::string> SystemRowTexts(const TSystemInfo& s, bool downloaded) {
    const bool real = s.id > 0;
    return {s.title,
            s.author,
            real ? Format("%.2d", {static_cast<int>(s.nums)}) : "",
            real ? std::to_string(s.olap) : "",
            real ? std::to_string(s.csize) : "",
            CatalogDateText(s.created),
            downloaded ? "Загружена" : "",
            real ? std::to_string(s.downloads) : "",
            CatalogDateText(s.lastDownload),
            s.descr,
            s.url};
}

bool IsOwnSystem(const TSystemInfo& info, const std::string& userEmail) {
    return !Trim(userEmail).empty() && SameText(Trim(info.ownerMail), Trim(userEmail));
}

}  // namespace zentrix

namespace zentrix {

namespace {
constexpr std::string_view kSeparators = " *+,-./:;=\\_|~";
}

TNormalizedList NormalizeSystemList(std::string_view text) {
    std::vector<std::string> kept;
    int lo = 0, hi = 0;
    for (const auto& line : SplitLines(text)) {
        const auto words = SplitAny(line, kSeparators);
        if (Trim(line).empty() || words.size() != 8) continue;
        std::string out;
        bool good = true;
        for (const auto& w : words) {
            const auto n = TryStrToInt(w);
            if (!n || *n < 0 || *n > 99) {
                good = false;
                break;
            }
            out += (out.empty() ? "" : " ") + Format("%.2d", {*n});
            lo = lo == 0 && hi == 0 ? *n : std::min(lo, *n);
            hi = std::max(hi, *n);
        }
        if (good) kept.push_back(out);
    }
    TNormalizedList r;
    for (const auto& k : kept) r.text += k + "\r\n";
    r.csize = static_cast<int>(kept.size());
    r.nums = kept.empty() ? 0 : hi - lo + 1;
    return r;
}

std::optional<std::string> CheckSystemData(const TSystemData& system) {
    const TSystemInfo& s = system.info;
    if (Trim(s.title).empty()) return "Название системы должно быть указано обязательно!";
    if (s.nums < 9 || s.nums > 20) return "Указано недопустмое количество используемых чисел!";
    if (s.olap > 7) return "Указан недопустмый размер блока!";
    if (Trim(s.author).empty()) return "Имя автора должно быть указано обязательно!";
    if (Trim(s.descr).empty()) return "Описание системы должно быть указано обязательно!";
    if (Trim(system.list).empty()) return "Содержимое системы должно быть указано обязательно!";
    return std::nullopt;
}

}  // namespace zentrix
