#pragma once

#include <string>

#include "stats/prefetch.h"

namespace zentrix {

// Deletes the files of the entries with flag N in the given groups, so that the next comparison
// builds them afresh. Returns how many files were deleted.
int RemovePrefetchFiles(const TStatList& list, const std::string& folder, TGroupSet groups);

// The files of the channel, matrix and segment groups hold the layout they were counted for
// (channel size, matrix columns, segment map); Prefetchs/Zentrix_8x20_layout.txt names it. The
// files of a group whose layout differs from the configuration's, or is not named, are deleted
// and the new layouts written down. BuildPrefetchFiles and OpenPrefetchFile call it first, so a
// file of another layout (say, after the settings file was edited by hand) is never read.
inline constexpr const char* kPrefetchLayoutSuffix = "_layout.txt";
TGroupSet DropStaleLayoutFiles(const TStatList& list, const std::string& folder);

}  // namespace zentrix
