#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace zentrix {
class TFavouritesModel;
class TSessionCore;
}  // namespace zentrix

namespace zentrix::gui {

// "Менеджер избранных методов расчета статистики": a tree of groups and methods bound to the
// favourites model. The caller applies the model on OK.
class TFormFavourites : public QDialog {
    Q_OBJECT
  public:
    TFormFavourites(QWidget* parent, TSessionCore& core, TFavouritesModel& model);

    QTreeWidget* Tree() const { return tree_; }
    void accept() override;

  private:
    void Rebuild();
    // The registry entry of the selected node, or of nothing (-1); its group either way.
    int SelectedEntry() const;
    int SelectedGroup() const;
    void Rename();
    void Restore();
    void Describe();
    std::optional<std::string> ChooseNamesFile(bool save);
    void ImportNames();
    void ExportNames();

    TSessionCore& core_;
    TFavouritesModel& model_;
    bool rebuilding_ = false;
    QTreeWidget* tree_;
    QLabel* total_;
    QCheckBox* ordered_;
    QCheckBox* showGroup_;
    QCheckBox* showFlags_;
};

}  // namespace zentrix::gui
