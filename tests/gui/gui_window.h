#pragma once

#include <memory>
#include <string>

#include "gui/main_window.h"

namespace zentrix::test {

// Opens the real main window on a folder and waits for its start to finish. Unless the window
// settings say otherwise, the start downloads nothing and the systems page is off.
std::unique_ptr<gui::TFormMain> OpenWindow(const std::string& folder);

// A demo archive of `draws` draws in the folder.
void WriteArchive(const std::string& folder, int draws);

}  // namespace zentrix::test
