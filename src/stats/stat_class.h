#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "core/config_data.h"

namespace zentrix {

class TCustomStat;
class TStatList;

// Method flags, shown as letters after a method's name in bit order S, N, D, P, G.
using TStatFlags = uint8_t;
inline constexpr TStatFlags kFlagS = 1;   // depends on the order of the numbers in a draw
inline constexpr TStatFlags kFlagN = 2;   // has a full-set distribution
inline constexpr TStatFlags kFlagD = 4;   // reads the reference draw
inline constexpr TStatFlags kFlagP = 8;   // period method
inline constexpr TStatFlags kFlagG = 16;  // can be graphed

std::string FlagLetters(TStatFlags flags);

// Groups 0..12: a three-letter code and a name.
inline constexpr int kGroupCount = 13;
const char* GroupCode(int group);
const char* GroupName(int group);
// "{ num } Числа тиража"; "#ERROR#" for a group outside 0..12.
std::string GroupTitle(int group);

struct TIndexRange {
    int32_t Low = 0;
    int32_t High = 0;
};

// Everything the registry needs about a method class without an instance: what Delphi keeps in
// class methods. One static descriptor per class, made by MakeStatClass from the class's own
// static members and the defaults its bases declare.
struct TStatClass {
    std::string className;  // "TstValues"
    std::string code;       // code template: "NUMS", "POS%d"
    std::string name;       // name template, may hold %d or %0:d
    std::string helpCode;   // the help page's code; empty = the code template
    int group = 0;
    TStatFlags flags = 0;  // without G
    bool available = true;
    bool listed = true;
    bool graph = false;
    bool canParse = true;
    bool indexed = false;
    // The indices of an indexed class; some depend on the configuration.
    TIndexRange (*indexRange)(const TConfigSettings& config) = nullptr;
    std::unique_ptr<TCustomStat> (*create)(const TStatList& list, int index) = nullptr;

    const std::string& MethodCode() const { return code; }
    const std::string& MethodName() const { return name; }
    std::string HelpCode() const { return helpCode.empty() ? code : helpCode; }
    int MethodGroup() const { return group; }
    TStatFlags MethodFlags() const { return flags; }
    TStatFlags AllFlags() const { return flags | (graph ? kFlagG : 0); }
    bool IsAvailable() const { return available; }
    bool IsListed() const { return listed; }
    bool IsGraph() const { return graph; }
    bool HasNorm() const { return (flags & kFlagN) != 0; }
    bool CanParse() const { return canParse; }
    bool IsIndexed() const { return indexed; }
    TIndexRange IndexRange(const TConfigSettings& config) const {
        return indexRange ? indexRange(config) : TIndexRange{};
    }
    std::string CodeOf(int index) const;
    std::string NameOf(int index) const;
    // There is no help file, so no topic.
    std::string HelpTopic(int /*index*/) const { return {}; }
};

// What a class states about itself; the rest comes from its bases.
struct TStatClassInfo {
    const char* className;
    std::string code;
    std::string name;
    int group;
    TStatFlags flags;
    std::string helpCode = {};
    TIndexRange (*indexRange)(const TConfigSettings&) = nullptr;
};

// T's bases declare kIsGraph, kCanParse, kIsListed, kIsAvailable as static members; the most
// derived declaration wins, as a class method override would.
template <typename T>
TStatClass MakeStatClass(TStatClassInfo info) {
    TStatClass c;
    c.className = info.className;
    c.code = std::move(info.code);
    c.name = std::move(info.name);
    c.helpCode = std::move(info.helpCode);
    c.group = info.group;
    c.flags = info.flags;
    c.available = T::kIsAvailable;
    c.listed = T::kIsListed;
    c.graph = T::kIsGraph;
    c.canParse = T::kCanParse;
    c.indexed = info.indexRange != nullptr;
    c.indexRange = info.indexRange;
    c.create = [](const TStatList& list, int index) -> std::unique_ptr<TCustomStat> {
        return std::make_unique<T>(list, index);
    };
    return c;
}

}  // namespace zentrix
