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
#include "gui/combs_page.h"
#include "gui/download_actions.h"
#include "gui/draws_page.h"
#include "gui/first_run_dialog.h"
#include "gui/kept_splitter.h"
#include "gui/list_view.h"
#include "gui/modal_hooks.h"
#include "gui/params_dialog.h"
#include "gui/qt_ui_port.h"
#include "gui/ratings_page.h"
#include "gui/scenario_page.h"
#include "gui/shred_dialog.h"
#include "gui/stakes_page.h"
#include "gui/stats_tab.h"
#include "util/errors.h"
#include "version.h"

namespace zentrix::gui {

namespace {

constexpr const char* kSection = TWindowSettings::kMainSection;

TScreenInfo CurrentScreen(const QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return {};
    return {screen->geometry().width(), screen->geometry().height(),
            static_cast<int>(screen->logicalDotsPerInch())};
}

std::vector<TScreenRect> AvailableScreens() {
    std::vector<TScreenRect> screens;
    const QScreen* primary = QGuiApplication::primaryScreen();
    auto add = [&screens](const QScreen* s) {
        const QRect r = s->availableGeometry();
        screens.push_back({r.left(), r.top(), r.width(), r.height()});
    };
    if (primary) add(primary);
    for (const QScreen* s : QGuiApplication::screens())
        if (s != primary) add(s);
    return screens;
}

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
    stakesPage_ =
        AddPage(mainPages_, new TStakesPage(mainPages_, *session_, *actions_, combsPage_->List()),
                "Ставки");
    ratingsPage_ =
        AddPage(mainPages_,
                new TRatingsPage(mainPages_, *session_, *actions_,
                                 [this] { mainPages_->setCurrentWidget(scenarioPage_); }),
                "Рейтинг");
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

    QMenu* stakes = menuBar()->addMenu("Ставки");
    TActionList::AddToMenu(stakes, stakesPage_->Actions());
    // The graphs of the stakes of the selected rating rows are commands of both pages.
    stakes->addSeparator();
    stakes->addAction(ratingsPage_->Commands().stakeMatches);
    stakes->addAction(ratingsPage_->Commands().stakeProfits);

    QMenu* ratings = menuBar()->addMenu("Рейтинг");
    TActionList::AddToMenu(ratings, ratingsPage_->Actions());

    QMenu* scenario = menuBar()->addMenu("Сценарий");
    TActionList::AddToMenu(scenario, scenarioPage_->Actions());

    QMenu* language = menuBar()->addMenu("Язык интерфейса");
    auto* group = new QActionGroup(language);
    QAction* russian = language->addAction("Русский");
    russian->setCheckable(true);
    russian->setChecked(true);
    group->addAction(russian);

    QMenu* help = menuBar()->addMenu("Справка");
    // There is no help file: the action stays disabled.
    QAction* helpFile = actions_->Add(
        "Справка", "Вызов файла справки", QKeySequence("F1"), [] { return false; }, [] {});
    help->addAction(helpFile);
    help->addAction(about_);
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

void TFormMain::RestoreWindowSettings() {
    TWindowSettings& settings = session_->Core().Settings();
    const TMainOptions& o = settings.Options();
    // The designed size, centred, unless a placement was stored; either fitted to the screens.
    TWindowPlacement p;
    const std::vector<TScreenRect> screens = AvailableScreens();
    if (auto stored = ReadPlacement(settings.Ini(), kSection, CurrentScreen(this))) {
        p = *stored;
    } else if (!screens.empty()) {
        const TScreenRect& s = screens.front();
        p.left = s.left + std::max(0, (s.width - width()) / 2);
        p.top = s.top + std::max(0, (s.height - height()) / 2);
        p.right = p.left + width();
        p.bottom = p.top + height();
    }
    if (!screens.empty()) {
        p = FitToScreens(p, screens);
        setGeometry(p.left, p.top, p.right - p.left, p.bottom - p.top);
    }
    if (p.showCmd == 3) setWindowState(Qt::WindowMaximized);
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
        QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
        TWindowPlacement p;
        p.showCmd = isMaximized() ? 3 : isMinimized() ? 2 : 1;
        p.left = normal.left();
        p.top = normal.top();
        p.right = normal.left() + normal.width();
        p.bottom = normal.top() + normal.height();
        WritePlacement(settings.Ini(), kSection, p, CurrentScreen(this));
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
    if (switches_.EndsAfterInit()) {
        QTimer::singleShot(0, this, &QWidget::close);
    } else {
        actions_->UpdateNow();
        actions_->Run([this] { session_->Download().StartupDownload(); });
        if (core.Settings().Options().FirstRun) {
            // There is no help file, so its button stays disabled.
            TFormFirstRun dialog(this, core.Ui(), false);
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
