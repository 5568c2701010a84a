#pragma once

#include <vector>

#include "core/game.h"
#include "core/info_dialog.h"
#include "util/event.h"

namespace zentrix {

// What a change of the configuration affects: the statistics rebuild their method list and the
// full-set files of these groups.
struct TConfigChange {
    bool matrixCols = false;
    bool channelSize = false;
    bool segments = false;
    bool shredding = false;
};

// The information dialog asks for the statistic rows of 8 numbers: position is the draw's array
// index, or DrawsOffset for a combination; isDraw says the numbers are the draw's at that
// position (a draw's own values, such as its extra number, are then read from the draw).
struct TInfoRowsQuery {
    TComb numbers{};
    int position = 0;
    bool sorted = false;
    bool isDraw = false;
};

// What the parts of the session tell each other. Controllers and pages subscribe; the session
// only assembles them, so no part holds a sibling's callback.
struct TSessionEvents {
    // The draws array was loaded, edited, appended to or shortened.
    TEvent<> archiveChanged;
    // DrawsOffset took another value.
    TEvent<> referenceDrawChanged;
    // The configuration was applied, with what it affects.
    TEvent<const TConfigChange&> settingsChanged;
    // The working combination list took other contents.
    TEvent<> workingListChanged;
    // The statistic method lists were filled anew.
    TEvent<> registryRebuilt;
    // Each subscriber appends its rows to the information dialog's properties.
    TEvent<const TInfoRowsQuery&, std::vector<TInfoProperty>&> infoRows;
};

}  // namespace zentrix
