#include "server/catalog_store.h"

#include <ctime>

#include "util/strings.h"

namespace zentrix::server {

namespace {

constexpr const char* kSchema = R"sql(
PRAGMA foreign_keys = ON;
CREATE TABLE IF NOT EXISTS scripts (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    title TEXT NOT NULL, title_key TEXT NOT NULL UNIQUE, descr TEXT NOT NULL,
    script TEXT NOT NULL, author TEXT NOT NULL, author_mail TEXT NOT NULL,
    mail_key TEXT NOT NULL CHECK (mail_key <> ''), lcid INTEGER NOT NULL,
    app_name TEXT NOT NULL, app_ver TEXT NOT NULL, app_guid TEXT NOT NULL,
    universal INTEGER NOT NULL CHECK (universal IN (0, 1)),
    public INTEGER NOT NULL CHECK (public IN (0, 1)),
    created TEXT NOT NULL, downloads INTEGER NOT NULL DEFAULT 0 CHECK (downloads >= 0),
    last_download TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS rates (
    script_id INTEGER NOT NULL REFERENCES scripts(id) ON DELETE CASCADE,
    mail_key TEXT NOT NULL CHECK (mail_key <> ''), name TEXT NOT NULL,
    rate INTEGER NOT NULL CHECK (rate BETWEEN -1 AND 5 AND rate <> 0),
    notes TEXT NOT NULL, created TEXT NOT NULL, app_name TEXT NOT NULL, app_ver TEXT NOT NULL,
    PRIMARY KEY (script_id, mail_key));
CREATE TABLE IF NOT EXISTS systems (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    nums INTEGER NOT NULL CHECK (nums BETWEEN 9 AND 20),
    olap INTEGER NOT NULL CHECK (olap BETWEEN 0 AND 7),
    csize INTEGER NOT NULL CHECK (csize > 0),
    title TEXT NOT NULL, title_key TEXT NOT NULL UNIQUE, descr TEXT NOT NULL,
    author TEXT NOT NULL, owner_mail TEXT NOT NULL, mail_key TEXT NOT NULL CHECK (mail_key <> ''),
    url TEXT NOT NULL, clist TEXT NOT NULL, created TEXT NOT NULL,
    downloads INTEGER NOT NULL DEFAULT 0 CHECK (downloads >= 0),
    last_download TEXT NOT NULL DEFAULT '');
)sql";

std::string TitleKey(const std::string& title) {
    return LowerCase(Trim(title));
}

}  // namespace

void NeedMail(const TCaller& caller) {
    if (MailKey(caller.mail).empty())
        throw ERefused("Не указан адрес электронной почты пользователя");
}

std::string MailKey(const std::string& mail) {
    return LowerCase(Trim(mail));
}

std::string UtcNowText() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &tm);
    return buffer;
}

TCatalogStore::TCatalogStore(const std::string& fileName, TClock clock)
    : db_(fileName), clock_(std::move(clock)) {
    db_.Exec("PRAGMA journal_mode = WAL");
    db_.Exec(kSchema);
}

std::string TCatalogStore::NowText() const {
    return clock_ ? clock_() : UtcNowText();
}

