#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "util/cp1251.h"

namespace zentrix {

// An INI settings file held in memory and written back whole. Section and key names compare
// ignoring case; unknown sections, keys and comment lines keep their order on write-back.
// Booleans are 0/1, reals use the locale's decimal separator (either separator reads). The file
// is Windows-1251, unless it is UTF-8 when read: then it stays UTF-8.
class TIniFile {
  public:
    // A missing file reads as empty; a file that exists but cannot be read raises EFileError.
    explicit TIniFile(std::string path);
    static TIniFile FromText(const std::string& text, std::string path = {});

    const std::string& Path() const { return path_; }
    // The encoding the file had when read and gets when written.
    TTextEncoding Encoding() const { return encoding_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const;
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
    long double ReadFloat(const std::string& section, const std::string& key,
                          long double fallback) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int64_t value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void WriteFloat(const std::string& section, const std::string& key, long double value);

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(const std::string& section) const;
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);

    // The whole text as it would be written (UTF-8, CR LF).
    std::string Text() const;
    // Writes the file back atomically in its encoding; raises EFileError, or EConvertError
    // (leaving the file as it was) when a Windows-1251 file cannot hold a value.
    // ownerOnly: the file gets mode 0600 (it may hold a password).
    void UpdateFile(bool ownerOnly = false) const;

  private:
    TIniFile() = default;
    void Parse(const std::string& text);

    struct TLine {
        std::string key;    // empty for a comment or blank line
        std::string value;  // the raw line for a comment
    };
    struct TSection {
        std::string name;
        std::vector<TLine> lines;
    };

    const TSection* FindSection(const std::string& name) const;
    TSection& EnsureSection(const std::string& name);
    const std::string* Find(const std::string& section, const std::string& key) const;
    std::string EncodedText() const;

    std::string path_;
    TTextEncoding encoding_ = TTextEncoding::Cp1251;
    std::vector<TLine> header_;  // lines before the first section
    std::vector<TSection> sections_;
};

}  // namespace zentrix
