#include "gui/favourites_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/session_core.h"
#include "gui/help_dialog.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "stats/favourites_model.h"

namespace zentrix::gui {

namespace {

constexpr int kEntryRole = Qt::UserRole;
constexpr int kGroupRole = Qt::UserRole + 1;

}  // namespace

TFormFavourites::TFormFavourites(QWidget* parent, TSessionCore& core, TFavouritesModel& model)
    : QDialog(parent), core_(core), model_(model) {
    setObjectName("FormFavourites");
    setWindowTitle(kFavouritesTitle);
    resize(640, 600);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(kFavouritesHeading, this));
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("tvMethods");
    tree_->setHeaderHidden(true);
    layout->addWidget(tree_);
    total_ = new QLabel(Q(model_.TotalText()), this);
    layout->addWidget(total_);

    auto* buttons = new QGridLayout;
    auto button = [&](const char* caption, int row, int col, auto slot) {
        auto* b = new QPushButton(caption, this);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b, row, col);
    };
    button(kFavouritesResetAll, 0, 0, [this] {
        model_.SetAll(false);
        Rebuild();
    });
    button(kFavouritesSelectAll, 0, 1, [this] {
        model_.SetAll(true);
        Rebuild();
    });
    button(kFavouritesResetGroup, 0, 2, [this] {
        if (SelectedGroup() >= 0) model_.SetGroup(SelectedGroup(), false);
        Rebuild();
    });
    button(kFavouritesSelectGroup, 0, 3, [this] {
        if (SelectedGroup() >= 0) model_.SetGroup(SelectedGroup(), true);
        Rebuild();
    });
    button(kFavouritesRename, 1, 0, [this] { Rename(); });
    button(kFavouritesRestore, 1, 1, [this] { Restore(); });
    button(kFavouritesDescription, 1, 2, [this] { Describe(); });
    button(kFavouritesImport, 2, 0, [this] { ImportNames(); });
    button(kFavouritesExport, 2, 1, [this] { ExportNames(); });
    layout->addLayout(buttons);

    auto* options = new QGroupBox(kFavouritesOptions, this);
    auto* optionsLayout = new QVBoxLayout(options);
    ordered_ = new QCheckBox(kFavouritesOrdered, options);
    showGroup_ = new QCheckBox(kFavouritesShowGroup, options);
    showFlags_ = new QCheckBox(kFavouritesShowFlags, options);
    ordered_->setChecked(model_.Ordered);
    showGroup_->setChecked(model_.ShowGroupName);
    showFlags_->setChecked(model_.ShowMethodFlags);
    for (QCheckBox* b : {ordered_, showGroup_, showFlags_}) optionsLayout->addWidget(b);
    layout->addWidget(options);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &TFormFavourites::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);

    connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        if (rebuilding_ || !item->data(0, kEntryRole).isValid()) return;
        const int entry = item->data(0, kEntryRole).toInt();
        const TFavouriteNode* node = model_.Node(entry);
        if (node && node->Marked != (item->checkState(0) == Qt::Checked)) model_.Toggle(entry);
    });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!item->data(0, kEntryRole).isValid()) return;
        model_.Toggle(item->data(0, kEntryRole).toInt());
        Rebuild();
    });
    Rebuild();
}

void TFormFavourites::Rebuild() {
    rebuilding_ = true;
    const int selected = SelectedEntry();
    tree_->clear();
    for (const TFavouriteGroup& g : model_.Groups()) {
        auto* groupItem = new QTreeWidgetItem(tree_, {Q(g.Title)});
        groupItem->setData(0, kGroupRole, g.Group);
        for (const TFavouriteNode& n : g.Nodes) {
            auto* item = new QTreeWidgetItem(groupItem, {Q(n.Title)});
            item->setData(0, kEntryRole, n.Entry);
            item->setData(0, kGroupRole, g.Group);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, n.Marked ? Qt::Checked : Qt::Unchecked);
            if (n.Entry == selected) tree_->setCurrentItem(item);
        }
    }
    tree_->expandAll();
    rebuilding_ = false;
}

int TFormFavourites::SelectedEntry() const {
    QTreeWidgetItem* item = tree_->currentItem();
    return item && item->data(0, kEntryRole).isValid() ? item->data(0, kEntryRole).toInt() : -1;
}

int TFormFavourites::SelectedGroup() const {
    QTreeWidgetItem* item = tree_->currentItem();
    return item ? item->data(0, kGroupRole).toInt() : -1;
}

void TFormFavourites::Rename() {
    const int entry = SelectedEntry();
    const TFavouriteNode* node = entry >= 0 ? model_.Node(entry) : nullptr;
    if (!node) return;
    if (auto name = core_.Ui().InputText(kRenameTitle, kRenamePrompt, node->Title)) {
        model_.Rename(entry, *name);
        Rebuild();
    }
}

void TFormFavourites::Restore() {
    const int entry = SelectedEntry();
    if (entry < 0) return;
    model_.Restore(entry);
    Rebuild();
}

void TFormFavourites::Describe() {
    const int entry = SelectedEntry();
    const TFavouriteNode* node = entry >= 0 ? model_.Node(entry) : nullptr;
    if (!node) return;
    TFormHelp help(this, core_, Q(node->Title), Q(model_.HelpTopic(entry)));
    ExecDialog(help);
}

std::optional<std::string> TFormFavourites::ChooseNamesFile(bool save) {
    TFileChoice choice;
    choice.save = save;
    choice.title = save ? kFavouritesExport : kFavouritesImport;
    choice.filter = kMethodListFilter;
    choice.defaultExtension = kMethodListDefaultExt;
    choice.initialFolder = core_.Folder();
    return core_.Ui().ChooseFile(choice);
}

void TFormFavourites::ImportNames() {
    auto path = ChooseNamesFile(false);
    if (!path) return;
    std::string message;
    if (!model_.ImportNames(*path, message)) core_.ErrorBox(message);
    Rebuild();
}

void TFormFavourites::ExportNames() {
    auto path = ChooseNamesFile(true);
    if (!path) return;
    std::string message;
    if (!model_.ExportNames(*path, message)) core_.ErrorBox(message);
}

void TFormFavourites::accept() {
    model_.Ordered = ordered_->isChecked();
    model_.ShowGroupName = showGroup_->isChecked();
    model_.ShowMethodFlags = showFlags_->isChecked();
    QDialog::accept();
}

}  // namespace zentrix::gui