std::vector<TScriptEntry> TCatalogStore::ListScripts(TScriptFilter filter, const TCaller& caller) {
    std::lock_guard lock(mutex_);
    const std::string key = MailKey(caller.mail);
    std::string since;
    if (filter == TScriptFilter::New) {
        auto q = db_.Prepare("SELECT datetime(?1, '-1 day')");
        q.Bind(1, NowText());
        if (q.Step()) since = q.Text(0);
    }
    auto q = db_.Prepare(R"sql(
        SELECT s.id, s.title, s.descr, s.author, s.author_mail, s.lcid, s.app_name, s.app_ver,
               s.app_guid, s.universal, s.public, s.created, s.last_download, s.downloads,
               COALESCE((SELECT AVG(rate) FROM rates r WHERE r.script_id = s.id AND r.rate > 0), 0),
               (SELECT COUNT(*) FROM rates r WHERE r.script_id = s.id AND r.rate > 0),
               COALESCE((SELECT rate FROM rates r WHERE r.script_id = s.id AND r.mail_key = ?1), 0),
               s.mail_key
        FROM scripts s WHERE s.public = 1 OR s.mail_key = ?1 ORDER BY s.id)sql");
    q.Bind(1, key);
    std::vector<TScriptEntry> entries;
    while (q.Step()) {
        TScriptEntry e;
        e.id = q.Int(0);
        e.title = q.Text(1);
        e.descr = q.Text(2);
        e.author = q.Text(3);
        e.authorMail = q.Text(4);
        e.lcid = static_cast<int>(q.Int(5));
        e.appName = q.Text(6);
        e.appVersion = q.Text(7);
        e.appGuid = q.Text(8);
        e.universal = q.Int(9) != 0;
        e.isPublic = q.Int(10) != 0;
        e.created = q.Text(11);
        e.lastDownload = q.Text(12);
        e.downloads = q.Int(13);
        e.ratingAvg = q.Real(14);
        e.ratingCount = q.Int(15);
        e.myRating = static_cast<int>(q.Int(16));
        const bool mine = !key.empty() && q.Text(17) == key;
        const bool hidden = e.myRating < 0;
        bool take = !hidden;
        switch (filter) {
            case TScriptFilter::Hidden:
                take = hidden;
                break;
            case TScriptFilter::All:
                take = true;
                break;
            case TScriptFilter::NotHidden:
                break;
            case TScriptFilter::Mine:
                take = mine;
                break;
            case TScriptFilter::Public:
                take = !hidden && e.isPublic;
                break;
            case TScriptFilter::RatedByMe:
                take = e.myRating > 0;
                break;
            case TScriptFilter::NotRatedByMe:
                take = e.myRating == 0;
                break;
            case TScriptFilter::New:
                take = !hidden && e.created >= since;
                break;
        }
        if (take) entries.push_back(std::move(e));
    }
    return entries;
}

std::optional<std::string> TCatalogStore::DownloadScript(int64_t id, const TCaller& caller) {
    std::lock_guard lock(mutex_);
    TTransaction t(db_);
    auto q =
        db_.Prepare("SELECT script FROM scripts WHERE id = ?1 AND (public = 1 OR mail_key = ?2)");
    q.Bind(1, id).Bind(2, MailKey(caller.mail));
    if (!q.Step()) return std::nullopt;
    std::string script = q.Text(0);
    auto u = db_.Prepare(
        "UPDATE scripts SET downloads = downloads + 1, last_download = ?2 WHERE id = ?1");
    u.Bind(1, id).Bind(2, NowText()).Run();
    t.Commit();
    return script;
}

bool TCatalogStore::IsTitleFree(int64_t id, const std::string& title) {
    std::lock_guard lock(mutex_);
    auto q = db_.Prepare("SELECT 1 FROM scripts WHERE title_key = ?1 AND id <> ?2");
    q.Bind(1, TitleKey(title)).Bind(2, id);
    return !q.Step();
}

std::string TCatalogStore::OwnerKey(const char* table, int64_t id) {
    auto q = db_.Prepare(std::string("SELECT mail_key FROM ") + table + " WHERE id = ?1");
    q.Bind(1, id);
    return q.Step() ? q.Text(0) : std::string();
}

void TCatalogStore::CheckOwner(const char* table, int64_t id, const TCaller& caller,
                               const char* notFound) {
    const std::string owner = OwnerKey(table, id);
    if (owner.empty()) throw ERefused(notFound);
    if (owner != MailKey(caller.mail))
        throw ERefused("Изменять и удалять запись каталога может только её автор");
}

