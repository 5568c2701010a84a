// Combination files (*.lcv) and the combination texts typed or pasted.
#include "core/comb_file.h"
#include "core/comb_text.h"
#include "fuzz_support.h"
#include "util/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    const std::string_view bytes = fuzz::Bytes(data, size);
    TCombsArray combs;
    try {
        ReadCombFile(fuzz::InputFile(bytes, "combs.lcv"), combs);
    } catch (const EZentrix&) {
    }
    for (const TComb& c : combs) (void)ParseCombFileLine(NumbersText(c));
    try {
        (void)ParseComb(bytes);
    } catch (const EConvertError&) {
    }
    try {
        (void)ParseCombLines(SplitLines(std::string(bytes)));
    } catch (const EConvertError&) {
    }
    return 0;
}
