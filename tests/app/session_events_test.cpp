#include "app/session_events.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "app/session.h"
#include "core/demo_archive.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace zentrix {
namespace {

struct SessionEvents : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TSessionEvents& events = session.Core().Events();
    std::map<std::string, int> raised;
    std::vector<TSubscription> subscriptions;

    SessionEvents() {
        session.LoadConfig();
        session.Combs().InitArrays();
        auto count = [this](const char* name) {
            return [this, name](auto&&...) { ++raised[name]; };
        };
        subscriptions.push_back(events.archiveChanged.Subscribe(count("archive")));
        subscriptions.push_back(events.referenceDrawChanged.Subscribe(count("reference")));
        subscriptions.push_back(events.settingsChanged.Subscribe(count("settings")));
        subscriptions.push_back(events.workingListChanged.Subscribe(count("working")));
        subscriptions.push_back(events.registryRebuilt.Subscribe(count("registry")));
    }
};

TEST_F(SessionEvents, EachActionRaisesItsEvent) {
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[&] { session.Archive().Assign(MakeDemoDraws(10, 1, 45292)); }, "archive"},
        {[&] { session.Archive().SetDrawsOffset(3); }, "reference"},
        {[&] { session.Combs().GenerateCombs(true, 2, "1;2;3;4;5;6;7;8;9"); }, "working"},
        {[&] { session.InitRegistry(); }, "registry"},
        {[&] { session.Archive().AddDraw(session.Archive().NewDrawRecord()); }, "archive"},
    };
    for (const auto& [action, event] : cases) {
        raised.clear();
        action();
        EXPECT_EQ(raised[event], 1) << event;
    }
    // Parameters: settingsChanged, and the statistics rebuild their lists on it.
    raised.clear();
    session.Config().ApplyParams(session.Config().Data());
    EXPECT_EQ(raised["settings"], 1);
    EXPECT_EQ(raised["registry"], 1);
}

TEST_F(SessionEvents, EverySubscriberAddsItsInformationRows) {
    session.InitRegistry();
    session.Archive().Assign(MakeDemoDraws(10, 1, 45292));
    const size_t statRows = session.Archive().InfoProperties(0).size();
    {
        TSubscription page =
            events.infoRows.Subscribe([](const TInfoRowsQuery&, std::vector<TInfoProperty>& rows) {
                rows.push_back({"Своя", "1"});
            });
        const std::vector<TInfoProperty> rows = session.Archive().InfoProperties(0);
        ASSERT_EQ(rows.size(), statRows + 1);
        EXPECT_EQ(rows.back(), (TInfoProperty{"Своя", "1"}));
    }
    // The page is gone: its rows with it, the statistics' stay.
    EXPECT_EQ(session.Archive().InfoProperties(0).size(), statRows);
    EXPECT_GT(statRows, 2u);
}

}  // namespace
}  // namespace zentrix
