#include "gui/catalog_user.h"

#include "support/web_server.h"
#include "util/ini.h"
#include "util/program_folder.h"

namespace zentrix::test {

void UseCatalog(const std::string& folder, const std::string& url, const std::string& name,
                const char* switchOn) {
    TIniFile ini(ProgramFile(folder, ".ini"));
    ini.WriteString("SERVICES", "CatalogUrl", url);
    ini.WriteString("SERVICES", "CaFile", TestCertificates().caFile);
    ini.WriteString("USER", "Name", name);
    ini.WriteString("USER", "Email", name + "@example.org");
    ini.UpdateFile();
    TIniFile frm(ProgramFile(folder, ".frm"));
    frm.WriteBool("TFormMain", switchOn, true);
    frm.UpdateFile();
}

}  // namespace zentrix::test
