#include "exchange/script_catalog.h"

#include <cstdlib>

#include "exchange/update_description.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

std::string JoinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

std::vector<std::string> WithIdentity(std::vector<std::string> fields,
                                      const TServiceIdentity& identity, int lcid) {
    for (auto& f : IdentityFields(identity, lcid)) fields.push_back(std::move(f));
    return fields;
}

// The "scr_putscript" fields; the scenario text only when saving.
std::vector<std::string> PutFields(const TServiceIdentity& identity, const TScriptData& data,
                                   const std::string* script) {
    std::vector<std::string> fields = {
        IntField("del_mode", script ? 0 : 1),
        IntField("scr_id", data.Id),
        IntField("scr_uniapps", data.Universal ? 1 : 0),
        IntField("scr_publics", data.Public ? 1 : 0),
        EscapedField("scr_title", data.Title),
        EscapedField("scr_descr", data.Descr),
    };
    if (script) fields.push_back(EscapedField("scr_script", *script));
    fields.push_back(PlainField("appid", identity.appId));
    fields.push_back(PlainField("appver", identity.appVersion));
    fields.push_back(PlainField("hwdid", identity.computerId));
    fields.push_back(EscapedField("cl_name", data.Author));
    fields.push_back(EscapedField("cl_mail", identity.userEmail));
    fields.push_back(IntField("cl_lcid", data.Lcid));
    return fields;
}

int32_t LastId(const std::string& reply) {
    int32_t id = -1;
    for (const auto& row : ReplyRows(reply)) id = IntElement(row, "id_scripts");
    return id;
}

}  // namespace

TScriptData ScriptDataOf(const TScriptInfo& e) {
    return {e.Id, e.Author, e.Lcid, e.Universal, e.Public, e.Title, e.Descr};
}

void ApplyScriptData(const TScriptData& d, TScriptInfo& e) {
    e.Author = d.Author;
    e.Lcid = d.Lcid;
    e.Universal = d.Universal;
    e.Public = d.Public;
    e.Title = d.Title;
    e.Descr = d.Descr;
}

const std::vector<std::string>& CatalogFilterNames() {
    static const std::vector<std::string> names = {
        "Скрытые",
        "Все, включая скрытые",
        "Все, кроме скрытых (по умолчанию)",
        "Только мои",
        "Только публичные",
        "С моими оценками",
        "Без моих оценок",
        "Новые (24 часа с момента публикации)",
    };
    return names;
}

long double LenientRating(std::string_view text) {
    std::string kept;
    for (char c : text)
        if (c == '-' || (c >= '0' && c <= '9'))
            kept += c;
        else if (c == '.' || c == ',')
            kept += '.';
    if (kept.find_first_of("0123456789") == std::string::npos) return 0;
    char* end = nullptr;
    const long double v = std::strtold(kept.c_str(), &end);
    return end && *end == '\0' ? v : 0;
}

void LoadCatalog(const TServiceTarget& target, const TServiceIdentity& identity, int filterId,
                 int lcid, std::vector<TScriptInfo>& list) {
    ParseCatalogReply(PostService(target, "scr_getlist.php",
                                  WithIdentity({IntField("fltid", filterId)}, identity, lcid)),
                      identity, lcid, list);
}

void ParseCatalogReply(std::string_view reply, const TServiceIdentity& identity, int lcid,
                       std::vector<TScriptInfo>& list) {
    for (const auto& row : ReplyRows(reply)) {
        TScriptInfo e;
        e.Id = IntElement(row, "id");
        e.AppName = Element(row, "app_name");
        e.AppVersion = Element(row, "app_ver");
        e.Author = Utf8Element(row, "key_cl_name");
        e.AuthorMail = Utf8Element(row, "key_cl_mail");
        e.Lcid = IntElementDef(row, "key_cl_lcid", lcid);
        e.Universal = IntElementDef(row, "uniapps", 0) > 0;
        e.Public = IntElementDef(row, "publics", 0) > 0;
        e.Created = ServiceDate(Element(row, "created"));
        e.RatingAvg = LenientRating(Element(row, "rating_avg"));
        e.RatingCount = IntElementDef(row, "rating_cnt", 0);
        e.MyRating = IntElementDef(row, "rating_you", 0);
        e.Downloads = IntElementDef(row, "downloads", 0);
        e.LastDownload = ServiceDate(Element(row, "last_download"));
        e.Title = Base64TextElement(row, "title");
        e.Descr = Base64TextElement(row, "descr");
        e.Mine = !identity.userEmail.empty() && SameText(e.AuthorMail, identity.userEmail);
        e.Compatible = e.Universal || SameText(Element(row, "app_guid"), identity.appId);
        e.MineCompatible = e.Mine && e.Compatible;
        list.push_back(std::move(e));
    }
}

