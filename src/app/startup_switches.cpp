#include "app/startup_switches.h"

#include "util/strings.h"

namespace zentrix {

namespace {

bool IsSwitch(const std::string& arg, const char* name) {
    for (const char* prefix : {"", "-", "--", "/", "\\"}) {
        std::string p(prefix);
        if (arg.size() > p.size() && arg.compare(0, p.size(), p) == 0 &&
            SameText(std::string_view(arg).substr(p.size()), name))
            return true;
    }
    return false;
}

}  // namespace

TStartupSwitches ParseStartupSwitches(const std::vector<std::string>& args) {
    TStartupSwitches s;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--dir=", 0) == 0) {
            s.dir = a.substr(6);
        } else if (IsSwitch(a, "dir") && i + 1 < args.size()) {
            s.dir = args[++i];
        } else {
            s.restart |= IsSwitch(a, "restart");
            s.noLanguage |= IsSwitch(a, "no-language");
            s.loadOnly |= IsSwitch(a, "loadonly");
            s.fullRecreate |= IsSwitch(a, "fullrecreate");
            s.fullRefresh |= IsSwitch(a, "fullrefresh");
            s.quitAfterStart |= IsSwitch(a, "quit-after-start");
        }
    }
    return s;
}

}  // namespace zentrix
