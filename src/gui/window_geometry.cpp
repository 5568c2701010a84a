#include "gui/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "app/session_core.h"
#include "util/errors.h"
#include "util/ini.h"

namespace zentrix::gui {

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

void RestorePlacement(QWidget* window, const TIniFile& ini, const std::string& section) {
    const std::vector<TScreenRect> screens = AvailableScreens();
    if (screens.empty()) return;
    TWindowPlacement p;
    if (auto stored = ReadPlacement(ini, section, CurrentScreen(window))) {
        p = *stored;
    } else {
        const TScreenRect& s = screens.front();
        p.left = s.left + std::max(0, (s.width - window->width()) / 2);
        p.top = s.top + std::max(0, (s.height - window->height()) / 2);
        p.right = p.left + window->width();
        p.bottom = p.top + window->height();
    }
    p = FitToScreens(p, screens);
    window->setGeometry(p.left, p.top, p.right - p.left, p.bottom - p.top);
    if (p.showCmd == 3) window->setWindowState(Qt::WindowMaximized);
}

void StorePlacement(const QWidget* window, TIniFile& ini, const std::string& section) {
    const QRect normal =
        window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    TWindowPlacement p;
    p.showCmd = window->isMaximized() ? 3 : window->isMinimized() ? 2 : 1;
    p.left = normal.left();
    p.top = normal.top();
    p.right = normal.left() + normal.width();
    p.bottom = normal.top() + normal.height();
    WritePlacement(ini, section, p, CurrentScreen(window));
}

void SavePlacementOnClose(const QWidget* window, TSessionCore& core, const std::string& section) {
    try {
        StorePlacement(window, core.Settings().Ini(), section);
        core.Settings().Save();
    } catch (const std::exception& e) {
        core.ErrorBox(ErrorText(e));
    }
}

}  // namespace zentrix::gui
