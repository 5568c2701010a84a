#pragma once

#include "core/config.h"
#include "stats/stat_list.h"

namespace zentrix::fuzz {

// The statistics registry that filter texts name their methods from, built once per process.
inline TStatList& Registry() {
    static TDrawsArray draws;
    static TConfigSettings config = DefaultConfigSettings();
    static TStatList* list = [] {
        auto* l = new TStatList(draws, config);
        l->RegisterMethods();
        return l;
    }();
    return *list;
}

}  // namespace zentrix::fuzz
