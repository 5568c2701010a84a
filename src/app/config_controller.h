#pragma once

#include <functional>
#include <string>

#include "app/session_core.h"
#include "core/config.h"
#include "core/config_data.h"
#include "core/params_dialog.h"

namespace zentrix {

// What a change of the configuration affects: the statistics rebuild their method list and the
// full-set files of these groups.
struct TConfigChange {
    bool matrixCols = false;
    bool channelSize = false;
    bool segments = false;
    bool shredding = false;
};

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

    // The parameters dialog.
    bool CanParams() const;
    TParamsDialogModel OpenParams() const;
    // OK: installs the record, saves it, rebuilds what depends on it, recomputes the views.
    void ApplyParams(const TConfigData& data);
    // New shredding formulas: saved, then their full-set files and the method list rebuilt.
    void ApplyShredding(const std::array<std::string, 3>& formulas,
                        const std::array<uint8_t, 3>& digits);

    // Called where the statistic method list and the full-set files are rebuilt (the statistics
    // set it).
    void SetRebuildHook(std::function<void(const TConfigChange&)> hook) {
        rebuild_ = std::move(hook);
    }

  private:
    bool SaveGroup(TConfigGroup group);

    TSessionCore& core_;
    TConfigSettings& settings_;
    std::function<void(const TConfigChange&)> rebuild_;
};

}  // namespace zentrix
