#pragma once

#include <string>

namespace zentrix::test {

// A data folder whose settings point at a local catalog server as the user `name`
// (name@example.org), with the window setting `switchOn` (the systems page, the scenario
// catalog's panel) on.
void UseCatalog(const std::string& folder, const std::string& url, const std::string& name,
                const char* switchOn = "SystemsEnabled");

}  // namespace zentrix::test
