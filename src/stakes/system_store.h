#pragma once

#include <string>
#include <vector>

#include "stakes/system_file.h"
#include "util/datetime.h"

namespace zentrix {

// The folder "Systems" (SystemsFolder) holds at most one downloaded system per N.
// "8-NN-B_IIII.dat": numbers per combination, N, the block, the catalog id.
std::string SystemFileName(int nums, int block, int id);
// The downloaded files for N (names "8-NN-*_*.dat"), sorted.
std::vector<std::string> LocalSystemFiles(const std::string& folder, int nums);

// Writes the lines (CR LF, the single-byte code page) as the system's file, creating the folder,
// sets its modification time to `created` (local time; 0 leaves it), then deletes the other
// downloaded files with the same N. Returns the path. A failure raises EFileError and leaves the
// other files as they were.
std::string WriteSystemFile(const std::string& folder, int nums, int block, int id,
                            TDateTime created, const std::vector<std::string>& lines);
// Deletes the system's file when it is there.
void DeleteSystemFile(const std::string& folder, int nums, int block, int id);
// The file's modification time equals `created` (to the second).
bool SystemFileTimeIs(const std::string& path, TDateTime created);

}  // namespace zentrix
