#include "core/proxy_settings.h"

#include <algorithm>

#include "util/errors.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr const char* kSection = "PROXY";

}  // namespace

void ReadProxySettings(const TIniFile& ini, TProxy& proxy) {
    proxy.Server = ini.ReadString(kSection, "ProxyServer", "");
    proxy.Port = ini.ReadInteger(kSection, "ProxyPort", 80);
    proxy.Username = ini.ReadString(kSection, "ProxyUsername", "");
    proxy.Password = ini.ReadString(kSection, "ProxyPassword", "");
    if (ini.ValueExists(kSection, "ProxyMode"))
        proxy.Mode =
            static_cast<uint8_t>(std::clamp(ini.ReadInteger(kSection, "ProxyMode", 0), 0, 255));
    else
        proxy.Mode = proxy.Server.empty() ? 0 : 2;
    proxy.Saved = true;
}

void WriteProxySettings(TIniFile& ini, const TProxy& proxy) {
    ini.WriteInteger(kSection, "ProxyMode", proxy.Mode);
    ini.WriteString(kSection, "ProxyServer", proxy.Server);
    ini.WriteInteger(kSection, "ProxyPort", proxy.Port);
    ini.WriteString(kSection, "ProxyUsername", proxy.Username);
    ini.WriteString(kSection, "ProxyPassword", proxy.Password);
}

std::vector<std::pair<std::string, std::string>> ProxyEntries(const TProxy& proxy) {
    return {{"ProxyMode", std::to_string(proxy.Mode)},
            {"ProxyServer", proxy.Server},
            {"ProxyPort", std::to_string(proxy.Port)},
            {"ProxyUsername", proxy.Username},
            {"ProxyPassword", proxy.Password.empty() ? "" : "***"}};
}

void SetProxyValue(TProxy& proxy, const std::string& key, const std::string& value) {
    auto integer = [&](int lo, int hi) {
        const auto v = TryStrToInt(Trim(value));
        if (!v || *v < lo || *v > hi)
            throw EConvertError(Format("Недопустимое значение %s=%s: допустимо целое от %d до %d",
                                       {key, value, lo, hi}));
        return *v;
    };
    if (SameText(key, "ProxyMode")) {
        proxy.Mode = static_cast<uint8_t>(integer(0, 2));
    } else if (SameText(key, "ProxyServer")) {
        proxy.Server = Trim(value);
    } else if (SameText(key, "ProxyPort")) {
        proxy.Port = integer(kProxyPortMin, kProxyPortMax);
    } else if (SameText(key, "ProxyUsername")) {
        proxy.Username = value;
    } else if (SameText(key, "ProxyPassword")) {
        proxy.Password = value;
    } else {
        throw EConvertError(Format("Неизвестный параметр: [%s] %s", {std::string(kSection), key}));
    }
    proxy.Saved = false;
}

TProxyDialogModel OpenProxyDialog(const TProxy& proxy) {
    TProxyDialogModel m;
    m.option = proxy.Mode == 1   ? TProxyMode::Auto
               : proxy.Mode == 2 ? TProxyMode::Manual
                                 : TProxyMode::None;
    m.server = proxy.Server;
    m.port = std::clamp(proxy.Port, kProxyPortMin, kProxyPortMax);
    m.username = proxy.Username;
    m.password = proxy.Password;
    return m;
}

void ApplyProxyDialog(const TProxyDialogModel& model, TProxy& proxy) {
    proxy.Server = Trim(model.server);
    proxy.Port = model.port;
    proxy.Username = model.username;
    proxy.Password = model.password;
    proxy.Saved = false;
    switch (model.option) {
        case TProxyMode::Manual:
            proxy.Mode = 2;
            break;
        case TProxyMode::None:
            proxy.Mode = 0;
            break;
        case TProxyMode::Auto:
            proxy.Mode = 1;
            proxy.Server.clear();
            proxy.Username.clear();
            proxy.Password.clear();
            proxy.Port = 0;
            break;
    }
}

}  // namespace zentrix
