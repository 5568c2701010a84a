// The replies of the scenario and systems catalog service.
#include "exchange/script_catalog.h"
#include "exchange/systems_catalog.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    fuzz::TPicker pick(fuzz::Bytes(data, size));
    const uint8_t which = pick.Byte();
    const std::string_view reply = pick.Rest();
    TServiceIdentity identity;
    identity.appId = "Zentrix_8x20";
    identity.userEmail = "user@example.org";
    try {
        switch (which % 5) {
            case 0: {
                std::vector<TScriptInfo> list;
                ParseCatalogReply(reply, identity, 1049, list);
                for (const TScriptInfo& e : list) (void)CatalogRowTexts(e);
                break;
            }
            case 1: {
                std::vector<std::string> lines;
                (void)ParseScriptReply(reply, lines);
                break;
            }
            case 2:
                (void)ParseRatesReply(reply);
                break;
            case 3: {
                std::vector<TSystemInfo> list;
                (void)ParseSystemListReply(reply, list);
                for (const TSystemInfo& s : list) (void)SystemRowTexts(s, false);
                break;
            }
            case 4:
                (void)ParseSystemLinesReply(reply, which / 5);
                break;
        }
    } catch (const EZentrix&) {
    }
    return 0;
}