int64_t TCatalogStore::PutScript(const TScriptPut& put, const TCaller& caller) {
    std::lock_guard lock(mutex_);
    NeedMail(caller);
    const std::string title = Trim(put.title), author = Trim(caller.name);
    if (title.empty()) throw ERefused("Название сценария должно быть указано обязательно!");
    if (author.empty()) throw ERefused("Имя автора должно быть указано обязательно!");
    if (Trim(put.script).empty()) throw ERefused("Сценарий не содержит ни одной строки");
    TTransaction t(db_);
    const bool isNew = put.id <= 0;
    if (!isNew) CheckOwner("scripts", put.id, caller, "Сценарий не найден в каталоге");
    {
        auto q = db_.Prepare("SELECT 1 FROM scripts WHERE title_key = ?1 AND id <> ?2");
        q.Bind(1, TitleKey(title)).Bind(2, isNew ? int64_t(0) : put.id);
        if (q.Step()) throw ERefused("Сценарий с таким названием уже существует!");
    }
    auto q = db_.Prepare(
        isNew ? "INSERT INTO scripts (title, title_key, descr, script, author, author_mail, "
                "mail_key, lcid, app_name, app_ver, app_guid, universal, public, created) "
                "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)"
              : "UPDATE scripts SET title = ?1, title_key = ?2, descr = ?3, script = ?4, "
                "author = ?5, author_mail = ?6, mail_key = ?7, lcid = ?8, app_name = ?9, "
                "app_ver = ?10, app_guid = ?11, universal = ?12, public = ?13, created = ?14 "
                "WHERE id = ?15");
    q.Bind(1, title).Bind(2, TitleKey(title)).Bind(3, put.descr).Bind(4, put.script);
    q.Bind(5, author).Bind(6, Trim(caller.mail)).Bind(7, MailKey(caller.mail));
    q.Bind(8, caller.lcid).Bind(9, caller.appId).Bind(10, caller.appVersion);
    q.Bind(11, caller.appId).Bind(12, put.universal ? 1 : 0).Bind(13, put.isPublic ? 1 : 0);
    q.Bind(14, NowText());
    if (!isNew) q.Bind(15, put.id);
    q.Run();
    const int64_t id = isNew ? db_.LastInsertId() : put.id;
    t.Commit();
    return id;
}

void TCatalogStore::RemoveScript(int64_t id, const TCaller& caller) {
    std::lock_guard lock(mutex_);
    NeedMail(caller);
    TTransaction t(db_);
    CheckOwner("scripts", id, caller, "Сценарий не найден в каталоге");
    db_.Prepare("DELETE FROM scripts WHERE id = ?1").Bind(1, id).Run();
    t.Commit();
}

void TCatalogStore::RateScript(int64_t id, int value, const std::string& notes,
                               const TCaller& caller) {
    std::lock_guard lock(mutex_);
    NeedMail(caller);
    if (value < -1 || value > 5) throw ERefused("Недопустимая оценка");
    TTransaction t(db_);
    {
        auto q =
            db_.Prepare("SELECT 1 FROM scripts WHERE id = ?1 AND (public = 1 OR mail_key = ?2)");
        q.Bind(1, id).Bind(2, MailKey(caller.mail));
        if (!q.Step()) throw ERefused("Сценарий не найден в каталоге");
    }
    if (value == 0) {
        db_.Prepare("DELETE FROM rates WHERE script_id = ?1 AND mail_key = ?2")
            .Bind(1, id)
            .Bind(2, MailKey(caller.mail))
            .Run();
    } else {
        auto q = db_.Prepare(
            "INSERT INTO rates (script_id, mail_key, name, rate, notes, created, app_name, "
            "app_ver) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8) ON CONFLICT (script_id, mail_key) "
            "DO UPDATE SET name = ?3, rate = ?4, notes = ?5, created = ?6, app_name = ?7, "
            "app_ver = ?8");
        q.Bind(1, id).Bind(2, MailKey(caller.mail)).Bind(3, Trim(caller.name)).Bind(4, value);
        q.Bind(5, value < 0 ? std::string() : notes).Bind(6, NowText());
        q.Bind(7, caller.appId).Bind(8, caller.appVersion).Run();
    }
    t.Commit();
}

std::vector<TRateEntry> TCatalogStore::ScriptRates(int64_t id) {
    std::lock_guard lock(mutex_);
    auto q = db_.Prepare(
        "SELECT name, rate, created, app_name, app_ver, notes FROM rates WHERE script_id = ?1 "
        "AND rate > 0 ORDER BY created, name");
    q.Bind(1, id);
    std::vector<TRateEntry> rates;
    while (q.Step())
        rates.push_back(
            {q.Text(0), static_cast<int>(q.Int(1)), q.Text(2), q.Text(3), q.Text(4), q.Text(5)});
    return rates;
}

bool TCatalogStore::IsConsistent() {
    std::lock_guard lock(mutex_);
    auto ok = db_.Prepare("PRAGMA integrity_check");
    if (!ok.Step() || ok.Text(0) != "ok") return false;
    auto orphans =
        db_.Prepare("SELECT COUNT(*) FROM rates WHERE script_id NOT IN (SELECT id FROM scripts)");
    return orphans.Step() && orphans.Int(0) == 0;
}

}  // namespace zentrix::server
