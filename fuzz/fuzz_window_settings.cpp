// The window settings file (Zentrix_8x20.frm): the options, placements and list columns.
#include "app/window_placement.h"
#include "app/window_settings.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    TWindowSettings settings(fuzz::InputFile(fuzz::Bytes(data, size), "Zentrix_8x20.frm"));
    try {
        settings.Load();
    } catch (const EZentrix&) {
        return 0;
    }
    const TIniFile& ini = settings.Ini();
    const std::vector<TScreenRect> screens = {{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}};
    for (const std::string& section : ini.Sections()) {
        if (auto placement = ReadPlacement(ini, section, TScreenInfo{1920, 1080, 96}))
            (void)FitToScreens(*placement, screens);
        for (int column = 0; column < 4; ++column)
            (void)ReadColumnWidth(ini, section, "lvDraws", column, 64);
        (void)ReadSortType(ini, section, "lvDraws");
    }
    settings.StoreExitOptions();
    return 0;
}
