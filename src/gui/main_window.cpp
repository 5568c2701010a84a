#include "gui/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>

#include <iostream>

#include "app/publisher_links.h"
#include "app/scenario_run.h"
#include "app/session.h"
#include "app/window_placement.h"
#include "gui/about_dialog.h"
#include "gui/action_list.h"
#include "gui/card_tab.h"
#include "gui/chart_commands.h"
#include "gui/combs_page.h"
#include "gui/download_actions.h"
#include "gui/draws_page.h"
#include "gui/export_commands.h"
#include "gui/first_run_dialog.h"
#include "gui/graphs_tab.h"
#include "gui/grid_table.h"
#include "gui/help_dialog.h"
#include "gui/kept_splitter.h"
#include "gui/layout_tab.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/params_dialog.h"
#include "gui/qt_ui_port.h"
#include "gui/ratings_page.h"
#include "gui/regulars_page.h"
#include "gui/scenario_page.h"
#include "gui/shred_dialog.h"
#include "gui/stakes_page.h"
#include "gui/stats_tab.h"
#include "gui/systems_catalog_panel.h"
#include "gui/systems_page.h"
#include "gui/update_actions.h"
#include "gui/week_tab.h"
#include "gui/window_geometry.h"
#include "util/errors.h"
#include "util/help_files.h"
#include "version.h"

namespace zentrix::gui {

namespace {

constexpr const char* kSection = TWindowSettings::kMainSection;

}  // namespace

TFormMain::TFormMain(const TStartupSwitches& switches, const std::string& dataFolder,
                     QWidget* parent)
    : QMainWindow(parent), switches_(switches) {
    setObjectName("FormMain");
    ui_ = std::make_unique<TQtUiPort>(this);
    ui_->SetDataFolder(dataFolder);
    session_ = std::make_unique<TMainSession>(dataFolder, *ui_);
    actions_ = new TActionList(
        this, [this] { return session_->Core().NotBusy(); },
        [this](const std::exception& e) { ShowError(e); });
    setWindowTitle("Zentrix 8x20");
    resize(1280, 800);

    CreateStatusBar();
    CreatePages();
    CreateActions();
    CreateMenus();
    connect(ui_.get(), &TQtUiPort::invalidated, this, &TFormMain::OnInvalidated);

    // A second copy finds the folder taken before it writes anything there; it skips the loading
    // and shows the exclusive-access message at initialization.
    if (session_->TryDataLock()) {
        session_->LoadWindowSettings();
        RestoreWindowSettings();
        ApplyTabVisibility();
        systemsPage_->ApplyEnabled();
        session_->LoadConfig();
        session_->InitRegistry();
    }
    actions_->UpdateNow();
    QTimer::singleShot(0, this, &TFormMain::Initialize);
}

TFormMain::~TFormMain() {
    if (!storedSettings_ && session_->HoldsDataLock()) StoreWindowSettings();
    // The stakes file is closed while the pages live: closing shows its status.
    session_->Stakes().Close();
    // What the session says while it is destroyed must not reach pages already gone.
    ui_->disconnect(this);
    pages_.clear();
    // The pages go before the session they show: a tab widget losing its pages lays out the
    // next one, whose grids read the session's views.
    delete takeCentralWidget();
    ModalHooks().shownMessages.clear();
}

void TFormMain::CreateStatusBar() {
    // Least widths; a longer text widens its panel (labels never cut their text).
    const int widths[] = {120, 130, 150, 120, 70, 70, 0};
    for (int i = 0; i < kStatusPanelCount; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("stPanel%1").arg(i));
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        if (widths[i]) {
            panels_[i]->setMinimumWidth(widths[i]);
        } else {
            // A long hint is cut at the window's edge; it never squeezes the counts beside it
            // nor widens the window.
            panels_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            panels_[i]->setMinimumWidth(0);
        }
        statusBar()->addWidget(panels_[i], widths[i] ? 0 : 1);
    }
    ui_->SetPanels(panels_);
}

