#include <string_view>

#include "server/catalog_store.h"
#include "util/strings.h"

namespace zentrix::server {

namespace {

// The characters that separate the positions of a system's combination line.
constexpr std::string_view kSystemSeparators = " *+,-./:;=\\_|~";

void CheckSystem(const TSystemPut& put) {
    if (Trim(put.title).empty())
        throw ERefused("Название системы должно быть указано обязательно!");
    if (put.nums < 9 || put.nums > 20)
        throw ERefused("Указано недопустмое количество используемых чисел!");
    if (put.olap < 0 || put.olap > 7) throw ERefused("Указан недопустмый размер блока!");
    if (put.clen != 8) throw ERefused("Недопустимая длина комбинации системы");
    if (Trim(put.descr).empty())
        throw ERefused("Описание системы должно быть указано обязательно!");
    const auto lines = SplitLines(put.clist);
    if (lines.empty()) throw ERefused("Содержимое системы должно быть указано обязательно!");
    if (static_cast<int>(lines.size()) != put.csize)
        throw ERefused("Количество комбинаций системы не совпадает с указанным");
    for (const auto& line : lines) {
        const auto words = SplitAny(line, kSystemSeparators);
        bool good = words.size() == 8;
        for (const auto& w : words) {
            const auto p = TryStrToInt(w);
            good = good && p && *p >= 1 && *p <= put.nums;
        }
        if (!good) throw ERefused("Недопустимая строка системы: " + line);
    }
}

}  // namespace

std::vector<TSystemEntry> TCatalogStore::ListSystems() {
    std::lock_guard lock(mutex_);
    auto q = db_.Prepare(
        "SELECT id, nums, olap, csize, title, descr, author, owner_mail, url, created, "
        "last_download, downloads FROM systems ORDER BY nums, id");
    std::vector<TSystemEntry> entries;
    while (q.Step()) {
        TSystemEntry e;
        e.id = q.Int(0);
        e.nums = static_cast<int>(q.Int(1));
        e.olap = static_cast<int>(q.Int(2));
        e.csize = static_cast<int>(q.Int(3));
        e.title = q.Text(4);
        e.descr = q.Text(5);
        e.author = q.Text(6);
        e.ownerMail = q.Text(7);
        e.url = q.Text(8);
        e.created = q.Text(9);
        e.lastDownload = q.Text(10);
        e.downloads = q.Int(11);
        entries.push_back(std::move(e));
    }
    return entries;
}

std::optional<std::string> TCatalogStore::DownloadSystem(int64_t id) {
    std::lock_guard lock(mutex_);
    TTransaction t(db_);
    auto q = db_.Prepare("SELECT clist FROM systems WHERE id = ?1");
    q.Bind(1, id);
    if (!q.Step()) return std::nullopt;
    std::string clist = q.Text(0);
    db_.Prepare("UPDATE systems SET downloads = downloads + 1, last_download = ?2 WHERE id = ?1")
        .Bind(1, id)
        .Bind(2, NowText())
        .Run();
    t.Commit();
    return clist;
}

int64_t TCatalogStore::PutSystem(const TSystemPut& put, const TCaller& caller) {
    std::lock_guard lock(mutex_);
    NeedMail(caller);
    CheckSystem(put);
    if (Trim(caller.name).empty()) throw ERefused("Имя автора должно быть указано обязательно!");
    TTransaction t(db_);
    const bool isNew = put.id <= 0;
    if (!isNew) CheckOwner("systems", put.id, caller, "Система не найдена в каталоге");
    {
        auto q = db_.Prepare("SELECT 1 FROM systems WHERE title_key = ?1 AND id <> ?2");
        q.Bind(1, LowerCase(Trim(put.title))).Bind(2, isNew ? int64_t(0) : put.id);
        if (q.Step()) throw ERefused("Система с таким названием уже существует!");
    }
    auto q = db_.Prepare(
        isNew ? "INSERT INTO systems (nums, olap, csize, title, title_key, descr, author, "
                "owner_mail, mail_key, url, clist, created) "
                "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)"
              : "UPDATE systems SET nums = ?1, olap = ?2, csize = ?3, title = ?4, title_key = ?5, "
                "descr = ?6, author = ?7, owner_mail = ?8, mail_key = ?9, url = ?10, clist = ?11, "
                "created = ?12 WHERE id = ?13");
    q.Bind(1, put.nums).Bind(2, put.olap).Bind(3, put.csize).Bind(4, Trim(put.title));
    q.Bind(5, LowerCase(Trim(put.title))).Bind(6, put.descr).Bind(7, Trim(caller.name));
    q.Bind(8, Trim(caller.mail)).Bind(9, MailKey(caller.mail)).Bind(10, Trim(put.url));
    q.Bind(11, put.clist).Bind(12, NowText());
    if (!isNew) q.Bind(13, put.id);
    q.Run();
    const int64_t id = isNew ? db_.LastInsertId() : put.id;
    t.Commit();
    return id;
}

void TCatalogStore::RemoveSystem(int64_t id, const TCaller& caller) {
    std::lock_guard lock(mutex_);
    NeedMail(caller);
    TTransaction t(db_);
    CheckOwner("systems", id, caller, "Система не найдена в каталоге");
    db_.Prepare("DELETE FROM systems WHERE id = ?1").Bind(1, id).Run();
    t.Commit();
}

}  // namespace zentrix::server
