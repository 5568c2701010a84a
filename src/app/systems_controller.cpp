#include "app/systems_controller.h"

#include <filesystem>
#include <unordered_set>

#include "stakes/stake_make.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/format.h"

namespace zentrix {

namespace {

struct TCombHash {
    size_t operator()(const TComb& c) const {
        uint64_t v = 0;
        for (uint8_t b : c) v = v << 8 | b;
        return std::hash<uint64_t>()(v);
    }
};

}  // namespace

size_t WriteGeneratedSystem(const TWheelGoal& goal, const std::string& path,
                            const std::function<bool()>& stop) {
    const TCombsArray system = GenerateWheel(goal, 1, stop);
    WriteTextLines(path, SystemFileLines(system));
    return system.size();
}

TSystemsController::TSystemsController(TSessionCore& core, TCombsController& combs,
                                       TConfigController& config, TStakesController& stakes)
    : core_(core), combs_(combs), config_(config), stakes_(stakes) {}

bool TSystemsController::Lookup(const TByteArray& numbers, TCombsArray& combs,
                                std::string& nameOrMessage) const {
    try {
        return FindLocalSystem(Folder(), numbers, combs, nameOrMessage);
    } catch (const std::exception& e) {
        combs.clear();
        nameOrMessage = Format(kSystemReadFailure, {ErrorText(e)});
        return false;
    }
}

bool TSystemsController::Toggle() {
    TBusyScope busy(core_, "Подождите пожалуйста...");
    bool& shown = core_.Settings().Options().SystemsEnabled;
    shown = !shown;
    core_.StoreOption(&TMainOptions::SystemsEnabled);
    return shown;
}

bool TSystemsController::CanPlay() const {
    return core_.NotBusy() && Enabled() && !combs_.Combs().empty() && stakes_.IsOpen();
}

std::optional<TSystemsController::TPlay> TSystemsController::PreparePlay(bool whole) {
    if (!CanPlay()) return std::nullopt;
    TPlay play;
    play.whole = whole;
    {
        TBusyScope busy(core_, "Подождите пожалуйста...");
        TByteArray numbers;
        CollectNumbers(combs_.Combs(), combs_.Combs().size(), numbers);
        play.numbers = int(numbers.size());
        try {
            if (!FindLocalSystem(Folder(), numbers, play.combs, play.name)) {
                core_.ErrorBox(play.name + kNoSystemFoundHint);
                return std::nullopt;
            }
        } catch (const std::exception& e) {
            core_.ReportFailure(kSystemReadFailure, e);
            return std::nullopt;
        }
    }
    play.fields = stakes_.NewStakeFields(std::nullopt);
    play.fields.comment = Format(whole ? "Системная игра для %d чисел [вся система]: %s"
                                       : "Системная игра для %d чисел [комбинации]: %s",
                                 {play.numbers, play.name});
    return play;
}

int TSystemsController::Play(const TPlay& play, const TStakeDialogFields& fields) {
    if (!stakes_.IsOpen()) {
        core_.ErrorBox(kStakesNotOpen);
        return -1;
    }
    std::string comment;
    try {
        comment = CheckMultiStakeFields(fields);
    } catch (const EZentrix& e) {
        core_.ErrorBox(e.what());
        return -1;
    }
    const TCombsArray& list = combs_.Combs();
    // FindComb's byte-for-byte test, with the list hashed once rather than scanned per ticket.
    std::unordered_set<TComb, TCombHash> inList;
    if (!play.whole) inList.insert(list.begin(), list.end());
    const int32_t selection = int32_t(play.whole ? play.combs.size() : list.size());
    std::vector<TStakeRec> made;
    for (TComb comb : play.combs) {
        SortComb(comb);
        if (!play.whole && !inList.count(comb)) continue;
        made.push_back(
            NewStake(config_.Data(), kStakeSystem, int32_t(fields.draw), selection, comb, comment));
    }
    bool appended = true;
    {
        TBusyScope busy(core_, "Создание ставок...");
        try {
            TStakesFile& file = stakes_.FileForWriting();
            AppendGroupSeparator(file);
            if (!made.empty()) AppendStakes(file, made, int(fields.draws));
        } catch (const std::exception& e) {
            core_.ReportFailure("Ошибка добавления записи в файл ставок!\n\n%s", e);
            appended = false;
        }
    }
    if (appended && !made.empty()) stakes_.Check();
    stakes_.Refresh();
    return appended ? int(made.size()) : -1;
}

TWheelCheck TSystemsController::CheckLocal(const TLocalSystem& system) const {
    return CheckWheel(system.numbers, ReadSystemFile(system.path, system.numbers));
}

TWheelCheck TSystemsController::CheckWorkingList() const {
    TByteArray numbers;
    const TCombsArray tickets = ListAsSystem(combs_.Combs(), numbers);
    return CheckWheel(int(numbers.size()), tickets);
}

std::string TSystemsController::Generate(const TWheelGoal& goal, const std::string& out,
                                         const std::function<bool()>& stop) {
    CheckWheelGoal(goal);
    std::string path = out;
    if (path.empty()) {
        if (const std::optional<TLocalSystem> other = LocalSystemFor(Folder(), goal.numbers))
            throw EZentrix(Format("В папке \"%s\" уже есть система для %d чисел: \"%s\"",
                                  {kSystemsFolderName, goal.numbers, other->name}));
        EnsureDirectory(Folder());
        path = JoinPath(Folder(), GeneratedSystemFileName(goal));
    }
    TBusyScope busy(core_, "Построение системы...");
    WriteGeneratedSystem(goal, path, stop);
    return path;
}

}  // namespace zentrix
