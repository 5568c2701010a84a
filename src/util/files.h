#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrix {

bool FileExists(const std::string& path);
// -1 when the file does not exist.
int64_t FileSize(const std::string& path);
// Creates the folder and its parents; raises EFileError on failure.
void EnsureDirectory(const std::string& path);
// Raises EFileError with the system's permission text when files cannot be created in the folder:
// no write permission, or no write bit at all (a folder made read-only keeps even root out).
void RequireWritableFolder(const std::string& folder);
std::string JoinPath(const std::string& folder, const std::string& name);

// The whole file; raises EFileError when it cannot be read. Only regular files are read (a FIFO
// or a device in place of a data file is refused at once), and no more than the file's size.
std::string ReadFileBytes(const std::string& path);
// As ReadFileBytes, but keeps what was read before a failure: `error` gets the failure's text
// (empty when the whole file was read).
std::string ReadAvailableBytes(const std::string& path, std::string& error);
// Writes a temporary file in the target's folder, flushes it to disk and renames it over the
// target, so a failed save leaves the previous file whole. A symbolic link is written through:
// the file it points to is replaced in its own folder. Refused with EFileError: a link to nothing,
// a target that is not a regular file, a file or folder without write permission (also for root
// when no write bit is set at all).
// `permissions` >= 0 gives the file that mode (0600 for a file holding a password); otherwise a
// replaced file keeps its mode and a new one gets 0666 & ~umask.
void AtomicWriteFile(const std::string& path, std::string_view bytes, int permissions = -1);
// When `entryName` has the form of the temporary files AtomicWriteFile makes (left behind when a
// save was killed), the name of the file it was made for.
std::optional<std::string> SaveTemporaryTarget(std::string_view entryName);

// Text files are Windows-1251 with CR LF line ends. A file that starts with the UTF-8 byte order
// mark is read as UTF-8. The result is UTF-8.
std::string ReadTextFile(const std::string& path);
std::vector<std::string> ReadTextLines(const std::string& path);
// Each line ended by CR LF, written atomically in Windows-1251.
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// Empty when the open descriptor is a regular file, else the reason it is not, for messages.
std::string RegularFileProblem(int fd);

// Text of a system error, for messages: in Russian where the C library has the translation.
std::string SystemErrorText(int error);

}  // namespace zentrix