void TFormMain::CreatePages() {
    leftPages_ = new QTabWidget(this);
    leftPages_->setObjectName("pcLeft");
    drawsPage_ =
        AddPage(leftPages_, new TDrawsPage(leftPages_, *session_, *actions_), "Архив тиражей");
    combsPage_ =
        AddPage(leftPages_, new TCombsPage(leftPages_, *session_, *actions_), "Комбинации");

    mainPages_ = new QTabWidget(this);
    mainPages_->setObjectName("pcMain");
    statsTab_ = AddPage(mainPages_, new TStatsTab(mainPages_, *session_, *actions_), "Статистика");
    graphsTab_ =
        AddPage(mainPages_, new TGraphsTab(mainPages_, *session_, *actions_), TGraphsTab::kCaption);
    chartCommands_ = new TChartCommands(this, *session_, *actions_);
    cardTab_ = AddPage(mainPages_, new TCardTab(mainPages_, *session_, *actions_), "Карта");
    layoutTab_ = AddPage(mainPages_, new TLayoutTab(mainPages_, *session_, *actions_), "Схема");
    weekTab_ = AddPage(mainPages_, new TWeekTab(mainPages_, *session_, *actions_), "Неделя");
    stakesPage_ =
        AddPage(mainPages_, new TStakesPage(mainPages_, *session_, *actions_, combsPage_->List()),
                "Ставки");
    ratingsPage_ =
        AddPage(mainPages_,
                new TRatingsPage(mainPages_, *session_, *actions_,
                                 [this] { mainPages_->setCurrentWidget(scenarioPage_); }),
                "Рейтинг");
    regularsPage_ = AddPage(
        mainPages_, new TRegularsPage(mainPages_, *session_, *actions_, stakesPage_), "Регуляры");
    systemsPage_ = AddPage(
        mainPages_, new TSystemsPage(mainPages_, *session_, *actions_, [this] { ShowLastStake(); }),
        "Системы");
    scenarioPage_ =
        AddPage(mainPages_,
                new TScenarioPage(mainPages_, *session_, *actions_,
                                  [this] { return combsPage_->ExcludeSpin()->value(); }),
                "Сценарий");
    scenarioPage_->SetRunPages({drawsPage_, combsPage_, statsTab_});

    split_ = new TKeptSplitter(Qt::Horizontal, 0, this);
    split_->setObjectName("splMain");
    split_->addWidget(leftPages_);
    split_->addWidget(mainPages_);
    split_->setStretchFactor(0, 0);
    split_->setStretchFactor(1, 1);
    split_->setSizes({560, 720});
    setCentralWidget(split_);
    // A double click on a combination makes a stake on it.
    connect(combsPage_->List(), &QAbstractItemView::doubleClicked, this, [this] {
        actions_->UpdateNow();
        QAction* make = stakesPage_->Commands().make;
        if (make->isEnabled()) make->trigger();
    });
    connect(mainPages_, &QTabWidget::currentChanged, this,
            [this] { actions_->Run([this] { session_->Core().RefreshViews(false); }); });
}

