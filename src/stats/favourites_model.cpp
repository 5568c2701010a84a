#include "stats/favourites_model.h"

#include "stats/help_pages.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

TFavouritesModel::TFavouritesModel(TStatList& list)
    : Ordered(list.Ordered),
      ShowGroupName(list.ShowGroupName),
      ShowMethodFlags(list.ShowMethodFlags),
      list_(list) {
    for (int group = 0; group < kGroupCount; ++group) {
        TFavouriteGroup g;
        g.Group = group;
        g.Title = GroupTitle(static_cast<TStatGroup>(group));
        for (int i = 0; i < list.MethodCount(); ++i) {
            const TStatMethod& m = list.MethodAt(i);
            if (GroupIndex(m.Class->MethodGroup()) != group || !m.Class->IsAvailable()) continue;
            g.Nodes.push_back(
                {i, m.CustomName.empty() ? DefaultTitle(i) : m.CustomName, m.Favourite});
        }
        if (!g.Nodes.empty()) groups_.push_back(std::move(g));
    }
}

int TFavouritesModel::EntryTotal() const {
    return list_.MethodCount();
}

std::string TFavouritesModel::TotalText() const {
    const int total = EntryTotal();
    return Format(kFavouritesTotal,
                  {total, std::string(RussianPlural(total, "метод", "метода", "методов"))});
}

const TFavouriteNode* TFavouritesModel::Node(int entry) const {
    for (const TFavouriteGroup& g : groups_)
        for (const TFavouriteNode& n : g.Nodes)
            if (n.Entry == entry) return &n;
    return nullptr;
}

TFavouriteNode* TFavouritesModel::FindNode(int entry) {
    return const_cast<TFavouriteNode*>(static_cast<const TFavouritesModel*>(this)->Node(entry));
}

std::string TFavouritesModel::HelpTopic(int entry) const {
    const TStatMethod& m = list_.MethodAt(entry);
    return MethodHelpTopic(*m.Class, m.Index);
}

int TFavouritesModel::GroupOf(int entry) const {
    return GroupIndex(list_.MethodAt(entry).Class->MethodGroup());
}

std::string TFavouritesModel::DefaultTitle(int entry) const {
    const TStatMethod& m = list_.MethodAt(entry);
    return m.Class->NameOf(m.Index);
}

void TFavouritesModel::SetAll(bool marked) {
    for (TFavouriteGroup& g : groups_)
        for (TFavouriteNode& n : g.Nodes) n.Marked = marked;
}

void TFavouritesModel::SetGroup(int group, bool marked) {
    for (TFavouriteGroup& g : groups_)
        if (g.Group == group)
            for (TFavouriteNode& n : g.Nodes) n.Marked = marked;
}

void TFavouritesModel::Toggle(int entry) {
    if (TFavouriteNode* n = FindNode(entry)) n->Marked = !n->Marked;
}

void TFavouritesModel::Rename(int entry, const std::string& title) {
    if (TFavouriteNode* n = FindNode(entry)) n->Title = title;
}

void TFavouritesModel::Restore(int entry) {
    if (TFavouriteNode* n = FindNode(entry)) n->Title = DefaultTitle(entry);
}

bool TFavouritesModel::ImportNames(const std::string& path, std::string& message) {
    std::vector<std::string> names;
    if (!list_.ReadMethodNames(path, names, message)) return false;
    for (TFavouriteGroup& g : groups_)
        for (TFavouriteNode& n : g.Nodes)
            n.Title = names[n.Entry].empty() ? DefaultTitle(n.Entry) : names[n.Entry];
    return true;
}

bool TFavouritesModel::ExportNames(const std::string& path, std::string& message) const {
    std::vector<std::string> names(list_.MethodCount());
    for (const TFavouriteGroup& g : groups_)
        for (const TFavouriteNode& n : g.Nodes) names[n.Entry] = n.Title;
    return list_.ExportMethodNames(path, names, message);
}

void TFavouritesModel::Apply() {
    for (const TFavouriteGroup& g : groups_)
        for (const TFavouriteNode& n : g.Nodes) {
            TStatMethod& m = list_.MethodAt(n.Entry);
            m.Favourite = n.Marked;
            m.CustomName = SameText(n.Title, DefaultTitle(n.Entry)) ? std::string() : n.Title;
        }
    list_.NormalizeFavourites();
    list_.Ordered = Ordered;
    list_.ShowGroupName = ShowGroupName;
    list_.ShowMethodFlags = ShowMethodFlags;
}

}  // namespace zentrix
