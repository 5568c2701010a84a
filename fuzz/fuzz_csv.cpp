// CSV import of draws.
#include "core/draw.h"
#include "exchange/draws_csv.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    static const TDrawsArray archive = [] {
        TDrawsArray a(3);
        for (int i = 0; i < 3; ++i) {
            a[i].Number = i + 1;
            for (int k = 0; k < 8; ++k) a[i].Numbers[k] = static_cast<uint8_t>(1 + k + i);
            a[i].Extra = 1;
            a[i].SetDateText("01.02.2024 19:30");
        }
        return a;
    }();
    const TCsvImport read = ParseDrawsCsv(fuzz::Bytes(data, size), archive);
    // What was taken is sound and exports to lines that import the same draws.
    for (const TDraw& d : read.draws)
        if (!IsSoundDraw(d)) std::abort();
    (void)DrawsCsvBytes(read.draws);
    return 0;
}
