#include "util/event.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zentrix {
namespace {

TEST(Event, EverySubscriberIsCalledInOrderUntilItsSubscriptionEnds) {
    TEvent<const std::string&> event;
    std::vector<std::string> calls;
    TSubscription a = event.Subscribe([&](const std::string& s) { calls.push_back("a" + s); });
    std::optional<TSubscription> b =
        event.Subscribe([&](const std::string& s) { calls.push_back("b" + s); });
    event.Emit("1");
    b.reset();  // the subscriber is gone
    event.Emit("2");
    EXPECT_EQ(calls, (std::vector<std::string>{"a1", "b1", "a2"}));
    EXPECT_EQ(event.SubscriberCount(), 1);
}

TEST(Event, ASubscriptionCancelledDuringAnEmissionIsNotCalled) {
    TEvent<> event;
    std::vector<int> calls;
    TSubscription second;
    TSubscription first = event.Subscribe([&] {
        calls.push_back(1);
        second.Reset();
    });
    second = event.Subscribe([&] { calls.push_back(2); });
    event.Emit();
    EXPECT_EQ(calls, (std::vector<int>{1}));
}

TEST(Event, ASubscriptionMayOutliveItsEvent) {
    TSubscription kept;
    {
        TEvent<int> event;
        kept = event.Subscribe([](int) {});
        TSubscription moved = std::move(kept);
        kept = std::move(moved);
    }
    kept.Reset();  // nothing left to cancel
    SUCCEED();
}

}  // namespace
}  // namespace zentrix
