// The .tar.gz reader of update packages, with small limits so a run stays quick.
#include "exchange/update_description.h"
#include "exchange/update_package.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    const std::string path = fuzz::InputFile(fuzz::Bytes(data, size), "update.tar.gz");
    const std::string folder = fuzz::ScratchFolder() + "/unpacked";
    std::filesystem::create_directory(folder);
    TUnpackLimits limits;
    limits.maxTotalBytes = 1 << 20;
    limits.maxFileBytes = 256 << 10;
    limits.maxEntries = 64;
    try {
        for (const std::string& name : UnpackTarGz(path, folder, limits)) {
            // Every file written lies inside the folder.
            const auto full = std::filesystem::weakly_canonical(folder + "/" + name).string();
            if (full.rfind(folder + "/", 0) != 0) std::abort();
        }
    } catch (const EZentrix&) {
    }
    (void)FileCrc32(path);
    (void)FileSha256(path);
    return 0;
}
