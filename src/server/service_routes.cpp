#include "server/service_routes.h"

#include <cstdio>
#include <functional>

#include "server/service_reply.h"
#include "util/base64.h"
#include "util/cp1251.h"
#include "util/service_text.h"
#include "util/strings.h"

namespace zentrix::server {

namespace {

// Longest accepted values, in bytes of the single-byte text the client sends.
constexpr size_t kShortLimit = 64;
constexpr size_t kMailLimit = 128;
constexpr size_t kUrlLimit = 512;
constexpr size_t kDescrLimit = 8000;
constexpr size_t kNotesLimit = 2000;
constexpr size_t kBodyLimit = 1 << 20;

class TForm {
  public:
    explicit TForm(const TFormFields& fields) : fields_(fields) {}

    // The raw value; a missing field is empty.
    std::string Raw(const char* name, size_t limit) const {
        const auto it = fields_.find(name);
        if (it == fields_.end()) return {};
        if (it->second.size() > limit)
            throw ERefused(std::string("Слишком длинное значение поля \"") + name + "\"");
        return it->second;
    }
    // A text the client escaped, as UTF-8.
    std::string Escaped(const char* name, size_t limit) const {
        return Cp1251ToUtf8(UnescapeServiceText(Raw(name, limit)));
    }
    // A text that goes back in a plain reply element: no marks, no control characters.
    std::string Plain(const char* name, size_t limit, bool escaped) const {
        std::string text = escaped ? Escaped(name, limit) : Cp1251ToUtf8(Raw(name, limit));
        for (char c : text)
            if (c == '<' || c == '>' || (static_cast<unsigned char>(c) < 32))
                throw ERefused(std::string("Недопустимые символы в поле \"") + name + "\"");
        return text;
    }
    int64_t Int(const char* name) const {
        const auto value = TryStrToInt(Trim(Raw(name, 32)));
        if (!value) throw ERefused(std::string("Неверное значение поля \"") + name + "\"");
        return *value;
    }
    TCaller Caller() const {
        TCaller c;
        c.name = Plain("cl_name", kShortLimit, true);
        c.mail = Plain("cl_mail", kMailLimit, true);
        c.appId = Plain("appid", kShortLimit, false);
        c.appVersion = Plain("appver", kShortLimit, false);
        c.computerId = Plain("hwdid", kShortLimit, false);
        const auto it = fields_.find("cl_lcid");
        c.lcid = it == fields_.end() ? 0 : StrToIntDef(Trim(it->second), 0);
        return c;
    }

