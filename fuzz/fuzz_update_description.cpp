// The update description file and the checks of what it offers.
#include "exchange/update_description.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    try {
        const TUpdateVersionData d = ReadUpdateVersionData(
            fuzz::InputFile(fuzz::Bytes(data, size), "update.ini"), "0.1.0.5");
        (void)UpdateAvailable(d, "0.1.0.5");
        (void)UpdateBuildNumber(d.VerId);
        (void)UpdateList(d.global.DeleteAfter, d.program.DeleteAfter);
        (void)UpdateList(d.global.DeleteBefore, d.program.DeleteBefore);
        RequireSafeVersionText(d.VerId);
        (void)UpdateNotesNames(d.VerId, 1049);
        RequireInstallableOffer(d);
    } catch (const EZentrix&) {
    }
    return 0;
}
