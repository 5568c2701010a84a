// The draws archive file: records, damage report and the backup of a damaged file.
#include "core/archive_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    const std::string path = fuzz::InputFile(fuzz::Bytes(data, size), "Zentrix_8x20.ldr");
    const TDrawsFileRead read = ReadDrawsFile(path);
    if (read.damaged) BackupDamagedFile(path);
    // Every whole record was kept.
    if (read.draws.size() != size / kDrawRecordSize) std::abort();
    (void)SerializeDraws(read.draws);
    return 0;
}
