#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/game.h"

namespace zentrix {

// Money: value × 10000 in a signed 64-bit integer.
using TCurrency = int64_t;
inline constexpr TCurrency kCurrencyScale = 10000;

// Coefficients of the statistics table's weight column.
struct TCDLParams {
    long double Count = 0;
    long double Deviation = 0;
    long double Level = 0;
    bool UsePercents = false;
    bool UseAbsValues = false;
    bool operator==(const TCDLParams&) const = default;
};

struct TProfit {
    uint8_t Overlap = 0;
    TCurrency Profit = 0;
    bool operator==(const TProfit&) const = default;
};

struct TConfigData {
    int32_t MatrixCols = 0;
    int32_t ChannelSize = 0;
    TCurrency Cost = 0;
    int32_t MaxStake = 0;  // kept and written back; nothing uses it
    std::vector<TProfit> Profits;
    TCDLParams CDL;
    std::array<uint8_t, kMaxNumber> MatrixSegments{};  // segment 1..9 of number n at n - 1
    bool operator==(const TConfigData&) const = default;
};

// The addresses of the services the program talks to, and the trust of its TLS connections.
struct TServiceSettings {
    std::string SiteUrl;       // the lottery site's base address (archive page at "/archive")
    std::string ProxyListUrl;  // the public proxy list (plain HTTP)
    std::string UpdateUrl;     // the update description file
    std::string CatalogUrl;    // the publisher's catalog service (scripts under "/scripts/")
    std::string CaFile;        // an extra CA certificate file to trust; empty: the system's only
    bool operator==(const TServiceSettings&) const = default;
};

// Who the user is to the catalog services: a name and an e-mail address (by which the catalog
// tells users apart), and a computer identifier made once at random.
struct TUserSettings {
    std::string Name;
    std::string Email;
    std::string ComputerId;  // 32 hexadecimal digits; empty until first made
    bool operator==(const TUserSettings&) const = default;
};

// Everything the settings file holds for the engine besides the proxy: the configuration, the
// generator defaults, the shredding formulas and the weights saved while a scenario overrides
// them. Before loading every field is zero or empty.
struct TConfigSettings {
    TConfigData data;
    uint8_t generateMode = 0;
    std::string generateParameters;
    std::array<std::string, 3> formulas;
    std::array<uint8_t, 3> formulaDigits{};
    TCDLParams savedCDL;
    TServiceSettings services;
    TUserSettings user;
};

}  // namespace zentrix
