#pragma once

#include <cstdint>
#include <string>

#include "stakes/stake_rec.h"
#include "util/datetime.h"

namespace zentrix {

// A log that has grown beyond this is deleted before its next line.
inline constexpr int64_t kStakeLogLimit = 268435456;

// "<folder>/Zentrix_8x20-<matches>.log" beside the stakes file.
std::string StakeLogPath(const std::string& stakesPath, int matches);
// The line a checked stake adds to its log.
std::string StakeLogLine(const TStakeRec& rec, TDateTime time);
// Appends the line (Windows-1251, CR LF) to the log of the stake's matches. Raises EFileError
// with the texts to show on a failure to delete or write.
void WriteStakeLog(const std::string& stakesPath, const TStakeRec& rec, TDateTime time,
                   int64_t limit = kStakeLogLimit);

}  // namespace zentrix
