// The stakes file: opening (with its repair of a damaged or unfinished file) and reading.
#include "fuzz_support.h"
#include "stakes/stakes_file.h"
#include "util/file_lock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    fuzz::TPicker pick(fuzz::Bytes(data, size));
    // The first byte's low bit: the input is a journal left by a broken rewrite, not the file.
    const bool journal = pick.Byte() & 1;
    const std::string path = fuzz::InputFile(journal ? "" : pick.Rest(), "Zentrix_8x20.lsk");
    if (journal) {
        std::ofstream(path + ".~tmp", std::ios::binary)
            .write(pick.Rest().data(), std::streamsize(pick.Rest().size()));
    }
    try {
        TExclusiveFile hold;
        hold.Open(path);
        TStakesFile file;
        file.Open(hold);
        for (const TStakeRec& rec : file.ReadAll()) (void)StakeRecordBytes(rec);
        (void)file.Last();
    } catch (const EZentrix&) {
    }
    for (size_t at = 0; at + kStakeRecordSize <= pick.Rest().size(); at += kStakeRecordSize)
        (void)ReadStakeRecord(pick.Rest().substr(at, kStakeRecordSize));
    return 0;
}
