#include "gui/catalog_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/catalog_dialogs.h"
#include "app/session.h"
#include "gui/action_list.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"
#include "gui/script_props_dialog.h"
#include "gui/script_rates_dialog.h"
#include "gui/virtual_model.h"

namespace zentrix::gui {

namespace {

const char* const kRateCaptions[] = {"Удалить оценку", "[ 1 ] - Бесполезно",
                                     "[ 2 ] - Плохо",  "[ 3 ] - Удовлетворительно",
                                     "[ 4 ] - Хорошо", "[ 5 ] - Отлично"};

// A description of several lines shows on one line of the list.
std::vector<std::string> ListTexts(const TScriptInfo& entry) {
    std::vector<std::string> texts = CatalogRowTexts(entry);
    for (std::string& text : texts)
        for (char& c : text)
            if (c == '\r' || c == '\n') c = ' ';
    return texts;
}

}  // namespace

TCatalogPanel::TCatalogPanel(QWidget* parent, TMainSession& session, TActionList& actions)
    : QWidget(parent), session_(session), actions_(actions) {
    setObjectName("pnlOnlineScripts");
    TCatalogController& catalog = session_.Catalog();

    TVirtualModel::TSource source;
    source.header = CatalogColumns();
    source.rowCount = [&catalog] { return static_cast<int>(catalog.Entries().size()); };
    source.rowTexts = [&catalog](int row) {
        return ListTexts(catalog.Entries().at(static_cast<size_t>(row)));
    };
    source.rowIcon = [this, &catalog](int row) {
        return style()->standardIcon(catalog.Entries().at(static_cast<size_t>(row)).Public
                                         ? QStyle::SP_DriveNetIcon
                                         : QStyle::SP_ComputerIcon);
    };
    // "Версия" to "Последняя" centred.
    source.alignment.assign(source.header.size(), Qt::AlignLeft);
    for (size_t c = 4; c <= 11 && c < source.alignment.size(); ++c)
        source.alignment[c] = Qt::AlignHCenter;
    model_ = new TVirtualModel(this, std::move(source));
    list_ = new TListView(this, kCatalogListName);
    list_->setModel(model_);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    const int widths[] = {70, 200, 110, 110, 70, 50, 150, 70, 60, 90, 70, 150};
    for (int c = 0; c < 12; ++c) list_->setColumnWidth(c, widths[c]);
    list_->horizontalHeader()->setSortIndicatorShown(true);
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        actions_.Run([this, column] { session_.Catalog().SortByClick(column); });
    });

    TActions& a = commands_;
    a.toggle = actions_.AddCheck(
        "Online каталог сценариев", "Online каталог сценариев",
        [&catalog] { return catalog.CanTogglePanel(); },
        [&catalog] { return catalog.PanelShown(); }, [&catalog] { catalog.TogglePanel(); });
    a.toggle->setShortcut(QKeySequence("Ctrl+L"));
    a.refresh = actions_.Add(
        "Обновить", "Перезагрузить каталог с сервера", {},
        [&catalog] { return catalog.CanRefresh(); }, [&catalog] { catalog.RefreshCatalog(); });
    a.download = actions_.Add(
        "Скачать из каталога", "Скачать выбранный сценарий из online-каталога", {},
        [&catalog] { return catalog.CanDownload(); }, [&catalog] { catalog.Download(); });
    a.upload = actions_.Add(
        "Опубликовать", "Опубликовать текущий сценарий в online-каталоге", {},
        [&catalog] { return catalog.CanPublish(); }, [this] { Publish(); });
    a.replace = actions_.Add(
        "Изменить", "Заменить выделенный сценарий в online-каталоге текущим", {},
        [&catalog] { return catalog.CanReplace(); }, [this] { Replace(); });
    a.remove = actions_.Add(
        "Удалить", "Удалить выделенный сценарий из online-каталога", {},
        [&catalog] { return catalog.CanDelete(); }, [&catalog] { catalog.Delete(); });
    a.view = actions_.Add(
        "Свойства сценария", "Просмотр сведений о выделенном сценарии", {},
        [&catalog] { return catalog.CanView(); }, [this] { ShowProperties(); });
    a.rates = actions_.Add(
        "Просмотр оценок", "Просмотр оценок сценария пользователями", {},
        [&catalog] { return catalog.CanView(); }, [this] { ShowRates(); });
    a.rate[0] = actions_.Add(
        kRateCaptions[0], "Удалить Вашу оценку", {},
        [&catalog] { return catalog.CanRemoveRating(); }, [this] { Rate(0); });
    auto myRating = [&catalog] {
        const TScriptInfo* e = catalog.SelectedEntry();
        return e ? e->MyRating : 0;
    };
    for (int v = 1; v <= 5; ++v)
        a.rate[v] = actions_.AddCheck(
            kRateCaptions[v], QString("Установить оценку \"%1\"").arg(v),
            [&catalog] { return catalog.CanRate(); }, [myRating, v] { return myRating() == v; },
            [this, v] { Rate(v); });
    a.hide = actions_.AddCheck(
        "Скрыть сценарий", "Исключить сценарий из Вашего списка",
        [&catalog] { return catalog.CanRate(); }, [myRating] { return myRating() < 0; },
        [this] { Rate(-1); });

    rateMenu_ = new QMenu("Оценить", this);
    TActionList::AddToMenu(rateMenu_, {a.rate[1], a.rate[2], a.rate[3], a.rate[4], a.rate[5],
                                       nullptr, a.hide, nullptr, a.rate[0]});
    menuActions_ = {a.toggle, nullptr,   a.download, a.view,  nullptr,
                    a.upload, a.replace, a.remove,   nullptr, rateMenu_->menuAction(),
                    a.rates,  nullptr,   a.refresh};

    filter_ = new QComboBox(this);
    filter_->setObjectName("cbOnlineScriptsFilter");
    filter_->setToolTip("Фильтр сценариев");
    filter_->setStatusTip("Фильтр сценариев");
    for (const std::string& name : CatalogFilterNames()) filter_->addItem(Q(name));
    filter_->setCurrentIndex(catalog.FilterIndex());
    filter_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(filter_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (showing_ || index < 0) return;
        actions_.Run([this, index] {
            TCatalogController& c = session_.Catalog();
            c.SetFilterIndex(index);
            if (c.CanRefresh()) c.RefreshCatalog();
        });
    });
    // The box follows the refresh command: usable only while the program is not busy.
    connect(a.refresh, &QAction::changed, filter_,
            [this] { filter_->setEnabled(commands_.refresh->isEnabled()); });
    filter_->setEnabled(a.refresh->isEnabled());

    buttons_ = {TActionList::Button(a.download, "Скачать", this),
                TActionList::Button(a.upload, "Опубликовать", this),
                TActionList::Button(a.replace, "Изменить", this)};
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(filter_);
    for (QPushButton* b : buttons_) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->addLayout(row);
    layout->addWidget(list_, 1);

    actions_.AttachContextMenu(list_, menuActions_);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TCatalogPanel::SelectionToController);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TCatalogPanel::SelectionToController);
    connect(list_, &QAbstractItemView::doubleClicked, this, [this] {
        actions_.UpdateNow();
        if (commands_.view->isEnabled()) commands_.view->trigger();
    });
    ShowCatalog();
}

