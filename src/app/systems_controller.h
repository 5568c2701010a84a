#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/combs_controller.h"
#include "app/config_controller.h"
#include "app/session_core.h"
#include "app/stakes_controller.h"
#include "stakes/stake_dialog.h"
#include "stakes/system_file.h"
#include "stakes/wheel_check.h"
#include "stakes/wheel_generate.h"

namespace zentrix {

inline constexpr const char* kSystemsToggleCaption = "Системная игра";
inline constexpr const char* kSystemsToggleHint = "Включить или выключить список систем";
inline constexpr const char* kPlayWholeCaption = "Cистемная игра по списку системы";
inline constexpr const char* kPlayWholeHint =
    "Системная игра по всем комбинациям выбранной системы (даже если их нет в списке "
    "комбинаций)";
inline constexpr const char* kPlayFilteredCaption = "Cистемная игра по списку комбинаций";
inline constexpr const char* kPlayFilteredHint =
    "Системная игра только по комбинациям, которые есть и в системе и в списке комбинаций";

// Builds a system for the goal and writes it to `path` in the systems' file format; the
// number of combinations.
size_t WriteGeneratedSystem(const TWheelGoal& goal, const std::string& path,
                            const std::function<bool()>& stop = {});

// The local side of system play: the systems of the folder "Systems", the two play commands
// (the whole system, or only its combinations that are in the working list), the guarantee
// table of a system and the building of one.
class TSystemsController {
  public:
    TSystemsController(TSessionCore& core, TCombsController& combs, TConfigController& config,
                       TStakesController& stakes);

    std::string Folder() const { return SystemsFolder(core_.Folder()); }
    std::vector<TLocalSystem> LocalSystems() const { return ListLocalSystems(Folder()); }

    // FindLocalSystem for a scenario run: quiet; a file that cannot be read gives false with
    // its failure text.
    bool Lookup(const TByteArray& numbers, TCombsArray& combs, std::string& nameOrMessage) const;

    // "Системная игра": the page and the play commands shown or hidden ("SystemsEnabled").
    bool Enabled() const { return core_.Settings().Options().SystemsEnabled; }
    bool CanToggle() const { return core_.NotBusy(); }
    // The new state.
    bool Toggle();

    // A play prepared up to its dialog: the system mapped onto the working list's numbers.
    struct TPlay {
        bool whole = true;
        int numbers = 0;
        std::string name;
        TCombsArray combs;          // numbers, in file order
        TStakeDialogFields fields;  // the multi-stake dialog's defaults
    };
    bool CanPlay() const;
    // The working list's numbers and their system; nothing after the error box.
    std::optional<TPlay> PreparePlay(bool whole);
    // The dialog's OK: a group separator, one stake of kind "Система" per (matching) system
    // combination, then everything checked. The stakes made; -1 after an error box.
    int Play(const TPlay& play, const TStakeDialogFields& fields);

    // Guarantee tables; raise EZentrix for a file that cannot be read or a list that is no
    // system (empty, or of fewer than eight numbers).
    TWheelCheck CheckLocal(const TLocalSystem& system) const;
    TWheelCheck CheckWorkingList() const;

    // Builds a system for the goal and writes it to `out`, or into the folder under its
    // generated name when `out` is empty; refuses to put a second system for N into the folder.
    // The file written.
    std::string Generate(const TWheelGoal& goal, const std::string& out,
                         const std::function<bool()>& stop = {});

  private:
    TSessionCore& core_;
    TCombsController& combs_;
    TConfigController& config_;
    TStakesController& stakes_;
};

}  // namespace zentrix
