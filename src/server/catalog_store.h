#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "server/sqlite_db.h"
#include "util/errors.h"

namespace zentrix::server {

// A request the catalog refuses; the text goes back in the reply's error element.
class ERefused : public EZentrix {
  public:
    using EZentrix::EZentrix;
};

// Who sends a request. Users are told apart by their e-mail address, letters compared without
// regard to case.
struct TCaller {
    std::string name, mail;
    std::string appId, appVersion, computerId;
    int lcid = 0;
};

// The listing filters the client sends.
enum class TScriptFilter {
    Hidden = -1,
    All = 0,
    NotHidden = 1,
    Mine = 2,
    Public = 3,
    RatedByMe = 4,
    NotRatedByMe = 5,
    New = 6,
};

struct TScriptEntry {
    int64_t id = 0;
    std::string title, descr, author, authorMail;
    int lcid = 0;
    std::string appName, appVersion, appGuid;
    bool universal = false, isPublic = true;
    std::string created, lastDownload;  // "yyyy-mm-dd hh:nn:ss" UTC; empty: none
    int64_t downloads = 0;
    double ratingAvg = 0;
    int64_t ratingCount = 0;
    int myRating = 0;  // the caller's: 0 none, 1..5, -1 hidden
};

// What a publication sends; id <= 0 makes a new entry.
struct TScriptPut {
    int64_t id = -1;
    std::string title, descr, script;
    bool universal = false, isPublic = true;
};

struct TRateEntry {
    std::string name;
    int rate = 0;
    std::string created, appName, appVersion, notes;
};

struct TSystemEntry {
    int64_t id = 0;
    int nums = 0, olap = 0, csize = 0;
    std::string title, descr, author, ownerMail, url, created, lastDownload;
    int64_t downloads = 0;
};

struct TSystemPut {
    int64_t id = -1;
    int nums = 0, clen = 8, olap = 0, csize = 0;
    std::string title, descr, url, clist;
};

// The catalog's storage and its rules: only the author replaces or deletes an entry, titles are
// unique (letters compared without regard to case, blanks around them trimmed), one rating per
// user and entry, a hidden entry stays out of that user's lists, a private one is listed only to
// its author. Every call is one transaction; calls from many threads are serialised.
class TCatalogStore {
  public:
    // The clock gives the current UTC time as "yyyy-mm-dd hh:nn:ss".
    using TClock = std::function<std::string()>;
    explicit TCatalogStore(const std::string& fileName, TClock clock = {});

    std::vector<TScriptEntry> ListScripts(TScriptFilter filter, const TCaller& caller);
    // The scenario text; counts the download. Nothing for an unknown or private entry of another.
    std::optional<std::string> DownloadScript(int64_t id, const TCaller& caller);
    bool IsTitleFree(int64_t id, const std::string& title);
    // The entry's id.
    int64_t PutScript(const TScriptPut& put, const TCaller& caller);
    void RemoveScript(int64_t id, const TCaller& caller);
    // -1 hides, 0 takes the caller's rating back, 1..5 rates.
    void RateScript(int64_t id, int value, const std::string& notes, const TCaller& caller);
    std::vector<TRateEntry> ScriptRates(int64_t id);

    std::vector<TSystemEntry> ListSystems();
    // The combination list; counts the download.
    std::optional<std::string> DownloadSystem(int64_t id);
    int64_t PutSystem(const TSystemPut& put, const TCaller& caller);
    void RemoveSystem(int64_t id, const TCaller& caller);

    // A consistency check for tests and start-up: every rating and hide belongs to an entry,
    // values in range, counters not negative.
    bool IsConsistent();

  private:
    std::string NowText() const;
    std::string OwnerKey(const char* table, int64_t id);
    void CheckOwner(const char* table, int64_t id, const TCaller& caller, const char* notFound);

    std::mutex mutex_;
    TSqliteDb db_;
    TClock clock_;
};

// A user's key: the trimmed, lower-case e-mail address.
std::string MailKey(const std::string& mail);
// Refuses a caller without an e-mail address: users are known by it.
void NeedMail(const TCaller& caller);
// The current UTC time as "yyyy-mm-dd hh:nn:ss".
std::string UtcNowText();

}  // namespace zentrix::server
