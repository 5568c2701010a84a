#include "app/system_dialog_model.h"

#include <algorithm>
#include <limits>

#include "util/datetime.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// A number field's value; empty gives 0, and a value too large for the range stays above it so
// that its range check still fails.
int64_t FieldNumber(const std::string& text, int64_t most) {
    int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return most;
        v = std::min<int64_t>(v * 10 + (c - '0'), most);
    }
    return v;
}

}  // namespace

TSystemDialogFields SystemDialogFields(const TSystemData& system) {
    const TSystemInfo& s = system.info;
    TSystemDialogFields f;
    f.title = s.title;
    f.descr = s.descr;
    f.author = s.author;
    f.url = s.url;
    f.list = system.list;
    f.csize = std::to_string(s.csize);
    f.nums = std::to_string(s.nums);
    f.block = std::to_string(s.olap);
    f.downloads = std::to_string(s.downloads);
    return f;
}

void NormalizeDialogList(TSystemDialogFields& fields) {
    const TNormalizedList list = NormalizeSystemList(fields.list);
    fields.list = list.text;
    fields.nums = std::to_string(list.nums);
    fields.csize = std::to_string(list.csize);
}

std::optional<std::string> AcceptSystemDialog(const TSystemData& opened,
                                              const TSystemDialogFields& fields,
                                              TSystemData& accepted) {
    constexpr int64_t kByte = std::numeric_limits<uint8_t>::max();
    constexpr int64_t kInt = std::numeric_limits<int32_t>::max();
    TSystemData d;
    d.info.id = opened.info.id;
    d.info.ownerMail = opened.info.ownerMail;
    d.info.title = Trim(fields.title);
    d.info.descr = fields.descr;
    d.info.author = Trim(fields.author);
    d.info.url = Trim(fields.url);
    d.info.nums = static_cast<uint8_t>(FieldNumber(fields.nums, kByte));
    d.info.olap = static_cast<uint8_t>(FieldNumber(fields.block, kByte));
    d.info.csize = static_cast<int32_t>(FieldNumber(fields.csize, kInt));
    d.info.downloads = static_cast<int32_t>(FieldNumber(fields.downloads, kInt));
    d.info.created = opened.info.created > 0 ? opened.info.created : Now();
    d.info.lastDownload = opened.info.lastDownload;
    d.list = fields.list;
    if (auto problem = CheckSystemData(d)) return problem;
    accepted = std::move(d);
    return std::nullopt;
}

}  // namespace zentrix
