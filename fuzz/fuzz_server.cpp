// The service's route handlers: each line of the input is one form post, the first byte naming
// the script, the rest the body. Every run starts from the same seeded, in-memory catalog.
#include "form_decode.h"
#include "fuzz_support.h"
#include "server/catalog_store.h"
#include "server/seed_examples.h"
#include "util/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    server::TCatalogStore store(":memory:", [] { return std::string("2024-03-07 19:30:00"); });
    server::SeedExamples(store);
    const std::vector<std::string>& paths = server::ServicePaths();
    int posts = 0;
    for (const std::string& line : SplitLines(std::string(fuzz::Bytes(data, size)))) {
        if (line.empty() || ++posts > 8) continue;
        const std::string& path = paths[static_cast<uint8_t>(line[0]) % paths.size()];
        const std::string reply =
            server::HandleServiceRequest(store, path, fuzz::DecodeForm(line.substr(1)));
        if (reply.rfind("<result>", 0) != 0) std::abort();
    }
    if (!store.IsConsistent()) std::abort();
    return 0;
}
