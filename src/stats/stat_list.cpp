#include "stats/stat_list.h"

#include <algorithm>

#include "stats/comb_value_cache.h"
#include "stats/custom_stat.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/ini.h"
#include "util/strings.h"

namespace zentrix {

namespace {

constexpr const char* kFavouritesKey = "Favorites";
constexpr const char* kOrderedKey = "Ordered";
constexpr const char* kShowGroupNameKey = "ShowGroupName";
constexpr const char* kShowMethodFlagsKey = "ShowMethodFlags";
constexpr TStatGroup kFormulaGroup = TStatGroup::Shredding;

std::vector<std::string> NamesIn(const TIniFile& ini, const std::vector<TStatMethod>& entries) {
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const TStatMethod& m : entries)
        names.push_back(Trim(ini.ReadString(kMethodNamesSection, m.Class->CodeOf(m.Index), "")));
    return names;
}

}  // namespace

TStatList::TStatList(const TDrawsArray& draws, TConfigSettings& config)
    : draws_(draws), config_(config), valueCaches_(std::make_unique<TCombValueCaches>()) {}

TStatList::~TStatList() = default;

void TStatList::RegisterMethods() {
    Ordered = false;
    ShowGroupName = true;
    ShowMethodFlags = true;
    AllFavourites = true;
    entries_.clear();
    auto add = [&](const TStatClass* cls, int index) {
        TStatMethod m;
        m.Class = cls;
        m.Index = index;
        if (cls->MethodGroup() == kFormulaGroup && index >= 1 && index <= 3)
            m.Formula = config_.formulas[index - 1];
        entries_.push_back(std::move(m));
    };
    for (const TStatClass* cls : StatClassTable()) {
        if (!cls->IsAvailable()) continue;
        if (cls->IsIndexed()) {
            TIndexRange r = cls->IndexRange(config_);
            for (int i = r.Low; i <= r.High; ++i) add(cls, i);
        } else {
            add(cls, 0);
        }
    }
}

int TStatList::FindCode(const std::string& code) const {
    for (int i = 0; i < MethodCount(); ++i)
        if (SameText(entries_[i].Class->CodeOf(entries_[i].Index), code)) return i;
    return -1;
}

bool TStatList::IsShown(int i) const {
    return AllFavourites || entries_.at(i).Favourite;
}

std::string TStatList::EntryName(const TStatMethod& entry) const {
    std::string name =
        entry.CustomName.empty() ? entry.Class->NameOf(entry.Index) : entry.CustomName;
    if (entry.Class->MethodGroup() != kFormulaGroup) return name;
    try {
        return Format(name, {entry.Formula});
    } catch (const EZentrix&) {
        // A custom name is not a valid format: show it as typed.
        return name;
    }
}

std::string TStatList::EntryCaption(int i, bool withFlags) const {
    const TStatMethod& entry = entries_.at(i);
    std::string caption = EntryName(entry);
    if (ShowGroupName)
        caption = Format("{ %1:s } %0:s", {caption, GroupCode(entry.Class->MethodGroup())});
    if (withFlags && ShowMethodFlags) {
        std::string letters = FlagLetters(entry.Class->AllFlags());
        if (!letters.empty()) caption = Format("%0:s [ %1:s ]", {caption, letters});
    }
    return caption;
}

std::unique_ptr<TCustomStat> TStatList::CreateStat(int i) const {
    const TStatMethod& entry = entries_.at(i);
    return entry.Class->create(*this, entry.Index);
}

std::unique_ptr<TCustomStat> TStatList::CreateSelected(int entry,
                                                       const std::string& listName) const {
    if (entry < 0 || entry >= MethodCount()) throw EZentrix(Format(kNoMethodSelected, {listName}));
    return CreateStat(entry);
}

std::string TStatList::FavouritesText() const {
    if (AllFavourites) return {};
    std::vector<std::string> codes;
    for (const TStatMethod& m : entries_)
        if (m.Favourite) codes.push_back(m.Class->CodeOf(m.Index));
    return Join(codes, ",");
}

void TStatList::ParseFavourites(const std::string& text) {
    if (Trim(text).empty()) {
        SetAllFavourite();
        return;
    }
    AllFavourites = false;
    std::vector<std::string> words = SplitAny(text, ",");
    for (std::string& w : words) w = Trim(w);
    for (TStatMethod& m : entries_) {
        const std::string code = m.Class->CodeOf(m.Index);
        m.Favourite = false;
        for (const std::string& w : words)
            if (SameText(w, code)) {
                m.Favourite = true;
                break;
            }
    }
}

