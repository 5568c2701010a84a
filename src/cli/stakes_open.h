#pragma once

#include "cli/cli_session.h"

namespace zentrix::cli {

// The stakes file is the data folder's hold itself, readable only through it, so every stakes
// and ratings command takes the hold, also one that only reads: the window settings (the log
// and effectiveness options), the configuration, the archive, the stakes file and the ratings,
// in the order the program loads them.
TStakesController& OpenStakesSession(TCliSession& s);

}  // namespace zentrix::cli
