#pragma once

#include <string>
#include <vector>

#include "app/window_placement.h"

class QWidget;

namespace zentrix {
class TIniFile;
class TSessionCore;
}  // namespace zentrix

namespace zentrix::gui {

// The screen a window is on (size and pixel density), as placements are stored per screen.
TScreenInfo CurrentScreen(const QWidget* window);
// The usable areas of the screens, the primary one first.
std::vector<TScreenRect> AvailableScreens();

// A window's stored placement, fitted to the screens; without one it keeps its designed size,
// centred on the primary screen.
void RestorePlacement(QWidget* window, const TIniFile& ini, const std::string& section);
void StorePlacement(const QWidget* window, TIniFile& ini, const std::string& section);
// A closing window's placement stored and the settings saved; a failed save is shown, never
// thrown, so the window still closes.
void SavePlacementOnClose(const QWidget* window, TSessionCore& core, const std::string& section);

}  // namespace zentrix::gui
