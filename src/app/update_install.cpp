#include "app/update_install.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "exchange/update_description.h"
#include "util/files.h"
#include "util/format.h"
#include "util/program_folder.h"
#include "util/strings.h"

namespace zentrix {

namespace fs = std::filesystem;

namespace {

EFileError SystemFailure(const std::string& what, const std::string& path, int error) {
    return EFileError(Format("%s \"%s\"\n\n%s", {what, path, SystemErrorText(error)}));
}

// "a/b" with no absolute start, no ".." and no empty name.
std::string SafeRelative(const std::string& name) {
    std::vector<std::string> parts;
    for (const std::string& part : SplitAny(name, "/\\")) {
        if (part == "..")
            throw EUpdateError("Недопустимое имя файла в описании обновления: " + name);
        if (part != ".") parts.push_back(part);
    }
    if (parts.empty() || name.front() == '/' || name.front() == '\\')
        throw EUpdateError("Недопустимое имя файла в описании обновления: " + name);
    return Join(parts, "/");
}

bool LStat(const std::string& path, struct stat& st) {
    return ::lstat(path.c_str(), &st) == 0;
}

void SyncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

class TInstaller {
  public:
    TInstaller(const TInstallPlan& plan, const TInstallFaultHook& fault)
        : plan_(plan), fault_(fault) {}

    std::vector<std::string> Run() {
        RequireWritableProgramFolder(plan_.programFolder);
        Collect();
        for (const std::string& name : plan_.deleteBefore) deleteBefore_.push_back(Checked(name));
        for (const std::string& name : plan_.deleteAfter) deleteAfter_.push_back(Checked(name));
        try {
            Stage();
            for (const std::string& path : deleteBefore_) Remove(path);
            for (size_t i = 0; i < files_.size(); ++i) Place(staged_[i], Target(files_[i]));
            for (const std::string& path : deleteAfter_) Remove(path);
        } catch (...) {
            const std::string problems = Undo();
            if (problems.empty()) throw;
            try {
                throw;
            } catch (const std::exception& e) {
                throw EFileError(std::string(e.what()) + "\n\nНе удалось восстановить файлы:\n" +
                                 problems);
            }
        }
        // The old files go; one that cannot be removed now is removed by the next check.
        for (const std::string& backup : backups_) {
            std::error_code ec;
            fs::remove(backup, ec);
        }
        return files_;
    }

  private:
    std::string Target(const std::string& relative) const {
        return JoinPath(plan_.programFolder, relative);
    }

    void Collect() {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(plan_.workFolder, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            const fs::file_status st = it->symlink_status();
            const std::string relative = fs::relative(it->path(), plan_.workFolder).string();
            if (fs::is_directory(st)) continue;
            if (!fs::is_regular_file(st))
                throw EUpdateError("В пакете обновления не файл: " + relative);
            files_.push_back(relative);
        }
        if (ec) throw SystemFailure("Ошибка чтения папки", plan_.workFolder, ec.value());
        std::sort(files_.begin(), files_.end());
        for (const std::string& relative : files_) CheckTarget(relative);
    }

    // The program folder's path of a listed name, which must stay inside it.
    std::string Checked(const std::string& name) {
        const std::string path = Target(SafeRelative(name));
        if (!IsInsideFolder(plan_.programFolder, fs::path(path).parent_path().string()))
            throw EUpdateError(
                "Имя файла в описании обновления ведет за пределы папки программы: " + name);
        return path;
    }

    // Every folder on the way is a real folder (or missing), the target a file (or missing).
    void CheckTarget(const std::string& relative) const {
        std::string path = plan_.programFolder;
        const std::vector<std::string> parts = SplitAny(relative, "/");
        for (size_t i = 0; i < parts.size(); ++i) {
            path = JoinPath(path, parts[i]);
            struct stat st {};
            if (!LStat(path, st)) return;
            const bool last = i + 1 == parts.size();
            if (last ? !S_ISREG(st.st_mode) : !S_ISDIR(st.st_mode))
                throw EUpdateError(
                    Format("Файл \"%s\" нельзя заменить: в папке программы на его месте %s.",
                           {relative, S_ISLNK(st.st_mode) ? "символическая ссылка"
                                      : S_ISDIR(st.st_mode) ? "папка"
                                                            : "не обычный файл"}));
        }
    }

    void Stage() {
        for (const std::string& relative : files_) {
            const fs::path target = Target(relative);
            MakeFolders(target.parent_path());
            const std::string staged = target.string() + ".~new";
            std::error_code ec;
            fs::remove(staged, ec);
            staged_.push_back(staged);
            if (fault_) fault_(staged);
            fs::copy_file(fs::path(plan_.workFolder) / relative, staged, ec);
            if (ec) throw SystemFailure("Ошибка копирования файла", relative, ec.value());
            SyncFile(staged);
        }
    }

    void MakeFolders(const fs::path& folder) {
        std::vector<fs::path> missing;
        for (fs::path p = folder; !p.empty() && p != plan_.programFolder && !fs::exists(p);
             p = p.parent_path())
            missing.push_back(p);
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            if (::mkdir(it->c_str(), 0755) != 0)
                throw SystemFailure("Не удалось создать папку", it->string(), errno);
            createdFolders_.push_back(it->string());
        }
    }

    std::string BackupName(const std::string& path) const {
        std::string backup = path + ".~old";
        for (int i = 1; fs::exists(fs::symlink_status(backup)); ++i)
            backup = Format("%s.~old%d", {path, i});
        return backup;
    }

    void Rename(const std::string& from, const std::string& to) {
        if (fault_) fault_(to);
        if (::rename(from.c_str(), to.c_str()) != 0)
            throw SystemFailure("Ошибка замены файла", to, errno);
        journal_.push_back({from, to});
    }

    void Remove(const std::string& path) {
        struct stat st {};
        if (!LStat(path, st) || S_ISDIR(st.st_mode)) return;
        const std::string backup = BackupName(path);
        Rename(path, backup);
        backups_.push_back(backup);
    }

    void Place(const std::string& staged, const std::string& target) {
        Remove(target);
        Rename(staged, target);
    }

    // Every rename reversed, the staged copies and the folders made removed; the problems met.
    std::string Undo() {
        std::string problems;
        for (auto it = journal_.rbegin(); it != journal_.rend(); ++it)
            if (::rename(it->to.c_str(), it->from.c_str()) != 0)
                problems += it->to + ": " + SystemErrorText(errno) + "\n";
        std::error_code ec;
        for (const std::string& staged : staged_) fs::remove(staged, ec);
        for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it)
            ::rmdir(it->c_str());
        return problems;
    }

    struct TMove {
        std::string from, to;
    };
    const TInstallPlan& plan_;
    const TInstallFaultHook& fault_;
    std::vector<std::string> files_, staged_, deleteBefore_, deleteAfter_, backups_,
        createdFolders_;
    std::vector<TMove> journal_;
};

}  // namespace

void RequireWritableProgramFolder(const std::string& programFolder) {
    try {
        RequireWritableFolder(programFolder);
    } catch (const EFileError& e) {
        throw EUpdateError(Format(
            "Нет прав на запись в папку программы \"%s\" (%s).\n\nВероятно, программа установлена "
            "для всех пользователей системы: обновите ее средствами системы (менеджером "
            "пакетов) или от имени администратора, либо установите программу в свою папку.",
            {programFolder, std::string(e.what())}));
    }
}

std::vector<std::string> InstallUpdateFiles(const TInstallPlan& plan,
                                            const TInstallFaultHook& fault) {
    return TInstaller(plan, fault).Run();
}

}  // namespace zentrix
