#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/config_data.h"
#include "core/draw.h"
#include "stats/stat_class.h"

namespace zentrix {

class TCustomStat;
class TCombValueCaches;

// The classes in their fixed registry order; families not built yet are absent.
const std::vector<const TStatClass*>& StatClassTable();

// One registry entry.
struct TStatMethod {
    const TStatClass* Class = nullptr;
    int32_t Index = 0;
    bool Favourite = true;
    std::string CustomName;
    std::string Formula;  // group 12: the configuration's formula of this index
};

inline constexpr const char* kMethodListSection = "FILTERS";
// Custom names are kept per interface language; the interface is Russian.
inline constexpr const char* kMethodNamesSection = "STRINGS_RUS";
inline constexpr const char* kMethodListExtension = ".flt";
inline constexpr const char* kMethodListLoadError = "Ошибка загрузки списка фильтров!\n\n%s";
inline constexpr const char* kMethodListSaveError = "Ошибка сохранения списка фильтров!\n\n%s";
inline constexpr const char* kNoMethodSelected = "Не выбран метод расчета статистики (cb: %s)!";

// The registry of statistic methods: every class of the class table, indexed classes once per
// index, with the user's favourites and custom names. It reads the archive and the
// configuration through references; it owns neither.
class TStatList {
  public:
    TStatList(const TDrawsArray& draws, TConfigSettings& config);
    ~TStatList();

    const TDrawsArray& Draws() const { return draws_; }
    const TConfigSettings& Config() const { return config_; }
    TConfigSettings& Config() { return config_; }

    bool Ordered = false;
    bool ShowGroupName = true;
    bool ShowMethodFlags = true;
    bool AllFavourites = true;

    void RegisterMethods();
    int MethodCount() const { return static_cast<int>(entries_.size()); }
    const TStatMethod& MethodAt(int i) const { return entries_.at(i); }
    TStatMethod& MethodAt(int i) { return entries_.at(i); }
    // The entry whose code equals the text ignoring case; -1 when none.
    int FindCode(const std::string& code) const;

    bool IsShown(int i) const;
    std::string EntryName(const TStatMethod& entry) const;
    std::string EntryCaption(int i, bool withFlags) const;
    std::unique_ptr<TCustomStat> CreateStat(int i) const;
    // CreateStat for a list's selected entry; no selection (-1) raises kNoMethodSelected with the
    // list's name.
    std::unique_ptr<TCustomStat> CreateSelected(int entry, const std::string& listName) const;

    std::string FavouritesText() const;
    void ParseFavourites(const std::string& text);
    void SetAllFavourite();
    void NormalizeFavourites();

    // The method list file (Zentrix_8x20.flt). On failure the registry keeps its state, the
    // result is false and message holds the text to show.
    bool LoadMethodList(const std::string& path, bool withOptions, std::string& message);
    bool SaveMethodList(const std::string& path, bool withOptions, bool exportAll,
                        std::string& message) const;
    // The names a method list file gives the entries, in entry order ("" where it has none),
    // without changing the registry.
    bool ReadMethodNames(const std::string& path, std::vector<std::string>& names,
                         std::string& message) const;
    // Writes the given name of every entry (its default name where the given one is empty) as
    // the file's custom names, leaving its options as they are.
    bool ExportMethodNames(const std::string& path, const std::vector<std::string>& names,
                           std::string& message) const;

    // The combination values of the methods that filters have read, kept with the registry.
    TCombValueCaches& ValueCaches() const { return *valueCaches_; }

  private:
    bool WriteMethodList(const std::string& path, bool withOptions,
                         const std::vector<std::string>* names, bool exportAll,
                         std::string& message) const;

    const TDrawsArray& draws_;
    TConfigSettings& config_;
    std::vector<TStatMethod> entries_;
    std::unique_ptr<TCombValueCaches> valueCaches_;
};

// The lists of methods offered to the user: the statistics list and the graph list.
struct TMethodListItem {
    std::string Caption;
    int Entry = 0;
};
struct TMethodLists {
    std::vector<TMethodListItem> Stats;
    std::vector<TMethodListItem> Graphs;
};
// The shown, listed entries with their captions; sorted by caption when Ordered.
TMethodLists BuildMethodLists(const TStatList& list);
// The position a refilled list gets back: the remembered one while it is below the new count,
// otherwise none (-1).
int KeptListPosition(int remembered, int newCount);

}  // namespace zentrix
