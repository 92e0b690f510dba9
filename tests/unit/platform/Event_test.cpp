// Event dispatch: handlers run in connection order, and a handler may change the handlers, or
// end the event's control, while the event runs.
#include "platform/Event.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/EventProbe.h"

namespace tabora::platform {
namespace {

using Log = std::vector<std::string>;

TEST(EventTest, HandlersRunInConnectionOrderWithTheArguments) {
    Event<int, const std::string&> event;
    Log log;
    Connection a = event.Connect([&](int n, const std::string& s) { log.push_back("a" + std::to_string(n) + s); });
    Connection b = event.Connect([&](int n, const std::string& s) { log.push_back("b" + std::to_string(n) + s); });
    event.Raise(1, "x");
    EXPECT_EQ(log, (Log{"a1x", "b1x"}));
}

TEST(EventTest, AHandlerDisconnectedByAnEarlierOneDuringTheRaiseIsSkipped) {
    Event<> event;
    Log log;
    Connection second;
    Connection first = event.Connect([&] {
        log.push_back("first");
        second.Disconnect();
    });
    second = event.Connect([&] { log.push_back("second"); });
    event.Raise();
    event.Raise();
    EXPECT_EQ(log, (Log{"first", "first"}));
}

TEST(EventTest, AHandlerConnectedDuringTheRaiseWaitsForTheNextOne) {
    Event<> event;
    Log log;
    std::optional<Connection> late;
    Connection first = event.Connect([&] {
        log.push_back("first");
        if (!late) late = event.Connect([&] { log.push_back("late"); });
    });
    event.Raise();
    EXPECT_EQ(log, (Log{"first"}));
    event.Raise();
    EXPECT_EQ(log, (Log{"first", "first", "late"}));
}

TEST(EventTest, AHandlerThatDisconnectsItselfFinishesAndRunsNoMore) {
    Event<> event;
    int runs = 0;
    Connection self;
    self = event.Connect([&] {
        self.Disconnect();
        ++runs;  // its own state stays valid until it returns
    });
    event.Raise();
    event.Raise();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(test::EventProbe::HandlerCount(event), 0u);
}

TEST(EventTest, AHandlerThatDestroysTheEventEndsTheRaise) {
    auto event = std::make_unique<Event<>>();
    Log log;
    Connection first = event->Connect([&] {
        log.push_back("first");
        event.reset();
    });
    Connection second = event->Connect([&] { log.push_back("second"); });
    event->Raise();
    EXPECT_EQ(log, (Log{"first"}));
    EXPECT_FALSE(second.Connected());
    second.Disconnect();  // harmless once the event is gone
}

TEST(EventTest, AConnectionDisconnectsWhenItEndsOrIsReplaced) {
    Event<> event;
    int runs = 0;
    {
        Connection scoped = event.Connect([&] { ++runs; });
        EXPECT_TRUE(scoped.Connected());
        Connection moved = std::move(scoped);
        EXPECT_FALSE(scoped.Connected());
        event.Raise();
        moved = event.Connect([&] { runs += 10; });
        event.Raise();
    }
    event.Raise();
    EXPECT_EQ(runs, 11);
    EXPECT_EQ(test::EventProbe::HandlerCount(event), 0u);
}

}  // namespace
}  // namespace tabora::platform
