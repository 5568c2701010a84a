#pragma once

#include <map>
#include <string>

namespace zentrix::test {

// Every entry under a folder by relative name: a file's bytes, "<dir>" or "<link:target>".
std::map<std::string, std::string> FolderSnapshot(const std::string& folder);

}  // namespace zentrix::test