  private:
    const TFormFields& fields_;
};

std::string Rating(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
}

std::string ListScripts(TCatalogStore& store, const TForm& form) {
    const int64_t filter = form.Int("fltid");
    if (filter < -1 || filter > 6) throw ERefused("Неизвестный фильтр каталога");
    std::vector<TReplyRow> rows;
    for (const auto& e : store.ListScripts(static_cast<TScriptFilter>(filter), form.Caller())) {
        TReplyRow r;
        r.Add("id", e.id).Add("app_name", e.appName).Add("app_ver", e.appVersion);
        r.Add("app_guid", e.appGuid).Add("key_cl_name", e.author).Add("key_cl_mail", e.authorMail);
        r.Add("key_cl_lcid", e.lcid).Add("uniapps", e.universal ? 1 : 0);
        r.Add("publics", e.isPublic ? 1 : 0).Add("created", e.created);
        r.Add("rating_avg", Rating(e.ratingAvg)).Add("rating_cnt", e.ratingCount);
        r.Add("rating_you", e.myRating).Add("downloads", e.downloads);
        r.Add("last_download", e.lastDownload).Add("title", Base64Encode(e.title));
        r.Add("descr", Base64Encode(e.descr));
        rows.push_back(std::move(r));
    }
    return ReplyText(rows);
}

std::string GetScript(TCatalogStore& store, const TForm& form) {
    const auto script = store.DownloadScript(form.Int("scr_id"), form.Caller());
    if (!script) throw ERefused("Сценарий не найден в каталоге");
    return ReplyText({TReplyRow().Add("script", Base64Encode(*script))});
}

std::string SetRate(TCatalogStore& store, const TForm& form) {
    const int64_t value = form.Int("rate_value");
    if (value < -1 || value > 5) throw ERefused("Недопустимая оценка");
    store.RateScript(form.Int("scr_id"), static_cast<int>(value),
                     form.Escaped("rate_notes", kNotesLimit), form.Caller());
    return ReplyText({TReplyRow().Add("res_code", 0)});
}

std::string CheckTitle(TCatalogStore& store, const TForm& form) {
    const bool free = store.IsTitleFree(form.Int("scr_id"), form.Escaped("scr_title", kShortLimit));
    return ReplyText({TReplyRow().Add("ret_code", free ? 0 : 1)});
}

std::string PutScript(TCatalogStore& store, const TForm& form) {
    const int64_t mode = form.Int("del_mode");
    const TCaller caller = form.Caller();
    if (mode == 1) {
        store.RemoveScript(form.Int("scr_id"), caller);
        return ReplyText({TReplyRow().Add("id_scripts", 0)});
    }
    if (mode != 0) throw ERefused("Неверное значение поля \"del_mode\"");
    TScriptPut put;
    put.id = form.Int("scr_id");
    put.universal = form.Int("scr_uniapps") > 0;
    put.isPublic = form.Int("scr_publics") > 0;
    put.title = form.Escaped("scr_title", kShortLimit);
    put.descr = form.Escaped("scr_descr", kDescrLimit);
    put.script = form.Escaped("scr_script", kBodyLimit);
    return ReplyText({TReplyRow().Add("id_scripts", store.PutScript(put, caller))});
}

std::string GetRates(TCatalogStore& store, const TForm& form) {
    std::vector<TReplyRow> rows;
    for (const auto& r : store.ScriptRates(form.Int("scr_id"))) {
        TReplyRow row;
        row.Add("key_cl_name", r.name).Add("rate", r.rate).Add("created", r.created);
        row.Add("app_name", r.appName).Add("app_ver", r.appVersion);
        // A comment may hold anything; its marks would end the element early.
        std::string notes;
        for (char c : r.notes) notes += c == '<' ? '(' : c == '>' ? ')' : c;
        row.Add("notes", notes);
        rows.push_back(std::move(row));
    }
    return ReplyText(rows);
}

std::string ListSystems(TCatalogStore& store, const TForm&) {
    std::vector<TReplyRow> rows;
    for (const auto& e : store.ListSystems()) {
        TReplyRow r;
        r.Add("id", e.id).Add("nums", e.nums).Add("olap", e.olap).Add("csize", e.csize);
        r.Add("title", Base64Encode(e.title)).Add("descr", Base64Encode(e.descr));
        r.Add("author", e.author).Add("cl_mail", e.ownerMail).Add("url", e.url);
        r.Add("created", e.created).Add("last_download", e.lastDownload);
        r.Add("downloads", e.downloads);
        rows.push_back(std::move(r));
    }
    return ReplyText(rows);
}

std::string GetSystem(TCatalogStore& store, const TForm& form) {
    const auto clist = store.DownloadSystem(form.Int("sys_id"));
    if (!clist) throw ERefused("Система не найдена в каталоге");
    return ReplyText({TReplyRow().Add("clist", Base64Encode(*clist))});
}

std::string PutSystem(TCatalogStore& store, const TForm& form) {
    const int64_t mode = form.Int("del_mode");
    const TCaller caller = form.Caller();
    if (mode == 1) {
        store.RemoveSystem(form.Int("sys_id"), caller);
        return ReplyText({TReplyRow().Add("id_systems", 0)});
    }
    if (mode != 0) throw ERefused("Неверное значение поля \"del_mode\"");
    TSystemPut put;
    put.id = form.Int("sys_id");
    put.nums = static_cast<int>(form.Int("nums"));
    put.clen = static_cast<int>(form.Int("clen"));
    put.olap = static_cast<int>(form.Int("olap"));
    put.csize = static_cast<int>(form.Int("csize"));
    put.title = form.Escaped("title", kShortLimit);
    put.descr = form.Escaped("descr", kDescrLimit);
    put.url = form.Plain("url", kUrlLimit, false);
    const auto clist = Base64Decode(form.Raw("clist", kBodyLimit));
    if (!clist) throw ERefused("Неверное значение поля \"clist\"");
    put.clist = Cp1251ToUtf8(UnescapeServiceText(*clist));
    return ReplyText({TReplyRow().Add("id_systems", store.PutSystem(put, caller))});
}

using THandler = std::function<std::string(TCatalogStore&, const TForm&)>;

const std::map<std::string, THandler, std::less<>>& Handlers() {
    static const std::map<std::string, THandler, std::less<>> handlers = {
        {"/scripts/scr_getlist.php", ListScripts}, {"/scripts/scr_getdata.php", GetScript},
        {"/scripts/scr_setrate.php", SetRate},     {"/scripts/scr_chktitle.php", CheckTitle},
        {"/scripts/scr_putscript.php", PutScript}, {"/scripts/scr_getrates.php", GetRates},
        {"/scripts/sys_getlist.php", ListSystems}, {"/scripts/sys_getdata.php", GetSystem},
        {"/scripts/sys_putdata.php", PutSystem},
    };
    return handlers;
}

}  // namespace

const std::vector<std::string>& ServicePaths() {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> p;
        for (const auto& [path, handler] : Handlers()) p.push_back(path);
        return p;
    }();
    return paths;
}

std::string HandleServiceRequest(TCatalogStore& store, std::string_view path,
                                 const TFormFields& fields) {
    try {
        const auto it = Handlers().find(path);
        if (it == Handlers().end()) return ErrorReply("Неизвестный запрос");
        return it->second(store, TForm(fields));
    } catch (const ERefused& e) {
        return ErrorReply(e.what());
    } catch (const std::exception& e) {
        return ErrorReply(std::string("Ошибка сервера: ") + e.what());
    }
}

}  // namespace zentrix::server
