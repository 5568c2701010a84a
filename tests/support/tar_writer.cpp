#include "support/tar_writer.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace zentrix::test {

namespace {

void Octal(char* field, size_t length, long long value) {
    std::snprintf(field, length, "%0*llo", int(length - 1), value);
}

}  // namespace

std::string TarBytes(const std::vector<TTarEntry>& entries) {
    std::string out;
    for (const TTarEntry& e : entries) {
        char h[512] = {};
        std::memcpy(h, e.name.data(), std::min<size_t>(e.name.size(), 100));
        Octal(h + 100, 8, e.mode);
        Octal(h + 108, 8, 0);
        Octal(h + 116, 8, 0);
        Octal(h + 124, 12, e.type == '0' ? (long long)e.data.size() : 0);
        Octal(h + 136, 12, 0);
        std::memset(h + 148, ' ', 8);
        h[156] = e.type;
        std::memcpy(h + 157, e.link.data(), std::min<size_t>(e.link.size(), 100));
        std::memcpy(h + 257, "ustar", 6);
        std::memcpy(h + 263, "00", 2);
        unsigned sum = 0;
        for (unsigned char c : h) sum += c;
        std::snprintf(h + 148, 8, "%06o", sum);
        out.append(h, 512);
        if (e.type == '0') {
            out += e.data;
            out.append((512 - e.data.size() % 512) % 512, '\0');
        }
    }
    out.append(1024, '\0');
    return out;
}

void WriteTarGz(const std::string& path, const std::vector<TTarEntry>& entries) {
    const std::string bytes = TarBytes(entries);
    gzFile f = gzopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    gzwrite(f, bytes.data(), unsigned(bytes.size()));
    gzclose(f);
}

}  // namespace zentrix::test
