#include "exchange/update_description.h"

#include <cctype>

#include "util/format.h"
#include "util/ini.h"
#include "util/strings.h"

namespace zentrix {

namespace {

TUpdateLists ReadLists(const TIniFile& ini, const std::string& section) {
    TUpdateLists l;
    l.DeleteAfter = ini.ReadString(section, "DeleteAfter", "");
    l.DeleteBefore = ini.ReadString(section, "DeleteBefore", "");
    l.ExecAfter = ini.ReadString(section, "ExecAfter", "");
    l.ExecBefore = ini.ReadString(section, "ExecBefore", "");
    return l;
}

bool IsHexText(const std::string& text, size_t length) {
    if (text.size() != length) return false;
    for (unsigned char c : text)
        if (!std::isxdigit(c)) return false;
    return true;
}

}  // namespace

TUpdateVersionData ReadUpdateVersionData(const std::string& iniPath,
                                         const std::string& ownVersion) {
    const TIniFile ini(iniPath);
    const std::string s = kUpdateProgramSection;
    TUpdateVersionData d;
    d.VerId = Trim(ini.ReadString(s, "VerId", ownVersion));
    d.Description = ini.ReadString(s, "Description", "");
    d.DownloadUrl = Trim(ini.ReadString(s, "DownloadUrl", ""));
    d.OriginalFileName = Trim(ini.ReadString(s, "OriginalFileName", ""));
    d.ChecksumCRC32 = Trim(ini.ReadString(s, "ChecksumCRC32", ""));
    d.ChecksumSHA256 = Trim(ini.ReadString(s, "ChecksumSHA256", ""));
    d.global = ReadLists(ini, kUpdateGlobalSection);
    d.program = ReadLists(ini, s);
    return d;
}

int UpdateBuildNumber(const std::string& versionText) {
    const std::vector<std::string> words = SplitAny(versionText, ",-._", true);
    if (words.size() < 4) return 0;
    return TryStrToInt(Trim(words[3])).value_or(0);
}

void RequireSafeVersionText(const std::string& verId) {
    bool safe = !verId.empty() && verId.size() <= 64;
    for (unsigned char c : verId)
        safe = safe && (std::isalnum(c) || c == '.' || c == ',' || c == '-' || c == '_');
    if (!safe) throw EUpdateError("Недопустимый номер версии в описании обновления: " + verId);
}

bool UpdateAvailable(const TUpdateVersionData& data, const std::string& ownVersion) {
    return UpdateBuildNumber(data.VerId) > UpdateBuildNumber(ownVersion) &&
           !data.DownloadUrl.empty();
}

std::vector<std::string> UpdateList(const std::string& global, const std::string& program) {
    std::vector<std::string> names;
    for (const std::string* list : {&global, &program})
        for (const std::string& word : SplitAny(*list, ";", true)) {
            std::string name = Trim(word);
            if (!name.empty()) names.push_back(std::move(name));
        }
    return names;
}

void RequireInstallableOffer(const TUpdateVersionData& data) {
    if (data.ChecksumSHA256.empty())
        throw EUpdateError(
            "В описании обновления нет контрольной суммы SHA-256 пакета (ключ ChecksumSHA256): "
            "такое обновление не устанавливается.");
    if (!IsHexText(data.ChecksumSHA256, 64))
        throw EUpdateError(
            "Контрольная сумма SHA-256 в описании обновления должна состоять из 64 "
            "шестнадцатеричных цифр: " +
            data.ChecksumSHA256);
    if (!data.ChecksumCRC32.empty() && !IsHexText(data.ChecksumCRC32, 8))
        throw EUpdateError(
            "Контрольная сумма CRC-32 в описании обновления должна состоять из 8 "
            "шестнадцатеричных цифр: " +
            data.ChecksumCRC32);
    const std::vector<std::string> exec =
        UpdateList(data.global.ExecBefore + ";" + data.global.ExecAfter,
                   data.program.ExecBefore + ";" + data.program.ExecAfter);
    if (!exec.empty())
        throw EUpdateError("Обновление требует запуска программ из пакета (ExecBefore/ExecAfter: " +
                           Join(exec, "; ") + "). Программы из пакетов обновлений не запускаются.");
}

std::string LanguageAbbreviation(int languageId) {
    struct TLang {
        int id;
        const char* abbreviation;
    };
    static constexpr TLang kLanguages[] = {{1049, "RUS"}, {1033, "ENU"}, {1058, "UKR"},
                                           {1059, "BEL"}, {1031, "DEU"}, {1036, "FRA"}};
    for (const TLang& l : kLanguages)
        if (l.id == languageId) return l.abbreviation;
    return {};
}

std::vector<std::string> UpdateNotesNames(const std::string& verId, int languageId) {
    std::vector<std::string> names;
    if (languageId != 0) {
        const std::string abbreviation = LanguageAbbreviation(languageId);
        if (!abbreviation.empty())
            names.push_back(Format("UpdDescr_%s_%s.txt", {abbreviation, verId}));
        names.push_back(Format("UpdDescr_%d_%s.txt", {languageId, verId}));
    }
    names.push_back(Format("UpdDescr_%s.txt", {verId}));
    return names;
}

}  // namespace zentrix