void TFormMain::CreateActions() {
    params_ = actions_->Add(
        "Параметры", "Параметры системы", {}, [this] { return session_->Config().CanParams(); },
        [this] { ShowParams(); });
    shredding_ = actions_->Add(
        kShredActionCaption, kShredActionHint, {},
        [this] { return session_->Config().CanShredding(); }, [this] { ShowShredding(); });
    exit_ = actions_->Add("Выход", "Выход из программы", QKeySequence("Alt+F4"), {},
                          [this] { close(); });
    about_ =
        actions_->Add("О программе", "Информация о программе", {}, {}, [this] { ShowAbout(); });
    downloadActions_ = new TDownloadActions(this, *session_, *actions_);
    updateActions_ = new TUpdateActions(this, *session_, *actions_, session_->Core().Folder());
    TViewsController& views = session_->Views();
    AddTabEntry(cardTab_, "Вкладка \"Карта\"", "Скрыть / показать вкладку \"Карта тиражей\"",
                &TMainOptions::TabCard, [&views] { return views.ToggleTab(TGridView::Card); });
    AddTabEntry(layoutTab_, "Вкладка \"Схема\"",
                "Скрыть / показать вкладку \"Схема выпадения номеров\"", &TMainOptions::TabLayout,
                [&views] { return views.ToggleTab(TGridView::Layout); });
    AddTabEntry(weekTab_, "Вкладка \"Неделя\"", "Скрыть / показать вкладку \"Неделя\"",
                &TMainOptions::TabWeek, [&views] { return views.ToggleTab(TGridView::Week); });
    TRegularsController& regulars = session_->Regulars();
    AddTabEntry(regularsPage_, "Вкладка \"Регуляры\"",
                "Скрыть / показать вкладку \"Регулярные ставки\"", &TMainOptions::TabTables,
                [&regulars] { return regulars.ToggleTab(); });
    AddTabEntry(systemsPage_, kSystemsToggleCaption, kSystemsToggleHint,
                &TMainOptions::SystemsEnabled, [this] {
                    const bool shown = session_->Systems().Toggle();
                    systemsPage_->ApplyEnabled();
                    systemsPage_->Catalog()->ApplyEnabled();
                    return shown;
                });
    // Ctrl+J opens a scenario file; the same key here would leave both commands without one.
    tabEntries_.back().action->setShortcut(QKeySequence("Ctrl+Shift+J"));
}

void TFormMain::AddTabEntry(QWidget* page, const QString& caption, const QString& hint,
                            bool TMainOptions::*option, std::function<bool()> toggle) {
    const TMainOptions& o = session_->Core().Settings().Options();
    QAction* action = actions_->AddCheck(
        caption, hint, {}, [&o, option] { return o.*option; },
        [this, page, toggle] {
            const bool shown = toggle();
            mainPages_->setTabVisible(mainPages_->indexOf(page), shown);
            if (shown) mainPages_->setCurrentWidget(page);
        });
    tabEntries_.push_back({page, option, std::move(toggle), action});
    if (viewMenu_) viewMenu_->addAction(action);
}

void TFormMain::ShowLastStake() {
    TListView* grid = stakesPage_->Grid();
    const int last = grid->model()->rowCount() - 1;
    if (last < 0) return;
    grid->clearSelection();
    grid->selectRow(last);
    grid->scrollTo(grid->model()->index(last, 0));
}

void TFormMain::ApplyTabVisibility() {
    const TMainOptions& o = session_->Core().Settings().Options();
    for (const TTabEntry& entry : tabEntries_)
        mainPages_->setTabVisible(mainPages_->indexOf(entry.page), o.*entry.option);
}

