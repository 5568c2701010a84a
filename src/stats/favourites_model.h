#pragma once

#include <string>
#include <vector>

#include "stats/stat_list.h"

namespace zentrix {

// Texts of the favourites manager.
inline constexpr const char* kFavouritesAction = "Избранные статистики";
inline constexpr const char* kFavouritesTitle = "Менеджер избранных методов расчета статистики";
inline constexpr const char* kFavouritesHeading =
    "Отметьте методы расчета статистики, которые Вы хотите использовать:";
// "всего %d" and the noun agreeing with the count.
inline constexpr const char* kFavouritesTotal = "всего %d %s";
inline constexpr const char* kFavouritesOptions =
    "Параметры вывода наименований в списках методов расчета статистики";
inline constexpr const char* kFavouritesOrdered = "Сортировать списки по названию метода";
inline constexpr const char* kFavouritesShowGroup =
    "Отображать идентификатор группы { xxx } перед названием метода";
inline constexpr const char* kFavouritesShowFlags =
    "Отображать особенности метода [ YYY ] после названия метода";
inline constexpr const char* kFavouritesResetAll = "Сбросить все";
inline constexpr const char* kFavouritesSelectAll = "Выбрать все";
inline constexpr const char* kFavouritesResetGroup = "Сбросить группу";
inline constexpr const char* kFavouritesSelectGroup = "Выбрать группу";
inline constexpr const char* kFavouritesRename = "Переименовать";
inline constexpr const char* kFavouritesRestore = "Вернуть";
inline constexpr const char* kFavouritesDescription = "Описание";
inline constexpr const char* kFavouritesImport = "Импорт названий";
inline constexpr const char* kFavouritesExport = "Экспорт названий";
inline constexpr const char* kRenameTitle = "Переименование";
inline constexpr const char* kRenamePrompt = "Введите наименование фильтра:";
inline constexpr const char* kMethodListFilter = "Наименования фильтров (*.flt)|*.flt";
inline constexpr const char* kMethodListDefaultExt = "flt";
inline constexpr const char* kAllMethodsAction = "Все доступные статистики";
inline constexpr const char* kAllMethodsQuestion =
    "Вы действительно хотите сбросить список избранных фильтров?";

struct TFavouriteNode {
    int Entry = 0;
    std::string Title;
    bool Marked = false;
};

struct TFavouriteGroup {
    int Group = 0;
    std::string Title;  // "{ num } Числа тиража"
    std::vector<TFavouriteNode> Nodes;
};

// The favourites manager without widgets: a tree of groups and entries with titles and marks,
// edited freely; the registry changes only in Apply (the dialog's OK).
class TFavouritesModel {
  public:
    explicit TFavouritesModel(TStatList& list);

    const std::vector<TFavouriteGroup>& Groups() const { return groups_; }
    int EntryTotal() const;
    std::string TotalText() const;
    // The node of a registry entry; nullptr when the tree has none.
    const TFavouriteNode* Node(int entry) const;
    // The group number of an entry's node.
    int GroupOf(int entry) const;
    // The entry's help page (empty without a help folder).
    std::string HelpTopic(int entry) const;

    bool Ordered;
    bool ShowGroupName;
    bool ShowMethodFlags;

    void SetAll(bool marked);
    void SetGroup(int group, bool marked);
    void Toggle(int entry);
    void Rename(int entry, const std::string& title);
    // Back to the default name.
    void Restore(int entry);

    // Titles from a method list file's custom names (default names where it has none); the
    // marks stay. False with the message to show on failure.
    bool ImportNames(const std::string& path, std::string& message);
    // Writes every node's title as the file's custom names.
    bool ExportNames(const std::string& path, std::string& message) const;

    // OK: marks become favourites, titles other than the default name become custom names,
    // favourites are normalized and the options stored.
    void Apply();

  private:
    TFavouriteNode* FindNode(int entry);
    std::string DefaultTitle(int entry) const;

    TStatList& list_;
    std::vector<TFavouriteGroup> groups_;
};

}  // namespace zentrix
