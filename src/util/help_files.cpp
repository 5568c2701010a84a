#include "util/help_files.h"

#include <filesystem>

#include "util/files.h"
#include "util/format.h"

namespace zentrix {

namespace {

std::string& HelpFolderRef() {
    static std::string folder;
    return folder;
}

}  // namespace

std::string FindHelpFolder(const std::string& executablePath) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path exeDir = fs::absolute(fs::path(executablePath), ec).parent_path();
    if (ec) return {};
    for (const fs::path& candidate :
         {exeDir / kHelpFolderName, exeDir.parent_path() / kHelpFolderName,
          exeDir.parent_path() / "share" / "zentrix" / kHelpFolderName}) {
        const fs::path index = candidate / kHelpIndexPage;
        if (fs::is_regular_file(index, ec)) return fs::weakly_canonical(candidate, ec).string();
    }
    return {};
}

void SetHelpFolder(std::string folder) {
    HelpFolderRef() = std::move(folder);
}

const std::string& HelpFolder() {
    return HelpFolderRef();
}

std::string MethodHelpPageName(const std::string& helpCode) {
    return Format("Filters_%.4d_%s.htm", {1049, helpCode});
}

std::string HelpPagePath(std::string_view page) {
    if (HelpFolder().empty()) return {};
    return JoinPath(HelpFolder(), std::string(page));
}

const std::vector<THelpGuidePage>& HelpGuidePages() {
    static const std::vector<THelpGuidePage> pages = {
        {"index", "Содержание"},
        {"stat-table", "Таблица статистики"},
        {"flags", "Особенности методов (флаги)"},
        {"methods", "Методы расчета статистики"},
        {"working-list", "Рабочий список и журнал фильтров"},
        {"filters", "Фильтрация комбинаций"},
        {"settings", "Параметры программы"},
        {"scenarios", "Сценарии"},
        {"stakes", "Ставки"},
        {"ratings", "Рейтинг"},
        {"views", "Карта, схема, неделя, графики"},
        {"download", "Загрузка тиражей и прокси"},
        {"exchange", "Обмен CSV и экспорт"},
        {"systems", "Системы и проверка систем"},
        {"cli", "Командная строка"},
    };
    return pages;
}

}  // namespace zentrix