void TCatalogPanel::RestoreSettings(TWindowSettings& settings) {
    session_.Catalog().RestoreOptions();
    list_->RestoreColumns(settings.Ini(), TWindowSettings::kMainSection);
    ShowCatalog();
}

void TCatalogPanel::StoreSettings(TWindowSettings& settings) {
    session_.Catalog().StoreOptions();
    list_->StoreColumns(settings.Ini(), TWindowSettings::kMainSection);
}

void TCatalogPanel::OnInvalidated(TUiPart part) {
    if (part == TUiPart::ScenarioCatalog) ShowCatalog();
}

void TCatalogPanel::ShowCatalog() {
    const TCatalogController& catalog = session_.Catalog();
    showing_ = true;
    model_->Reload();
    const int row = catalog.Selected();
    if (row >= 0 && row < model_->rowCount()) {
        list_->setCurrentIndex(model_->index(row, 0));
        list_->selectRow(row);
        list_->scrollTo(model_->index(row, 0));
    }
    list_->horizontalHeader()->setSortIndicator(
        catalog.SortColumn(), catalog.SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    filter_->setCurrentIndex(catalog.FilterIndex());
    setVisible(catalog.PanelShown());
    showing_ = false;
    actions_.RequestUpdate();
}

void TCatalogPanel::SelectionToController() {
    if (showing_) return;
    const int row = list_->FocusedRow();
    const bool selected = row >= 0 && list_->selectionModel()->isRowSelected(row, {});
    session_.Catalog().Select(selected ? row : -1);
    actions_.RequestUpdate();
}

bool TCatalogPanel::EditScriptData(TScriptData& data, bool editable) {
    TFormScriptProps dialog(window(), session_.Core(), session_.Catalog(), data, editable);
    if (ExecDialog(dialog) != QDialog::Accepted) return false;
    data = dialog.Result();
    return true;
}

void TCatalogPanel::Publish() {
    TCatalogController& catalog = session_.Catalog();
    TScriptData data = catalog.NewScriptData();
    if (EditScriptData(data, true)) catalog.Publish(data);
}

void TCatalogPanel::Replace() {
    TCatalogController& catalog = session_.Catalog();
    TScriptData data = catalog.SelectedScriptData();
    if (EditScriptData(data, true)) catalog.Replace(data);
}

void TCatalogPanel::ShowProperties() {
    try {
        TScriptData data = session_.Catalog().SelectedScriptData();
        EditScriptData(data, false);
    } catch (const std::exception& e) {
        session_.Core().ReportFailure("Ошибка просмотра свойств online-сценария!\n\n%s", e);
    }
}

void TCatalogPanel::ShowRates() {
    std::optional<std::vector<TScriptRate>> rates = session_.Catalog().LoadRates();
    if (!rates) return;
    try {
        TFormScriptRates dialog(window(), session_.Core(), TScriptRatesList(std::move(*rates)));
        ExecDialog(dialog);
    } catch (const std::exception& e) {
        session_.Core().ReportFailure("Ошибка просмотра оценок online-сценария!\n\n%s", e);
    }
}

void TCatalogPanel::Rate(int value) {
    std::string comment;
    if (value > 0) {
        std::optional<std::string> typed = session_.Core().Ui().InputText(
            "Комментарий", "Вы можете оставить свой комментарий:", "");
        if (!typed) return;
        comment = std::move(*typed);
    }
    session_.Catalog().Rate(value, comment);
}

}  // namespace zentrix::gui
