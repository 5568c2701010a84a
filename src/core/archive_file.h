#pragma once

#include <string>

#include "core/draw.h"

namespace zentrix {

// The archive file: 32-byte draw records back to back, oldest first, no header.
std::string SerializeDraws(const TDrawsArray& draws);
// Writes the whole archive atomically; raises EFileError.
void WriteDrawsFile(const std::string& path, const TDrawsArray& draws);

// What reading the archive file gave: every complete record, and a description of the damage
// when the file could not be read whole or does not hold whole records.
struct TDrawsFileRead {
    TDrawsArray draws;
    bool damaged = false;
    std::string error;
};
// A missing file reads as an empty, undamaged archive.
TDrawsFileRead ReadDrawsFile(const std::string& path);

// Copies a damaged archive file beside itself before it is first overwritten, under the first
// free name of "<file>.bak", "<file>.bak2", ...; returns that name, or an empty text when the
// file no longer exists. Raises EFileError when the copy cannot be made.
std::string BackupDamagedFile(const std::string& path);

}  // namespace zentrix
