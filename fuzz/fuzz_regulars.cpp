// The regular stakes file (Zentrix_8x20.ltb).
#include "fuzz_support.h"
#include "stakes/regular_rule.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    TRegularsFile file(fuzz::InputFile(fuzz::Bytes(data, size), "Zentrix_8x20.ltb"));
    TRegularRules rules;
    try {
        file.Load(rules);
    } catch (const EFileError&) {
    }
    std::string written;
    for (const TRegularRule& rule : rules) WriteRegularRecord(written, rule);
    if (written.size() != rules.size() * kRegularRecordSize) std::abort();
    return 0;
}
