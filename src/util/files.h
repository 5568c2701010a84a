#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zentrix {

bool FileExists(const std::string& path);
// -1 when the file does not exist.
int64_t FileSize(const std::string& path);
// Creates the folder and its parents; raises EFileError on failure.
void EnsureDirectory(const std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);

// The whole file; raises EFileError when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Writes a temporary file in the same folder, flushes it to disk and renames it over the target,
// so a failed save leaves the previous file whole. Raises EFileError.
void AtomicWriteFile(const std::string& path, std::string_view bytes);

// Text files are Windows-1251 with CR LF line ends. A file that starts with the UTF-8 byte order
// mark is read as UTF-8. The result is UTF-8.
std::string ReadTextFile(const std::string& path);
std::vector<std::string> ReadTextLines(const std::string& path);
// Each line ended by CR LF, written atomically in Windows-1251.
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// Text of the last system error, for messages.
std::string SystemErrorText(int error);

}  // namespace zentrix
