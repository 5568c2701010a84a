#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/service_protocol.h"

namespace zentrix {

// One entry of the scenario catalog.
struct TScriptInfo {
    int32_t Id = 0;
    std::string Author, AuthorMail;
    int32_t Lcid = 0;
    std::string AppName, AppVersion;
    bool Universal = false, Public = true;
    TDateTime Created = 0;
    long double RatingAvg = 0;
    int32_t RatingCount = 0;
    int32_t MyRating = 0;  // 0 none, 1..5, -1 hidden
    int32_t Downloads = 0;
    TDateTime LastDownload = 0;
    std::string Title, Descr;
    bool Mine = false, MineCompatible = false, Compatible = false;
};

// What the properties dialog edits and a publication sends.
struct TScriptData {
    int32_t Id = -1;
    std::string Author;
    int32_t Lcid = 1049;
    bool Universal = false, Public = true;
    std::string Title, Descr;
};

TScriptData ScriptDataOf(const TScriptInfo& entry);
void ApplyScriptData(const TScriptData& data, TScriptInfo& entry);  // all but Id

// A rating that a user gave an entry.
struct TScriptRate {
    std::string Name;
    std::string Rate;
    TDateTime Created = 0;
    std::string AppName, AppVersion, Notes;
};

// The listing filters in the order of the filter box; the id sent is the index minus one.
const std::vector<std::string>& CatalogFilterNames();

// The requests. Failures raise: EHttpError (transport), EServiceRefusal (a refusal row),
// EConvertError or EMarksNotFound (a malformed reply).

// Appends the entries of the listing to `list` one by one (what was read stays on a failure).
void LoadCatalog(const TServiceTarget& target, const TServiceIdentity& identity, int filterId,
                 int lcid, std::vector<TScriptInfo>& list);
// The entry's scenario replaces `lines`; false (lines untouched) when no row carries one.
bool DownloadScript(const TServiceTarget& target, const TServiceIdentity& identity, int32_t id,
                    std::vector<std::string>& lines);
// False without a result; a negative code raises "Код возврата: %d".
bool RateScript(const TServiceTarget& target, const TServiceIdentity& identity, int32_t id,
                int value, int lcid, const std::string& comment);
bool IsTitleFree(const TServiceTarget& target, int32_t id, const std::string& title);
// The id the service answers, -1 when none.
int32_t PutScript(const TServiceTarget& target, const TServiceIdentity& identity,
                  const TScriptData& data, const std::vector<std::string>& lines);
// 0 when deleted.
int32_t RemoveScript(const TServiceTarget& target, const TServiceIdentity& identity,
                     const TScriptData& data);
std::vector<TScriptRate> LoadScriptRates(const TServiceTarget& target, int32_t id);

// The replies' readings behind the requests above, raising as they do.
void ParseCatalogReply(std::string_view reply, const TServiceIdentity& identity, int lcid,
                       std::vector<TScriptInfo>& list);
bool ParseScriptReply(std::string_view reply, std::vector<std::string>& lines);
std::vector<TScriptRate> ParseRatesReply(std::string_view reply);
// The list's column titles and an entry's texts in them.
const std::vector<std::string>& CatalogColumns();
std::vector<std::string> CatalogRowTexts(const TScriptInfo& entry);
// "yyyy-mm-dd hh:mm:ss"; empty for 0.
std::string CatalogDateText(TDateTime t);
// The lenient reading of "<rating_avg>": sign and digits kept, "." or "," the decimal point.
long double LenientRating(std::string_view text);

}  // namespace zentrix
