#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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

// The method groups in their fixed order; each has a three-letter code and a name.
enum class TStatGroup : uint8_t {
    Numbers,      // num
    Sums,         // sum
    Differences,  // dif
    Channels,     // grp
    Matrix,       // mtx
    Segments,     // sgm
    Sequences,    // seq
    Repeats,      // rep
    Series,       // ser
    Periods,      // per
    Moves,        // mov
    Varsel,       // vrs
    Shredding,    // shr
};
inline constexpr int kGroupCount = 13;
constexpr int GroupIndex(TStatGroup group) {
    return static_cast<int>(group);
}
const char* GroupCode(TStatGroup group);
const char* GroupName(TStatGroup group);
// "{ num } Числа тиража"; "#ERROR#" for a value outside the groups.
std::string GroupTitle(TStatGroup group);

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
    TStatGroup group = TStatGroup::Numbers;
    TStatFlags flags = 0;  // without G
    bool available = true;
    bool listed = true;
    bool graph = false;
    bool canParse = true;
    bool indexed = false;
    // The indices of an indexed class; some depend on the configuration.
    TIndexRange (*indexRange)(const TConfigSettings& config) = nullptr;
    // A name template filled with more than the index; null = Format(name, [index]).
    std::string (*nameOf)(const std::string& name, int index) = nullptr;
    std::unique_ptr<TCustomStat> (*create)(const TStatList& list, int index) = nullptr;

    const std::string& MethodCode() const { return code; }
    const std::string& MethodName() const { return name; }
    std::string HelpCode() const { return helpCode.empty() ? code : helpCode; }
    TStatGroup MethodGroup() const { return group; }
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
    // The page of the entry with this index in the help folder; empty without one.
    std::string HelpTopic(int index) const;
};

// What a class states about itself (its static Describe()); the rest comes from its type and
// its bases.
struct TStatClassInfo {
    std::string code;
    std::string name;
    TStatGroup group;
    TStatFlags flags;
    std::string helpCode = {};
    TIndexRange (*indexRange)(const TConfigSettings&) = nullptr;
    std::string (*nameOf)(const std::string& name, int index) = nullptr;
};

// The unqualified name of a type, template arguments run in: "TstCombValMix2".
template <typename T>
std::string TypeClassName() {
    // "... [with T = zentrix::TstCombValMix<2>; ...]" or "... [T = ...]"
    std::string_view f = __PRETTY_FUNCTION__;
    f.remove_prefix(f.find("T = ") + 4);
    f = f.substr(0, f.find_first_of(";]"));
    const size_t open = f.find('<');
    const size_t scope = f.substr(0, open).rfind("::");
    if (scope != std::string_view::npos) f.remove_prefix(scope + 2);
    std::string name;
    for (char ch : f)
        if (ch != '<' && ch != '>' && ch != ' ') name += ch;
    return name;
}

// T's bases declare kIsGraph, kCanParse, kIsListed, kIsAvailable as static members; the most
// derived declaration wins, as a class method override would.
template <typename T>
TStatClass MakeStatClass() {
    TStatClassInfo info = T::Describe();
    TStatClass c;
    c.className = TypeClassName<T>();
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
    c.nameOf = info.nameOf;
    c.create = [](const TStatList& list, int index) -> std::unique_ptr<TCustomStat> {
        return std::make_unique<T>(list, index);
    };
    return c;
}

}  // namespace zentrix
