#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zentrix {

// The standard CRC-32 (IEEE 802.3) of a file as 8 upper-case hexadecimal digits.
std::string FileCrc32(const std::string& path);
// The SHA-256 of a file as 64 lower-case hexadecimal digits.
std::string FileSha256(const std::string& path);
// Raises EUpdateError when the package does not match the description's checksums (CRC-32 when
// given, SHA-256 always); hexadecimal digits compare without regard to case.
void CheckPackageSums(const std::string& path, const std::string& crc32, const std::string& sha256);

struct TUnpackLimits {
    int64_t maxTotalBytes = int64_t{1} << 30;  // all files together
    int64_t maxFileBytes = int64_t{512} << 20;
    int maxEntries = 20000;
};

// Unpacks a gzip-compressed tar archive (ustar) into `folder`, which must exist and be empty.
// Only regular files and folders are taken; links, devices, FIFOs, absolute names, names with
// "..", a backslash or control characters, duplicates and archives past the limits are refused
// with EUpdateError before anything outside `folder` could be touched. Files get their mode's
// permission bits without set-id bits. Returns the relative names of the files written.
std::vector<std::string> UnpackTarGz(const std::string& archivePath, const std::string& folder,
                                     const TUnpackLimits& limits = {});

}  // namespace zentrix
