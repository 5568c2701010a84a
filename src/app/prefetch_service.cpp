#include "app/prefetch_service.h"

#include <filesystem>

#include "util/files.h"
#include "util/format.h"

namespace zentrix {

TPrefetchService::TPrefetchService(TSessionCore& core, TMethodCatalog& catalog)
    : core_(core), catalog_(catalog) {}

bool TPrefetchService::Enabled() const {
    return core_.Settings().Options().PrefetchsEnabled;
}

std::optional<TPrefetchData> TPrefetchService::Open(int entry) {
    const TStatList& registry = catalog_.Registry();
    if (!Enabled() || entry < 0 || !registry.MethodAt(entry).Class->HasNorm()) return std::nullopt;
    const std::string path = PrefetchFileName(core_.Folder(), registry, entry);
    std::optional<TBusyScope> building;
    if (FileSize(path) <= 0) {
        building.emplace(
            core_, Format(kPrefetchBuildStatus, {std::filesystem::path(path).filename().string()}));
    }
    std::string message;
    auto data = OpenPrefetchFile(registry, entry, core_.Folder(), message);
    if (!data && !message.empty()) core_.ErrorBox(message);
    return data;
}

void TPrefetchService::BuildFiles(bool force, TGroupSet groups) {
    if (!force && !Enabled()) return;
    const TStatList& registry = catalog_.Registry();
    TBusyScope busy(core_, kPrefetchBuildAllText);
    TProgressScope progress(core_, kPrefetchBuildAllText, registry.MethodCount());
    TPrefetchBuildHooks hooks;
    hooks.building = [this](const std::string& name) {
        core_.ShowStatus(Format(kPrefetchBuildStatus, {name}));
    };
    hooks.step = [this](int, int) { core_.StepProgress(1); };
    hooks.failed = [this](const std::string& message) { core_.ErrorBox(message); };
    BuildPrefetchFiles(registry, core_.Folder(), groups, hooks);
}

void TPrefetchService::AtStart(bool fullRecreate, bool fullRefresh) {
    if (fullRecreate) {
        TGroupSet all;
        for (int g = 0; g < kGroupCount; ++g) all.set(g);
        BuildFiles(true, all);
    } else {
        BuildFiles(fullRefresh, {});
    }
}

}  // namespace zentrix
