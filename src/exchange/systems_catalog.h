#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/service_protocol.h"

namespace zentrix {

// One entry of the systems catalog; id <= 0 is a placeholder.
struct TSystemInfo {
    int32_t id = 0;
    uint8_t nums = 0;  // N
    uint8_t olap = 0;  // the block
    int32_t csize = 0;
    std::string title, author, ownerMail, descr;
    TDateTime created = 0;
    int32_t downloads = 0;
    TDateTime lastDownload = 0;
    std::string url;
};

// An entry with its combination list (one combination per line).
struct TSystemData {
    TSystemInfo info;
    std::string list;
};

inline constexpr const char* kNoSystemList = "Список систем не доступен!";

// Appends the listing's entries; false when the reply holds no result (the caller shows the
// placeholder). Failures raise as the scenario catalog's requests do.
bool LoadSystemList(const TServiceTarget& target, const TServiceIdentity& identity,
                    std::vector<TSystemInfo>& list);
// The entry's combination lines; a count other than csize raises the count message.
std::vector<std::string> DownloadSystemLines(const TServiceTarget& target, const TSystemInfo& info);
// The replies' readings behind the two requests above.
bool ParseSystemListReply(std::string_view reply, std::vector<TSystemInfo>& list);
std::vector<std::string> ParseSystemLinesReply(std::string_view reply, int32_t csize);
// The id the catalog answers (the first non-negative one), -1 when none.
int32_t PutSystem(const TServiceTarget& target, const TServiceIdentity& identity,
                  const TSystemData& system, bool remove);

// The systems list's columns and an entry's texts; `downloaded`: its local file exists.
const std::vector<std::string>& SystemColumns();
std::vector<std::string> SystemRowTexts(const TSystemInfo& info, bool downloaded);
// The entry is the user's own: its owner mail is the user's address (case aside).
bool IsOwnSystem(const TSystemInfo& info, const std::string& userEmail);

}  // namespace zentrix

namespace zentrix {

// The properties dialog's reading of a combination list: from the last line to the first, a line
// of exactly eight words (separators as in the system files) becomes its eight numbers with two
// digits each, separated by single blanks; any other line goes. nums is max - min + 1 over the
// numbers (0 for none), csize the line count.
struct TNormalizedList {
    std::string text;  // lines joined with CR LF
    int nums = 0;
    int csize = 0;
};
TNormalizedList NormalizeSystemList(std::string_view text);
// The dialog's OK checks in their order; the message of the first that fails.
std::optional<std::string> CheckSystemData(const TSystemData& system);

}  // namespace zentrix