void TStatList::SetAllFavourite() {
    AllFavourites = true;
    for (TStatMethod& m : entries_) m.Favourite = true;
}

void TStatList::NormalizeFavourites() {
    bool anyMarked = false, anyUnmarked = false;
    for (const TStatMethod& m : entries_) (m.Favourite ? anyMarked : anyUnmarked) = true;
    if (anyMarked && anyUnmarked) {
        AllFavourites = false;
        return;
    }
    // Choosing none means all.
    SetAllFavourite();
}

bool TStatList::ReadMethodNames(const std::string& path, std::vector<std::string>& names,
                                std::string& message) const {
    try {
        names = NamesIn(TIniFile(path), entries_);
        return true;
    } catch (const std::exception& e) {
        message = Format(kMethodListLoadError, {e.what()});
        return false;
    }
}

bool TStatList::LoadMethodList(const std::string& path, bool withOptions, std::string& message) {
    try {
        const TIniFile ini(path);
        std::vector<std::string> names = NamesIn(ini, entries_);
        if (withOptions) {
            ParseFavourites(ini.ReadString(kMethodListSection, kFavouritesKey, FavouritesText()));
            Ordered = ini.ReadBool(kMethodListSection, kOrderedKey, Ordered);
            ShowGroupName = ini.ReadBool(kMethodListSection, kShowGroupNameKey, ShowGroupName);
            ShowMethodFlags =
                ini.ReadBool(kMethodListSection, kShowMethodFlagsKey, ShowMethodFlags);
        }
        for (size_t i = 0; i < entries_.size(); ++i) entries_[i].CustomName = std::move(names[i]);
        return true;
    } catch (const std::exception& e) {
        message = Format(kMethodListLoadError, {e.what()});
        return false;
    }
}

bool TStatList::SaveMethodList(const std::string& path, bool withOptions, bool exportAll,
                               std::string& message) const {
    return WriteMethodList(path, withOptions, nullptr, exportAll, message);
}

bool TStatList::ExportMethodNames(const std::string& path, const std::vector<std::string>& names,
                                  std::string& message) const {
    return WriteMethodList(path, false, &names, true, message);
}

bool TStatList::WriteMethodList(const std::string& path, bool withOptions,
                                const std::vector<std::string>* names, bool exportAll,
                                std::string& message) const {
    try {
        TIniFile ini(path);
        if (withOptions) {
            ini.WriteString(kMethodListSection, kFavouritesKey, FavouritesText());
            ini.WriteBool(kMethodListSection, kOrderedKey, Ordered);
            ini.WriteBool(kMethodListSection, kShowGroupNameKey, ShowGroupName);
            ini.WriteBool(kMethodListSection, kShowMethodFlagsKey, ShowMethodFlags);
        }
        ini.EraseSection(kMethodNamesSection);
        for (size_t i = 0; i < entries_.size(); ++i) {
            const TStatMethod& m = entries_[i];
            const std::string& custom = names && i < names->size() ? (*names)[i] : m.CustomName;
            const std::string code = m.Class->CodeOf(m.Index);
            if (exportAll)
                ini.WriteString(kMethodNamesSection, code,
                                custom.empty() ? m.Class->NameOf(m.Index) : custom);
            else if (!custom.empty())
                ini.WriteString(kMethodNamesSection, code, custom);
        }
        ini.UpdateFile();
        return true;
    } catch (const std::exception& e) {
        message = Format(kMethodListSaveError, {e.what()});
        return false;
    }
}

TMethodLists BuildMethodLists(const TStatList& list) {
    TMethodLists lists;
    for (int i = 0; i < list.MethodCount(); ++i) {
        const TStatClass& cls = *list.MethodAt(i).Class;
        if (!cls.IsAvailable() || !cls.IsListed() || !list.IsShown(i)) continue;
        TMethodListItem item{list.EntryCaption(i, true), i};
        if (cls.IsGraph()) lists.Graphs.push_back(item);
        lists.Stats.push_back(std::move(item));
    }
    if (list.Ordered) {
        auto byCaption = [](const TMethodListItem& a, const TMethodListItem& b) {
            return CompareText(a.Caption, b.Caption) < 0;
        };
        std::stable_sort(lists.Stats.begin(), lists.Stats.end(), byCaption);
        std::stable_sort(lists.Graphs.begin(), lists.Graphs.end(), byCaption);
    }
    return lists;
}

int KeptListPosition(int remembered, int newCount) {
    return remembered >= 0 && remembered < newCount ? remembered : -1;
}

}  // namespace zentrix
