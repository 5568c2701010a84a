// Filter and command texts as typed into a scenario line, with the variants a run expands.
#include "fuzz_support.h"
#include "scenario/filter_item.h"
#include "scenario/filter_variants.h"
#include "scenario/script_command.h"
#include "stat_registry.h"
#include "util/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    const std::string_view text = fuzz::Bytes(data, size);
    const TStatList& list = fuzz::Registry();
    (void)DescribeCommand(DecodeCommand(text));
    (void)CoefValue(text);
    // Up to seven filters, one per text line.
    std::vector<TFilterItem> items;
    for (const std::string& line : SplitLines(std::string(text))) {
        if (items.size() == 7) break;
        TFilterItem item = DecodeFilterItem(line, list);
        const std::string canonical = EncodeFilterItem(item);
        // The canonical form is a fixed point.
        if (CanonicalFilterText(canonical, list) != canonical) std::abort();
        if (item.Enabled) items.push_back(std::move(item));
    }
    try {
        (void)ExpandVariants(items);
    } catch (const EZentrix&) {
    }
    return 0;
}
