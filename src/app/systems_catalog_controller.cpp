#include "app/systems_catalog_controller.h"

#include "app/catalog_controller.h"
#include "stakes/system_store.h"
#include "util/files.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

TSystemsCatalogController::TSystemsCatalogController(TSessionCore& core, TConfigController& config)
    : core_(core), config_(config) {}

std::string TSystemsCatalogController::Folder() const {
    return SystemsFolder(core_.Folder());
}

bool TSystemsCatalogController::Downloaded(int row) const {
    const TSystemInfo& s = entries_.at(static_cast<size_t>(row));
    return s.id > 0 && FileExists(JoinPath(Folder(), SystemFileName(s.nums, s.olap, s.id)));
}

bool TSystemsCatalogController::IsOwn(int row) const {
    return IsOwnSystem(entries_.at(static_cast<size_t>(row)), config_.User().Email);
}

void TSystemsCatalogController::Select(int row) {
    selected_ = row >= 0 && row < static_cast<int>(entries_.size()) ? row : -1;
}

bool TSystemsCatalogController::SelectId(int32_t id) {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].id == id) {
            selected_ = static_cast<int>(i);
            return true;
        }
    return false;
}

bool TSystemsCatalogController::LoadSystemList() {
    const std::optional<int32_t> was =
        selected_ >= 0 ? std::optional(entries_[static_cast<size_t>(selected_)].id) : std::nullopt;
    std::vector<TSystemInfo> list;
    bool loaded = false;
    {
        TBusyScope busy(core_, "Загрузка списка систем...");
        try {
            if (!zentrix::LoadSystemList(CatalogTarget(config_), ServiceIdentity(config_), list)) {
                TSystemInfo placeholder;
                placeholder.id = -1;
                placeholder.title = kNoSystemList;
                list.push_back(placeholder);
            }
            loaded = true;
        } catch (const std::exception& e) {
            core_.ReportFailure("Ошибка загрузки списка систем!\n\n%s", e);
        }
    }
    if (!loaded) return false;
    entries_ = std::move(list);
    selected_ = -1;
    for (size_t i = 0; i < entries_.size(); ++i) {
        const TSystemInfo& s = entries_[i];
        const std::string path = JoinPath(Folder(), SystemFileName(s.nums, s.olap, s.id));
        if (s.id > 0 && FileExists(path) && !SystemFileTimeIs(path, s.created))
            DownloadSystem(static_cast<int>(i));
    }
    if (was) SelectId(*was);
    return true;
}

bool TSystemsCatalogController::DownloadSystem(int row) {
    if (row < 0 || row >= static_cast<int>(entries_.size())) return false;
    const TSystemInfo s = entries_[static_cast<size_t>(row)];
    if (s.id <= 0) return false;
    TBusyScope busy(core_, Format("Загрузка \"%s\"...", {s.title}));
    try {
        const auto lines = DownloadSystemLines(CatalogTarget(config_), s);
        const std::string path = WriteSystemFile(Folder(), s.nums, s.olap, s.id, s.created, lines);
        return FileExists(path);
    } catch (const std::exception& e) {
        core_.ReportFailure(Format("Ошибка загрузки системы #%d!\n\n%%s", {s.id}), e);
        return false;
    }
}

TSystemData TSystemsCatalogController::NewSystem() {
    TSystemData d;
    d.info.id = -1;
    d.info.author = config_.User().Name;
    d.info.ownerMail = config_.User().Email;
    return d;
}

bool TSystemsCatalogController::AddSystem(const TSystemData& system) {
    TBusyScope busy(core_, Format("Сохранение \"%s\"...", {system.info.title}));
    try {
        const int32_t id =
            PutSystem(CatalogTarget(config_), ServiceIdentity(config_), system, false);
        if (id < 0) return false;
        TSystemInfo info = system.info;
        info.id = id;
        if (info.created <= 0) info.created = Now();
        entries_.push_back(info);
        selected_ = static_cast<int>(entries_.size()) - 1;
        return true;
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка добавления системы!\n\n%s", e);
        return false;
    }
}

std::optional<TSystemData> TSystemsCatalogController::SystemData(int row) {
    if (row < 0 || row >= static_cast<int>(entries_.size())) return std::nullopt;
    TSystemData d;
    d.info = entries_[static_cast<size_t>(row)];
    TBusyScope busy(core_, Format("Загрузка \"%s\"...", {d.info.title}));
    try {
        d.list = Join(DownloadSystemLines(CatalogTarget(config_), d.info), "\r\n") + "\r\n";
        return d;
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка изменения системы!\n\n%s", e);
        return std::nullopt;
    }
}

bool TSystemsCatalogController::EditSystem(int row, const TSystemData& system) {
    if (row < 0 || row >= static_cast<int>(entries_.size()) || !IsOwn(row)) return false;
    TBusyScope busy(core_, Format("Сохранение \"%s\"...", {system.info.title}));
    try {
        TSystemData sent = system;
        sent.info.id = entries_[static_cast<size_t>(row)].id;
        const int32_t id = PutSystem(CatalogTarget(config_), ServiceIdentity(config_), sent, false);
        if (id < 0) return false;
        sent.info.id = id;
        entries_[static_cast<size_t>(row)] = sent.info;
        return true;
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка изменения системы!\n\n%s", e);
        return false;
    }
}

bool TSystemsCatalogController::DeleteSystem(int row) {
    if (row < 0 || row >= static_cast<int>(entries_.size())) return false;
    const TSystemInfo s = entries_[static_cast<size_t>(row)];
    if (!IsOwn(row)) {
        core_.ErrorBox("Вы можете удалять только свои системы!");
        return false;
    }
    if (!core_.Confirm(Format("Вы действительно хотите удалить систему \"%s\"?", {s.title}), false))
        return false;
    TBusyScope busy(core_, Format("Удаление \"%s\"...", {s.title}));
    try {
        if (PutSystem(CatalogTarget(config_), ServiceIdentity(config_), {s, ""}, true) != 0)
            return false;
    } catch (const std::exception& e) {
        core_.ReportFailure("Ошибка удаления системы!\n\n%s", e);
        return false;
    }
    DeleteSystemFile(Folder(), s.nums, s.olap, s.id);
    entries_.erase(entries_.begin() + row);
    selected_ = -1;
    return true;
}

}  // namespace zentrix