bool DownloadScript(const TServiceTarget& target, const TServiceIdentity&, int32_t id,
                    std::vector<std::string>& lines) {
    return ParseScriptReply(PostService(target, "scr_getdata.php", {IntField("scr_id", id)}),
                            lines);
}

bool ParseScriptReply(std::string_view reply, std::vector<std::string>& lines) {
    bool lastWasScript = false;
    for (const auto& row : ReplyRows(reply)) {
        lastWasScript = row.size() >= 8 && SameText(std::string_view(row).substr(0, 8), "<script>");
        if (!lastWasScript) continue;
        std::vector<std::string> read = SplitLines(Base64TextElement(row, "script"));
        if (read.empty()) continue;
        lines = std::move(read);
        break;
    }
    return lastWasScript;
}

bool RateScript(const TServiceTarget& target, const TServiceIdentity& identity, int32_t id,
                int value, int lcid, const std::string& comment) {
    const std::string reply =
        PostService(target, "scr_setrate.php",
                    WithIdentity({IntField("scr_id", id), IntField("rate_value", value),
                                  EscapedField("rate_notes", comment)},
                                 identity, lcid));
    if (!HasResult(reply)) return false;
    int32_t code = -1;
    for (const auto& row : ReplyRows(reply)) code = IntElement(row, "res_code");
    if (code < 0) throw EServiceRefusal(Format("Код возврата: %d", {code}));
    return true;
}

bool IsTitleFree(const TServiceTarget& target, int32_t id, const std::string& title) {
    const std::string reply =
        PostService(target, "scr_chktitle.php",
                    {IntField("scr_id", id), EscapedField("scr_title", Trim(title))});
    for (const auto& row : ReplyRows(reply))
        if (IntElement(row, "ret_code") == 0) return true;
    return false;
}

int32_t PutScript(const TServiceTarget& target, const TServiceIdentity& identity,
                  const TScriptData& data, const std::vector<std::string>& lines) {
    const std::string script = JoinedLines(lines);
    return LastId(PostService(target, "scr_putscript.php", PutFields(identity, data, &script)));
}

int32_t RemoveScript(const TServiceTarget& target, const TServiceIdentity& identity,
                     const TScriptData& data) {
    return LastId(PostService(target, "scr_putscript.php", PutFields(identity, data, nullptr)));
}

std::vector<TScriptRate> LoadScriptRates(const TServiceTarget& target, int32_t id) {
    return ParseRatesReply(PostService(target, "scr_getrates.php", {IntField("scr_id", id)}));
}

std::vector<TScriptRate> ParseRatesReply(std::string_view reply) {
    std::vector<TScriptRate> rates;
    for (const auto& row : ReplyRows(reply))
        rates.push_back({Utf8Element(row, "key_cl_name"), Element(row, "rate"),
                         ServiceDate(Element(row, "created")), Element(row, "app_name"),
                         Element(row, "app_ver"), Utf8Element(row, "notes")});
    return rates;
}

const std::vector<std::string>& CatalogColumns() {
    static const std::vector<std::string> columns = {
        "Тип",     "Название", "Автор",       "Программа", "Версия",    "Язык",       "Создан",
        "Рейтинг", "Оценок",   "Ваша оценка", "Загрузок",  "Последняя", "Комментарии"};
    return columns;
}

std::string CatalogDateText(TDateTime t) {
    if (t <= 0) return "";
    const TDateParts p = DecodeDateTime(t);
    return Format("%.4d-%.2d-%.2d %.2d:%.2d:%.2d",
                  {p.year, p.month, p.day, p.hour, p.minute, p.second});
}

std::vector<std::string> CatalogRowTexts(const TScriptInfo& e) {
    const std::string my = e.MyRating < 0    ? "Скрытый"
                           : e.MyRating == 0 ? ""
                                             : std::to_string(e.MyRating);
    return {e.Mine ? "Мой" : "Общий",
            e.Title,
            e.Author,
            e.Universal ? "Универсальный" : e.AppName,
            e.AppVersion,
            LanguageAbbreviation(e.Lcid),
            CatalogDateText(e.Created),
            Format("%.3n", {e.RatingAvg}),
            std::to_string(e.RatingCount),
            my,
            std::to_string(e.Downloads),
            CatalogDateText(e.LastDownload),
            e.Descr};
}

}  // namespace zentrix
