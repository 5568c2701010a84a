#include "scenario/scenario_file.h"

#include "util/files.h"
#include "util/program_folder.h"

namespace zentrix {

std::string WorkingScenarioPath(const std::string& folder) {
    return ProgramFile(folder, kWorkingScenarioExtension);
}

std::vector<std::string> ReadScenarioFile(const std::string& path) {
    return ReadTextLines(path);
}

void WriteScenarioFile(const std::string& path, const std::vector<std::string>& lines) {
    WriteTextLines(path, lines);
}

}  // namespace zentrix
