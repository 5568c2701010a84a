// System files ("8-NN-block_id.dat"), their names and the combination lists of the catalog.
#include "exchange/systems_catalog.h"
#include "fuzz_support.h"
#include "stakes/system_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    fuzz::TPicker pick(fuzz::Bytes(data, size));
    const int numbers =
        kSystemMinNumbers + pick.Byte() % (kSystemMaxNumbers - kSystemMinNumbers + 1);
    const std::string_view text = pick.Rest();
    try {
        (void)ReadSystemFile(fuzz::InputFile(text, "8-12-3_1.dat"), numbers);
    } catch (const EZentrix&) {
    }
    (void)ParseSystemFileName(std::string(text.substr(0, 64)));
    const TNormalizedList list = NormalizeSystemList(text);
    TSystemData system;
    system.list = list.text;
    system.info.nums = static_cast<uint8_t>(list.nums);
    system.info.csize = list.csize;
    system.info.title = "t";
    (void)CheckSystemData(system);
    return 0;
}
