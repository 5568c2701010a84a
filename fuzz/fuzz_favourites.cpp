// The favourites (method list) file (Zentrix_8x20.flt): favourites, options and custom names.
#include "fuzz_support.h"
#include "stat_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    static TDrawsArray draws;
    static TConfigSettings config = DefaultConfigSettings();
    // A fresh registry each run: loading changes it.
    TStatList list(draws, config);
    list.RegisterMethods();
    const std::string path = fuzz::InputFile(fuzz::Bytes(data, size), "Zentrix_8x20.flt");
    std::string message;
    std::vector<std::string> names;
    (void)list.ReadMethodNames(path, names, message);
    (void)list.LoadMethodList(path, true, message);
    list.NormalizeFavourites();
    (void)BuildMethodLists(list);
    list.ParseFavourites(std::string(fuzz::Bytes(data, size)));
    (void)list.FavouritesText();
    return 0;
}