void TFormMain::CreateMenus() {
    QMenu* file = menuBar()->addMenu("Файл");
    file->addAction(params_);
    file->addAction(shredding_);
    file->addSeparator();
    file->addAction(exit_);

    QMenu* draws = menuBar()->addMenu("Тиражи");
    TActionList::AddToMenu(draws, drawsPage_->Actions());
    downloadActions_->AddToMenu(draws);

    QMenu* combs = menuBar()->addMenu("Комбинации");
    TActionList::AddToMenu(combs, combsPage_->Actions());

    QMenu* stats = menuBar()->addMenu("Статистика");
    TActionList::AddToMenu(stats, statsTab_->Actions());

    // The distribution analyses.
    TActionList::AddToMenu(menuBar()->addMenu(TChartCommands::kMenuCaption),
                           chartCommands_->Actions());

    QMenu* stakes = menuBar()->addMenu("Ставки");
    TActionList::AddToMenu(stakes, stakesPage_->Actions());
    // The graphs of the stakes of the selected rating rows are commands of both pages.
    stakes->addSeparator();
    stakes->addAction(ratingsPage_->Commands().stakeMatches);
    stakes->addAction(ratingsPage_->Commands().stakeProfits);
    stakes->addSeparator();
    TActionList::AddToMenu(stakes, regularsPage_->Actions());

    QMenu* ratings = menuBar()->addMenu("Рейтинг");
    TActionList::AddToMenu(ratings, ratingsPage_->Actions());

    QMenu* scenario = menuBar()->addMenu("Сценарий");
    TActionList::AddToMenu(scenario, scenarioPage_->Actions());

    QMenu* systemsMenu = menuBar()->addMenu("Системы");
    TActionList::AddToMenu(systemsMenu, systemsPage_->PlayActions());
    systemsMenu->addSeparator();
    TActionList::AddToMenu(systemsMenu, systemsPage_->Catalog()->Actions());

    viewMenu_ = menuBar()->addMenu("Вид");
    viewMenu_->addAction(graphsTab_->TabAction());
    for (const TTabEntry& entry : tabEntries_) viewMenu_->addAction(entry.action);
    viewMenu_->addSeparator();
    for (const QList<QAction*>& options :
         {cardTab_->Actions().mid(3), layoutTab_->Actions().mid(4), weekTab_->Actions().mid(4)})
        TActionList::AddToMenu(viewMenu_, options);
    // Spreadsheet export: one command per table.
    exportCommands_ = new TExportCommands(this, *session_, *actions_);
    exportCommands_->Add("draws", drawsPage_->List());
    exportCommands_->Add("combs", combsPage_->List());
    exportCommands_->Add("stats", statsTab_->Table());
    exportCommands_->Add("stakes", stakesPage_->Grid());
    exportCommands_->Add("ratings", ratingsPage_->List());
    cardTab_->AddExport(exportCommands_->Add("card", cardTab_->Grid()));
    layoutTab_->AddExport(exportCommands_->Add("scheme", layoutTab_->Grid()));
    TActionList::AddToMenu(menuBar()->addMenu("Экспорт"), exportCommands_->Actions());

    QMenu* language = menuBar()->addMenu("Язык интерфейса");
    auto* group = new QActionGroup(language);
    QAction* russian = language->addAction("Русский");
    russian->setCheckable(true);
    russian->setChecked(true);
    group->addAction(russian);

    QMenu* help = menuBar()->addMenu("Справка");
    // Enabled only when the help folder was found at start.
    QAction* helpFile = actions_->Add(
        "Справка", "Вызов файла справки", QKeySequence("F1"), [] { return !HelpFolder().empty(); },
        [this] { ShowHelpContents(); });
    helpAction_ = helpFile;
    help->addAction(helpFile);
    help->addAction(about_);
    updateActions_->AddToMenu(help);
    help->addSeparator();
    for (const TPublisherLink& link : kLinkActions) {
        std::string address = link.address;
        help->addAction(actions_->Add(Q(link.caption), Q(link.address), {}, {}, [this, address] {
            session_->Core().Ui().OpenDocument(address);
        }));
    }
    // Window-wide shortcuts of actions only reachable through menus work from any page.
    for (QAction* a : findChildren<QAction*>())
        if (a->shortcutContext() == Qt::WindowShortcut) addAction(a);
}

void TFormMain::ShowHelpContents() {
    TFormHelp dialog(this, session_->Core());
    ExecDialog(dialog);
}

void TFormMain::RestoreWindowSettings() {
    TWindowSettings& settings = session_->Core().Settings();
    const TMainOptions& o = settings.Options();
    // The designed size, centred, unless a placement was stored; either fitted to the screens.
    RestorePlacement(this, settings.Ini(), kSection);
    split_->SetKeptSize(o.LeftPanelWidth);
    for (TPage* page : pages_) page->RestoreSettings(settings);
    if (!o.PrefetchsInit) {
        // The first start in this folder: the help dialog is offered until its box is ticked.
        settings.Options().PrefetchsInit = true;
        settings.Options().FirstRun = true;
        try {
            settings.StoreOption(&TMainOptions::PrefetchsInit);
            settings.StoreOption(&TMainOptions::PrefetchsEnabled);
            settings.StoreOption(&TMainOptions::FirstRun);
        } catch (const std::exception& e) {
            session_->Core().ReportFailure("Ошибка загрузки параметров программы!\n\n%s", e);
        }
    }
}

