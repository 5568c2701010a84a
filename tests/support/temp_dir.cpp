#include "support/temp_dir.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "util/format.h"

namespace zentrix::test {

TTempDir::TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zentrix-test-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
    path_ = buf.data();
}

TTempDir::~TTempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

}  // namespace zentrix::test
