#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zentrix::test {

// One entry of a test archive; names are written as given (hostile ones included).
struct TTarEntry {
    TTarEntry(std::string n, std::string d = {}, char t = '0', std::string l = {}, int m = 0644)
        : name(std::move(n)), data(std::move(d)), type(t), link(std::move(l)), mode(m) {}
    std::string name;
    std::string data;
    char type = '0';  // '0' file, '5' folder, '2' symbolic link, '1' hard link, '3' device, ...
    std::string link;
    int mode = 0644;
};

// A gzip-compressed ustar archive of the entries.
void WriteTarGz(const std::string& path, const std::vector<TTarEntry>& entries);
// The same bytes without compression (a plain tar).
std::string TarBytes(const std::vector<TTarEntry>& entries);

}  // namespace zentrix::test
