#include "app/catalog_dialogs.h"

#include "app/list_sort.h"
#include "util/format.h"

namespace zentrix {

const std::vector<TCatalogLanguage>& CatalogLanguages() {
    static const std::vector<TCatalogLanguage> languages = {{1049, "Русский"}};
    return languages;
}

int CatalogLanguageIndex(int32_t lcid, int32_t fallback) {
    const auto& languages = CatalogLanguages();
    for (int32_t wanted : {lcid, fallback})
        for (size_t i = 0; i < languages.size(); ++i)
            if (languages[i].lcid == wanted) return static_cast<int>(i);
    return -1;
}

int32_t CatalogLanguageAt(int index, int32_t fallback) {
    const auto& languages = CatalogLanguages();
    return index >= 0 && index < static_cast<int>(languages.size())
               ? languages[static_cast<size_t>(index)].lcid
               : fallback;
}

std::string OnlyInProgramCaption(const std::string& programFile) {
    std::string name = programFile.substr(programFile.find_last_of("/\\") + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return Format("Только в \"%s\"", {name});
}

const std::vector<std::string>& ScriptRateColumns() {
    static const std::vector<std::string> columns = {"Имя",       "Оценка", "Дата",
                                                     "Программа", "Версия", "Комментарии"};
    return columns;
}

std::vector<std::string> ScriptRateTexts(const TScriptRate& r) {
    return {r.Name, r.Rate, CatalogDateText(r.Created), r.AppName, r.AppVersion, r.Notes};
}

std::vector<std::string> TScriptRatesList::RowTexts(int row) const {
    if (row < 0 || row >= Count()) return {};
    return ScriptRateTexts(rates_[static_cast<size_t>(row)]);
}

void TScriptRatesList::Sort(int column, bool descending) {
    if (column < 0 || column >= static_cast<int>(ScriptRateColumns().size())) return;
    sortColumn_ = column;
    sortDescending_ = descending;
    SortRowsByTexts(rates_, column, descending, ScriptRateTexts);
}

void TScriptRatesList::SortByClick(int column) {
    Sort(column, column == sortColumn_ && !sortDescending_);
}

}  // namespace zentrix
