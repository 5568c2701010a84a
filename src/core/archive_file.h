#pragma once

#include <string>

#include "core/draw.h"

namespace zentrix {

// The archive file: 32-byte draw records back to back, oldest first, no header.
std::string SerializeDraws(const TDrawsArray& draws);
// Writes the whole archive atomically; raises EFileError.
void WriteDrawsFile(const std::string& path, const TDrawsArray& draws);

}  // namespace zentrix