void TFormMain::StoreWindowSettings() {
    storedSettings_ = true;
    try {
        TWindowSettings& settings = session_->Core().Settings();
        TMainOptions& o = settings.Options();
        StorePlacement(this, settings.Ini(), kSection);
        o.LeftPanelWidth = split_->KeptSize(o.LeftPanelWidth);
        for (TPage* page : pages_) page->StoreSettings(settings);
        settings.StoreExitOptions();
        settings.Save();
    } catch (const std::exception& e) {
        std::cerr << "Zentrix_8x20: " << e.what() << "\n";
    }
}

void TFormMain::Initialize() {
    TSessionCore& core = session_->Core();
    setWindowTitle(windowTitle() + " версия " + kProgramVersion);
    if (!session_->Initialize(switches_)) {
        // Another copy holds this folder: the message was shown; end.
        storedSettings_ = true;
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    initialized_ = true;
    if (switches_.EndsAfterInit() || switches_.quitAfterStart) {
        QTimer::singleShot(0, this, &QWidget::close);
    } else {
        // The online scenario catalog is filled once at start.
        actions_->Run([this] { session_->Catalog().RefreshCatalog(); });
        actions_->UpdateNow();
        // The catalog's systems, when the page is on.
        if (session_->Systems().Enabled())
            actions_->Run([this] { systemsPage_->Catalog()->ApplyEnabled(); });
        bool restarting = false;
        actions_->Run([this, &restarting] { restarting = updateActions_->StartupCheck(); });
        if (restarting) {
            emit initializationFinished();
            return;
        }
        actions_->Run([this] { session_->Download().StartupDownload(); });
        if (core.Settings().Options().FirstRun) {
            std::function<void()> openHelp;
            if (!HelpFolder().empty()) openHelp = [this] { ShowHelpContents(); };
            TFormFirstRun dialog(this, core.Ui(), openHelp);
            ExecDialog(dialog);
            if (dialog.DontShowAgain()) {
                core.Settings().Options().FirstRun = false;
                core.StoreOption(&TMainOptions::FirstRun);
            }
        }
    }
    actions_->UpdateNow();
    core.ShowStatus({});
    emit initializationFinished();
}

void TFormMain::OnInvalidated(TUiPart part) {
    for (TPage* page : pages_) page->OnInvalidated(part);
    actions_->RequestUpdate();
}

bool TFormMain::event(QEvent* event) {
    // Hints go to the status line while the program is not busy.
    if (event->type() == QEvent::StatusTip) {
        if (session_ && session_->Core().NotBusy())
            panels_[6]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TFormMain::closeEvent(QCloseEvent* event) {
    // A run in progress is stopped first (after the stop question); the window closes once the
    // run has returned, so nothing it writes is cut off.
    if (session_->Run().Running()) {
        event->ignore();
        if (!session_->Run().StopRequested() && !session_->Run().Stop()) return;
        auto* wait = new QTimer(this);
        connect(wait, &QTimer::timeout, this, [this, wait] {
            if (session_->Run().Running()) return;
            wait->deleteLater();
            close();
        });
        wait->start(50);
        return;
    }
    if (!storedSettings_ && session_->HoldsDataLock()) StoreWindowSettings();
    event->accept();
}

void TFormMain::ShowParams() {
    TFormParams dialog(this, session_->Core(), session_->Config().OpenParams());
    if (ExecDialog(dialog) == QDialog::Accepted) session_->Config().ApplyParams(dialog.Result());
}

void TFormMain::ShowShredding() {
    TFormShredding dialog(this, session_->Config().OpenShredding());
    if (ExecDialog(dialog) == QDialog::Accepted) session_->Config().ApplyShredding(dialog.Result());
}

void TFormMain::ShowAbout() {
    TFormAbout dialog(this, session_->Core().Ui());
    ExecDialog(dialog);
}

void TFormMain::ShowError(const std::exception& error) {
    session_->Core().ErrorBox(ErrorText(error));
}

}  // namespace zentrix::gui
