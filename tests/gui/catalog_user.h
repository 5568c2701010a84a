#pragma once

#include <string>

namespace zentrix::test {

// A data folder whose settings point at a local catalog server as the user `name`
// (name@example.org), with the systems page switched on.
void UseCatalog(const std::string& folder, const std::string& url, const std::string& name);

}  // namespace zentrix::test
