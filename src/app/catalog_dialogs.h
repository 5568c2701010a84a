#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/script_catalog.h"

namespace zentrix {

// The properties dialog's fields without widgets.
inline constexpr int kScriptAuthorLimit = 64;
inline constexpr int kScriptTitleLimit = 64;

// An interface language of the program by its own name.
struct TCatalogLanguage {
    int32_t lcid;
    std::string name;
};
// The languages the "Язык:" list offers: the program's interface languages (Russian alone).
const std::vector<TCatalogLanguage>& CatalogLanguages();
// The item showing lcid; the fallback's item when lcid is not listed; -1 when neither is.
int CatalogLanguageIndex(int32_t lcid, int32_t fallback);
// The item's language; the fallback for no item.
int32_t CatalogLanguageAt(int index, int32_t fallback);
// "Только в \"<program>\"": the program file's name without folder and extension.
std::string OnlyInProgramCaption(const std::string& programFile);

// The "Оценки пользователей" list: its columns, the texts of a rating in them, and its order.
const std::vector<std::string>& ScriptRateColumns();
std::vector<std::string> ScriptRateTexts(const TScriptRate& rate);

class TScriptRatesList {
  public:
    explicit TScriptRatesList(std::vector<TScriptRate> rates) : rates_(std::move(rates)) {}

    int Count() const { return static_cast<int>(rates_.size()); }
    std::vector<std::string> RowTexts(int row) const;
    // As received until a header click; the same column again reverses the order.
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return sortDescending_; }
    void Sort(int column, bool descending);
    void SortByClick(int column);

  private:
    std::vector<TScriptRate> rates_;
    int sortColumn_ = -1;
    bool sortDescending_ = false;
};

}  // namespace zentrix
