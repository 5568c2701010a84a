#include "cli/stakes_open.h"

namespace zentrix::cli {

TStakesController& OpenStakesSession(TCliSession& s) {
    s.LockData();
    s.session.LoadWindowSettings();
    s.session.LoadConfig();
    s.session.InitRegistry();
    s.ExitOnErrors();
    s.session.OpenStakes();
    s.session.Archive().LoadArchive();
    s.session.Ratings().Load();
    s.ExitOnErrors();
    return s.session.Stakes();
}

}  // namespace zentrix::cli
