#pragma once

#include <string>
#include <vector>

#include "util/errors.h"

namespace zentrix {

// A refused update: a description, package or install step that is not safe to go on with.
class EUpdateError : public EZentrix {
  public:
    using EZentrix::EZentrix;
};

// The section of the description file that speaks of this program.
inline constexpr const char* kUpdateProgramSection = "Zentrix_8x20.exe";
inline constexpr const char* kUpdateGlobalSection = "GlobalOptions";

// The four list keys, as read from one section.
struct TUpdateLists {
    std::string DeleteAfter, DeleteBefore, ExecAfter, ExecBefore;
};

// What the description file offers.
struct TUpdateVersionData {
    std::string VerId;
    std::string Description;
    std::string DownloadUrl;
    std::string OriginalFileName;
    std::string ChecksumCRC32;
    TUpdateLists global;   // GlobalOptions
    TUpdateLists program;  // the program's section
    // The package's SHA-256 as 64 hexadecimal digits; an update without it is not installed.
    std::string ChecksumSHA256;
};

// Reads the description (INI text as in the file); a missing VerId is `ownVersion`.
TUpdateVersionData ReadUpdateVersionData(const std::string& iniPath, const std::string& ownVersion);

// The 4th word of the text split at ",", "-", "." and "_", as a decimal integer; 0 without one.
int UpdateBuildNumber(const std::string& versionText);
// Raises EUpdateError unless the version text is safe inside a file name: 1..64 characters of
// letters, digits, ".", ",", "-" and "_".
void RequireSafeVersionText(const std::string& verId);
// A higher build with a package address.
bool UpdateAvailable(const TUpdateVersionData& data, const std::string& ownVersion);

// A ";"-separated list, each name trimmed, empty names dropped; global first, then the program's.
std::vector<std::string> UpdateList(const std::string& global, const std::string& program);

// Raises EUpdateError when the offer cannot be installed safely: no SHA-256 (or not 64 hex
// digits), a CRC-32 that is not 8 hex digits, or programs to run (ExecBefore/ExecAfter).
void RequireInstallableOffer(const TUpdateVersionData& data);

// The three-letter abbreviation of a language id (1049 -> "RUS"); empty when unknown.
std::string LanguageAbbreviation(int languageId);
// The notes' file names to try, in order, for the language id (0: only the one without language).
std::vector<std::string> UpdateNotesNames(const std::string& verId, int languageId);

}  // namespace zentrix
