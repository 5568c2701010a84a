#pragma once

#include <string>

#include "app/session_core.h"
#include "core/config.h"
#include "core/config_data.h"
#include "core/params_dialog.h"
#include "stats/shred_dialog.h"

namespace zentrix {

// The configuration of the session in Zentrix_8x20.ini: loading at start, the parameters
// dialog's OK, the generator defaults and the shredding formulas. Every save reads the file
// afresh and writes back only its own keys, so the other sections (PROXY, export settings) and
// keys written by others stay as they are.
class TConfigController {
  public:
    TConfigController(TSessionCore& core, TConfigSettings& settings);

    TConfigSettings& Settings() { return settings_; }
    const TConfigData& Data() const { return settings_.data; }

    // LoadGenerateDefaults, LoadConfig and LoadShredding under "Загрузка файла конфигурации...".
    void LoadConfig();
    // False after the error box "Ошибка записи в файл конфигурации!".
    bool SaveConfig();
    bool SaveGenerateDefaults(uint8_t mode, const std::string& parameters);
    // SERVICES: the services' addresses and the extra CA file.
    bool SaveServices(const TServiceSettings& services);
    const TServiceSettings& Services() const { return settings_.services; }
    // USER: the name and e-mail address the catalog requests carry.
    bool SaveUser(const TUserSettings& user);
    const TUserSettings& User() const { return settings_.user; }
    // The computer identifier, made and stored the first time it is asked for.
    std::string ComputerId();

    // The parameters dialog.
    bool CanParams() const;
    TParamsDialogModel OpenParams() const;
    // OK: installs the record, saves it, raises settingsChanged, recomputes the views.
    void ApplyParams(const TConfigData& data);
    // New shredding formulas: saved, then settingsChanged (their full-set files and the method
    // list are rebuilt).
    void ApplyShredding(const std::array<std::string, 3>& formulas,
                        const std::array<uint8_t, 3>& digits);

    // The formulas window: enabled while not busy, filled from the current formulas; OK applies
    // them as ApplyShredding does.
    bool CanShredding() const;
    TShredDialogModel OpenShredding() const;
    void ApplyShredding(const TShredDialogModel& model);

  private:
    bool SaveGroup(TConfigGroup group);

    TSessionCore& core_;
    TConfigSettings& settings_;
};

}  // namespace zentrix
