#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "util/ini.h"

namespace zentrix {

// How requests to the lottery site go out.
enum class TProxyMode : uint8_t { None = 0, Auto = 1, Manual = 2 };

// The proxy settings of the session (section PROXY of Zentrix_8x20.ini).
struct TProxy {
    uint8_t Mode = 0;  // TProxyMode; any other value counts as none
    std::string Server;
    int Port = 0;
    std::string Username;
    std::string Password;  // kept in plain text, as the settings file holds it
    bool Saved = false;
    // Automatic mode's proxies "host:port", the one in use first; only during one download.
    std::optional<std::vector<std::string>> Candidates;
};

// Reads the PROXY keys with their defaults; Mode is ProxyMode when the key exists, else 2 with a
// server, else 0. Saved becomes true.
void ReadProxySettings(const TIniFile& ini, TProxy& proxy);
// Writes ProxyMode, ProxyServer, ProxyPort, ProxyUsername, ProxyPassword in this order.
void WriteProxySettings(TIniFile& ini, const TProxy& proxy);

// The PROXY keys as the file holds them, for listings; the password shown as "***" unless empty.
std::vector<std::pair<std::string, std::string>> ProxyEntries(const TProxy& proxy);
// Sets one PROXY key by name (ignoring case), checked; raises EConvertError.
void SetProxyValue(TProxy& proxy, const std::string& key, const std::string& value);

// The dialog "Параметры proxy-сервера": the option checked and the four fields.
struct TProxyDialogModel {
    TProxyMode option = TProxyMode::None;
    std::string server;
    int port = 80;
    std::string username;
    std::string password;
};
inline constexpr int kProxyPortMin = 1;
inline constexpr int kProxyPortMax = 65535;
TProxyDialogModel OpenProxyDialog(const TProxy& proxy);
// The four fields are enabled only with the manual option.
inline bool ProxyFieldsEnabled(TProxyMode option) {
    return option == TProxyMode::Manual;
}
// OK: the fields copied into the settings, Saved false; the automatic option starts without a
// proxy (it is searched at the next download).
void ApplyProxyDialog(const TProxyDialogModel& model, TProxy& proxy);

}  // namespace zentrix
