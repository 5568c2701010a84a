#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zentrix {

// What an installation changes in the program folder.
struct TInstallPlan {
    std::string workFolder;                              // the unpacked package
    std::string programFolder;                           // where the files go
    std::vector<std::string> deleteBefore, deleteAfter;  // names relative to the program folder
};

// Tests: called before each change of the program folder with the path it changes; a throw there
// stands for a failure in the middle.
using TInstallFaultHook = std::function<void(const std::string& path)>;

// Raises EUpdateError with advice when files cannot be created in the program folder (a system-wide
// install).
void RequireWritableProgramFolder(const std::string& programFolder);

// Copies the work folder's files (subfolders too) over the program folder, with the delete lists
// before and after. All or nothing: every file is first copied beside its target under a
// temporary name and every name is checked; then the targets are swapped in by renames, the old
// files kept aside; a failure undoes the renames made so far, so the program folder is left as it
// was. At the end the old files are removed (a leftover "*.~old" is removed by the next check).
// Returns the relative names installed.
std::vector<std::string> InstallUpdateFiles(const TInstallPlan& plan,
                                            const TInstallFaultHook& fault = {});

}  // namespace zentrix
