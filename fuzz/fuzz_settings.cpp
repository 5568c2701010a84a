// The settings file (Zentrix_8x20.ini): every part of it as the program reads them, and the
// values the parameters dialog sets.
#include "core/config.h"
#include "core/proxy_settings.h"
#include "fuzz_support.h"
#include "util/ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zentrix;
    try {
        const TIniFile ini(fuzz::InputFile(fuzz::Bytes(data, size), "Zentrix_8x20.ini"));
        TConfigData config;
        LoadConfig(ini, config);
        TConfigSettings settings = DefaultConfigSettings();
        LoadGenerateDefaults(ini, settings);
        LoadShredding(ini, settings);
        LoadServices(ini, settings);
        LoadUser(ini, settings);
        TProxy proxy;
        ReadProxySettings(ini, proxy);
        // What was read is written back and reads the same.
        TIniFile back = TIniFile::FromText(ini.Text());
        for (const TConfigEntry& e : ConfigEntries(settings)) {
            back.WriteString(e.section, e.key, e.value);
            try {
                SetConfigValue(settings, e.section, e.key,
                               ini.ReadString(e.section, e.key, e.value));
            } catch (const EConvertError&) {
            }
        }
        (void)back.Text();
    } catch (const EZentrix&) {
    }
    return 0;
}
