#pragma once

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/config.h"
#include "core/draw.h"
#include "stats/custom_stat.h"
#include "stats/stat_class.h"
#include "stats/stat_list.h"
#include "support/make_draw.h"

namespace zentrix::test {

inline TComb MakeComb(const std::array<int, 8>& numbers) {
    TComb c;
    for (int i = 0; i < 8; ++i) c[i] = static_cast<uint8_t>(numbers[i]);
    return c;
}

inline TStatDraw KeyRecord(int k1, int k2 = 0, int k3 = 0, int k4 = 0) {
    TStatDraw r;
    r.Key.K = {static_cast<int16_t>(k1), static_cast<int16_t>(k2), static_cast<int16_t>(k3),
               static_cast<int16_t>(k4)};
    return r;
}

inline TStatDraw W1Record(int32_t w1) {
    TStatDraw r;
    r.Key.SetW1(w1);
    return r;
}

// An archive, a configuration and the registered methods over them.
struct TStatsEnv {
    TDrawsArray draws;
    TConfigSettings config;
    TStatList list{draws, config};

    TStatsEnv() { list.RegisterMethods(); }
    explicit TStatsEnv(TDrawsArray d) : draws(std::move(d)) { list.RegisterMethods(); }
    TStatsEnv(TDrawsArray d, TConfigSettings c) : draws(std::move(d)), config(std::move(c)) {
        list.RegisterMethods();
    }

    int Entry(const std::string& code) const { return list.FindCode(code); }
    std::unique_ptr<TCustomStat> Create(const std::string& code) const {
        return list.CreateStat(list.FindCode(code));
    }
};

// The configuration of an empty settings file with this channel size, these matrix columns and
// these segment digits (1 where missing).
inline TConfigSettings Layout(int channelSize, int matrixCols, const std::string& segments = "") {
    TConfigSettings c = DefaultConfigSettings();
    c.data.ChannelSize = channelSize;
    c.data.MatrixCols = matrixCols;
    c.data.MatrixSegments = ParseSegmentsText(segments);
    return c;
}

// The values one draw contributes, in the order they were added.
inline TStatDrawArray DrawValues(TCustomStat& stat, int index, bool sorted = false) {
    TStatDrawArray values;
    auto state = stat.NewScanState();
    stat.AddDrawValues(index, index, sorted, values, *state);
    return values;
}

inline TStatDrawArray CombValues(TCustomStat& stat, const TComb& comb) {
    TStatDrawArray values;
    stat.AddCombValues(comb, values);
    return values;
}

// "label×count" for every record, in list order.
inline std::vector<std::string> LabelCounts(const TCustomStat& stat, const TStatDrawArray& v) {
    std::vector<std::string> out;
    for (const TStatDraw& r : v) out.push_back(stat.ValueLabel(r) + "x" + std::to_string(r.Count));
    return out;
}

inline std::vector<std::string> Labels(const TCustomStat& stat, const TStatDrawArray& v) {
    std::vector<std::string> out;
    for (const TStatDraw& r : v) out.push_back(stat.ValueLabel(r));
    return out;
}

// What the method list shows of a registry entry.
struct TDescriptor {
    const char* code;
    const char* className;
    const char* name;
    const char* flags;  // the flag letters
};

// The entry exists with this class, name (the made method's too), flags and group; returns it.
inline int ExpectDescriptor(const TStatsEnv& env, const TDescriptor& d, TStatGroup group) {
    const int entry = env.Entry(d.code);
    EXPECT_GE(entry, 0) << d.code;
    if (entry < 0) return entry;
    const TStatMethod& m = env.list.MethodAt(entry);
    EXPECT_EQ(m.Class->className, d.className) << d.code;
    EXPECT_EQ(m.Class->NameOf(m.Index), d.name) << d.code;
    EXPECT_EQ(env.list.CreateStat(entry)->Name(), d.name) << d.code;
    EXPECT_EQ(FlagLetters(m.Class->AllFlags()), d.flags) << d.code;
    EXPECT_EQ(m.Class->MethodGroup(), group) << d.code;
    return entry;
}

}  // namespace zentrix::test
