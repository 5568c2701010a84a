#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "util/errors.h"

namespace zentrix::fuzz {

// The one folder a target may write to: per process under /dev/shm, removed at exit.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const std::string f = "/dev/shm/zentrix-fuzz-" + std::to_string(::getpid());
        std::filesystem::remove_all(f);
        std::filesystem::create_directories(f);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all("/dev/shm/zentrix-fuzz-" + std::to_string(::getpid()), ec);
        });
        return f;
    }();
    return folder;
}

// Empties the scratch folder, so every run starts from the same state.
inline void ClearScratch() {
    for (const auto& entry : std::filesystem::directory_iterator(ScratchFolder()))
        std::filesystem::remove_all(entry.path());
}

// The bytes written as the file `name` of the emptied scratch folder; its path.
inline std::string InputFile(std::string_view bytes, const std::string& name) {
    ClearScratch();
    const std::string path = ScratchFolder() + "/" + name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

inline std::string_view Bytes(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Takes bytes off the front of the input to choose among cases; 0 when none are left.
class TPicker {
  public:
    explicit TPicker(std::string_view bytes) : rest_(bytes) {}
    uint8_t Byte() {
        if (rest_.empty()) return 0;
        const uint8_t b = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    std::string_view Rest() const { return rest_; }

  private:
    std::string_view rest_;
};

}  // namespace zentrix::fuzz
