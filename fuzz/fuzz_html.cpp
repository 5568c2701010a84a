// The download's reading of the lottery site's archive pages.
#include "exchange/site_pages.h"
#include "fuzz_support.h"
#include "util/html_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    const std::string_view page = fuzz::Bytes(data, size);
    (void)DecodeHtmlEntities(page);
    try {
        const std::string body = ArchiveTableBody(page);
        (void)TableLastDraw(body);
        for (const TDraw& d : TableDraws(body))
            if (d.Number <= 0) std::abort();
    } catch (const EZentrix&) {
    }
    return 0;
}
