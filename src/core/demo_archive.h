#pragma once

#include <cstdint>

#include "core/draw.h"
#include "util/datetime.h"

namespace zentrix {

// A synthetic archive for trying the program: `count` draws numbered from 1, 8 distinct numbers
// and an extra number each, one every 15 minutes from `start`. The same seed gives the same
// archive on every machine.
TDrawsArray MakeDemoDraws(int count, uint32_t seed, TDateTime start);

}  // namespace zentrix
