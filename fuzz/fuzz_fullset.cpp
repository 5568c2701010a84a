// Full-set distribution files (*.dfc).
#include "fuzz_support.h"
#include "stats/prefetch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    try {
        const TPrefetchData read = ParsePrefetch(fuzz::Bytes(data, size));
        // A file that reads is one the program could have written.
        if (ParsePrefetch(SerializePrefetch(read)) != read) std::abort();
    } catch (const EFileError&) {
    }
    return 0;
}
