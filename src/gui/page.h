#pragma once

#include "app/ui_port.h"
#include "app/window_settings.h"

namespace zentrix::gui {

// One page of the main window. The frame keeps its pages in a list: it restores their settings
// at the start, stores them at exit and passes every invalidation to each of them.
class TPage {
  public:
    virtual ~TPage() = default;

    // Reads the page's kept sizes, list columns and options once the window settings are loaded.
    virtual void RestoreSettings(TWindowSettings& settings) = 0;
    // Puts them back into the settings before the "at exit" options are written.
    virtual void StoreSettings(TWindowSettings& settings) = 0;
    // Shows the part afresh; a part the page does not show is ignored.
    virtual void OnInvalidated(TUiPart part) = 0;
};

}  // namespace zentrix::gui
