#include "core/archive_file.h"

#include "util/files.h"

namespace zentrix {

std::string SerializeDraws(const TDrawsArray& draws) {
    std::string bytes;
    bytes.reserve(draws.size() * kDrawRecordSize);
    for (const TDraw& d : draws) WriteDrawRecord(bytes, d);
    return bytes;
}

void WriteDrawsFile(const std::string& path, const TDrawsArray& draws) {
    AtomicWriteFile(path, SerializeDraws(draws));
}

}  // namespace zentrix
