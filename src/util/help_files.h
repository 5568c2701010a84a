#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentrix {

// The help is a folder of HTML pages shipped with the program ("help").
inline constexpr const char* kHelpFolderName = "help";
// The guide's contents page.
inline constexpr const char* kHelpIndexPage = "index.htm";

// The help folder of an installed or built program: "help" beside the executable, then "help" in
// its parent folder, then "../share/zentrix/help" (the install prefix). Empty when none holds the
// contents page.
std::string FindHelpFolder(const std::string& executablePath);

// The help folder found at start, for the whole run; empty when there is none.
void SetHelpFolder(std::string folder);
const std::string& HelpFolder();

// A method's page name: "Filters_1049_NUMS.htm".
std::string MethodHelpPageName(const std::string& helpCode);
// The page's path in the help folder found at start; empty without a help folder.
std::string HelpPagePath(std::string_view page);

// The guide's pages (without the method pages), in the contents' order, and their titles.
struct THelpGuidePage {
    const char* topic;  // the CLI's topic: the page name without ".htm"
    const char* title;
};
const std::vector<THelpGuidePage>& HelpGuidePages();

}  // namespace zentrix
