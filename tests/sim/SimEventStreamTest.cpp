#include <gtest/gtest.h>

#include <string>

#include "SimTestDesktop.h"

namespace wexo::platform::sim::testing {
namespace {

class SimEventStreamTest : public ::testing::Test {
  protected:
    SimTestDesktop t;
    EventStream& stream = t.desktop.eventStream();

    // A pass-through tap that writes its name into `trace` for each event.
    std::unique_ptr<EventTap> tracer(TapLocation location, TapPlacement placement, char name,
                                     std::uint64_t mask = kAll) {
        return stream.createTap(location, placement, TapOption::Default, mask,
                                [this, name](EventType, Event&) {
                                    trace += name;
                                    return Verdict::pass();
                                });
    }
    std::string trace;
};

TEST_F(SimEventStreamTest, HidTapsComeFirstHeadInsertedBeforeEarlierTailAppendedAfter) {
    auto a = tracer(TapLocation::Session, TapPlacement::TailAppend, 'A');
    auto b = tracer(TapLocation::Session, TapPlacement::HeadInsert, 'B');
    auto c = tracer(TapLocation::HID, TapPlacement::TailAppend, 'C');
    auto d = tracer(TapLocation::Session, TapPlacement::TailAppend, 'D');
    auto e = tracer(TapLocation::HID, TapPlacement::HeadInsert, 'E');

    t.desktop.inject(mouseAt(EventType::MouseMoved, 10, 10));
    EXPECT_EQ(trace, "ECBAD");
    EXPECT_EQ(t.delivered().size(), 1u);

    // The session location skips the HID taps.
    trace.clear();
    stream.post(TapLocation::Session, mouseAt(EventType::MouseMoved, 20, 20));
    EXPECT_EQ(trace, "BAD");
}

TEST_F(SimEventStreamTest, MaskSelectsTypesAsTheEventIsWhenItArrives) {
    // The first tap turns a move into a scroll; the second sees only scrolls.
    auto turn = stream.createTap(TapLocation::Session, TapPlacement::TailAppend, TapOption::Default,
                                 eventMaskBit(EventType::MouseMoved), [&](EventType, Event& e) {
                                     trace += 'T';
                                     e.setType(EventType::ScrollWheel);
                                     return Verdict::pass();
                                 });
    auto scrolls = tracer(TapLocation::Session, TapPlacement::TailAppend, 'S',
                          eventMaskBit(EventType::ScrollWheel));
    t.desktop.inject(Event::keyboard(0, true));
    EXPECT_EQ(trace, "");
    t.desktop.inject(mouseAt(EventType::MouseMoved, 5, 5));
    EXPECT_EQ(trace, "TS");
    ASSERT_EQ(t.delivered().size(), 2u);
    EXPECT_EQ(t.delivered()[1].type(), EventType::ScrollWheel);
}

TEST_F(SimEventStreamTest, SwallowedEventGoesNoFurtherAndChangesCarryOn) {
    auto change = stream.createTap(TapLocation::HID, TapPlacement::TailAppend, TapOption::Default,
                                   kAll, [&](EventType, Event& e) {
                                       if (e.type() == EventType::KeyDown)
                                           return Verdict::swallow();
                                       e.setLocation(Point{300, 400});
                                       e.setIntegerField(EventField::MouseEventDeltaX, 7);
                                       return Verdict::pass();
                                   });
    Point seen;
    auto later = stream.createTap(TapLocation::Session, TapPlacement::TailAppend,
                                  TapOption::Default, kAll, [&](EventType, Event& e) {
                                      trace += 'L';
                                      seen = e.location();
                                      return Verdict::pass();
                                  });
    t.desktop.inject(Event::keyboard(12, true));
    EXPECT_EQ(trace, "");
    EXPECT_TRUE(t.delivered().empty());

    t.desktop.inject(mouseAt(EventType::MouseMoved, 1, 2));
    EXPECT_EQ(trace, "L");
    EXPECT_EQ(seen, (Point{300, 400}));
    ASSERT_EQ(t.delivered().size(), 1u);
    EXPECT_EQ(t.delivered()[0].integerField(EventField::MouseEventDeltaX), 7);
    // The pointer follows the delivered event, not the device's location.
    EXPECT_EQ(stream.pointerLocation(), (Point{300, 400}));
}

TEST_F(SimEventStreamTest, PostedEventsEnterAfterTheCurrentOneInOrderThroughEveryTap) {
    std::unique_ptr<EventTap> lateTap;
    std::vector<std::int64_t> lateSaw;
    std::vector<std::int64_t> firstSaw;
    auto poster = stream.createTap(
        TapLocation::Session, TapPlacement::TailAppend, TapOption::Default, kAll,
        [&](EventType, Event& e) {
            firstSaw.push_back(markOf(e));
            if (markOf(e) == 0) {
                stream.post(TapLocation::HID, marked(EventType::ScrollWheel, 1));
                // A tap made between the two posts sees only the second.
                lateTap = stream.createTap(TapLocation::HID, TapPlacement::HeadInsert,
                                           TapOption::Default, kAll, [&](EventType, Event& e2) {
                                               lateSaw.push_back(markOf(e2));
                                               return Verdict::pass();
                                           });
                stream.post(TapLocation::HID, marked(EventType::ScrollWheel, 2));
                // Nothing posted has entered yet.
                EXPECT_TRUE(t.delivered().empty());
            }
            return Verdict::pass();
        });
    t.desktop.advanceBySeconds(0.25);
    t.desktop.inject(mouseAt(EventType::MouseMoved, 3, 3));

    EXPECT_EQ(firstSaw, (std::vector<std::int64_t>{0, 1, 2}));
    EXPECT_EQ(lateSaw, (std::vector<std::int64_t>{2}));
    const auto delivered = t.delivered();
    ASSERT_EQ(delivered.size(), 3u);
    EXPECT_EQ(markOf(delivered[0]), 0);
    EXPECT_EQ(markOf(delivered[1]), 1);
    EXPECT_EQ(markOf(delivered[2]), 2);
    EXPECT_EQ(t.deliveryTimes(), (std::vector<std::int64_t>(3, 250'000'000)));
}

TEST_F(SimEventStreamTest, ListenOnlyTapSeesButCannotChangeOrSwallow) {
    int seen = 0;
    auto listener = stream.createTap(TapLocation::Session, TapPlacement::HeadInsert,
                                     TapOption::ListenOnly, kAll, [&](EventType, Event& e) {
                                         ++seen;
                                         e.setLocation(Point{999, 999});
                                         return Verdict::swallow();
                                     });
    t.desktop.inject(mouseAt(EventType::LeftMouseDown, 40, 50));
    EXPECT_EQ(seen, 1);
    ASSERT_EQ(t.delivered().size(), 1u);
    EXPECT_EQ(t.delivered()[0].location(), (Point{40, 50}));
}

TEST_F(SimEventStreamTest, DisabledTapIsSkippedAndDestroyedTapIsGone) {
    auto a = tracer(TapLocation::Session, TapPlacement::TailAppend, 'A');
    auto b = tracer(TapLocation::Session, TapPlacement::TailAppend, 'B');
    a->enable(false);
    EXPECT_FALSE(a->isEnabled());
    t.desktop.inject(mouseAt(EventType::MouseMoved, 1, 1));
    a->enable(true);
    t.desktop.inject(mouseAt(EventType::MouseMoved, 1, 1));
    b.reset();
    t.desktop.inject(mouseAt(EventType::MouseMoved, 1, 1));
    EXPECT_EQ(trace, "BABA");

    // A tap destroyed by an earlier tap's callback misses the event in flight.
    auto killer = stream.createTap(TapLocation::HID, TapPlacement::TailAppend, TapOption::Default,
                                   kAll, [&](EventType, Event&) {
                                       a.reset();
                                       return Verdict::pass();
                                   });
    trace.clear();
    t.desktop.inject(mouseAt(EventType::MouseMoved, 1, 1));
    EXPECT_EQ(trace, "");
    EXPECT_EQ(t.desktop.simEventStream().taps().size(), 1u);
}

TEST_F(SimEventStreamTest, TapDisabledNotificationsDisableAndReachTheCallback) {
    std::vector<EventType> notified;
    std::unique_ptr<EventTap> tap;
    // Like a careful tap, this one turns itself back on after a time-out.
    tap = stream.createTap(TapLocation::Session, TapPlacement::HeadInsert, TapOption::Default,
                           eventMaskBit(EventType::ScrollWheel), [&](EventType type, Event& e) {
                               notified.push_back(type);
                               EXPECT_EQ(e.type(), EventType::Null);
                               if (type == EventType::TapDisabledByTimeout) tap->enable(true);
                               return Verdict::pass();
                           });
    auto& sim = t.desktop.simEventStream();
    const std::uint64_t id = sim.taps().front().id;

    EXPECT_TRUE(sim.disableTap(id, EventType::TapDisabledByTimeout));
    EXPECT_TRUE(tap->isEnabled());
    EXPECT_TRUE(sim.disableTap(id, EventType::TapDisabledByUserInput));
    EXPECT_FALSE(tap->isEnabled());
    EXPECT_EQ(notified, (std::vector<EventType>{EventType::TapDisabledByTimeout,
                                                EventType::TapDisabledByUserInput}));
    EXPECT_FALSE(sim.disableTap(id + 1, EventType::TapDisabledByTimeout));
}

TEST_F(SimEventStreamTest, ActiveTapsNeedTrust) {
    t.desktop.simAccessibility().setTrusted(false);
    auto pass = [](EventType, Event&) { return Verdict::pass(); };
    EXPECT_EQ(stream.createTap(TapLocation::Session, TapPlacement::HeadInsert, TapOption::Default,
                               kAll, pass),
              nullptr);
    EXPECT_NE(stream.createTap(TapLocation::Session, TapPlacement::HeadInsert,
                               TapOption::ListenOnly, kAll, pass),
              nullptr);
}

TEST_F(SimEventStreamTest, DeviceInputIsStampedAndTargetsTheWindowUnderIt) {
    auto& windows = t.desktop.simWindowList();
    windows.setWindows({{501, 0, Rect(0, 0, 500, 500), std::nullopt},
                        {502, 0, Rect(0, 0, 1000, 1000), std::nullopt}});
    t.desktop.advanceBySeconds(2);
    t.desktop.inject(mouseAt(EventType::LeftMouseDown, 100, 100));  // front window
    t.desktop.inject(mouseAt(EventType::LeftMouseUp, 600, 600));    // only the back one
    t.desktop.inject(mouseAt(EventType::MouseMoved, 1500, 900));    // no window
    Event explicitTarget = mouseAt(EventType::MouseMoved, 100, 100);
    explicitTarget.setIntegerField(EventField::EventTargetUnixProcessID, 777);
    t.desktop.inject(explicitTarget);
    // What the program posts keeps what it set.
    stream.post(TapLocation::HID, mouseAt(EventType::MouseMoved, 100, 100));

    const auto d = t.delivered();
    ASSERT_EQ(d.size(), 5u);
    const auto pid = [](const Event& e) {
        return e.integerField(EventField::EventTargetUnixProcessID);
    };
    EXPECT_EQ(pid(d[0]), 501);
    EXPECT_EQ(pid(d[1]), 502);
    EXPECT_EQ(pid(d[2]), 0);
    EXPECT_EQ(pid(d[3]), 777);
    EXPECT_EQ(pid(d[4]), 0);
    EXPECT_EQ(d[0].timestamp(), 2'000'000'000u);
    EXPECT_EQ(d[4].timestamp(), 0u);
}

TEST_F(SimEventStreamTest, PointerFollowsMovesDragsAndClicksOnly) {
    t.desktop.simEventStream().setPointer(Point{10, 10});
    Event scroll = Event::scrollWheel(ScrollEventUnit::Line, 1, 3);
    scroll.setLocation(Point{50, 50});
    t.desktop.inject(scroll);
    EXPECT_EQ(stream.pointerLocation(), (Point{10, 10}));
    t.desktop.inject(mouseAt(EventType::LeftMouseDragged, 20, 30));
    EXPECT_EQ(stream.pointerLocation(), (Point{20, 30}));
    t.desktop.inject(mouseAt(EventType::OtherMouseDown, 25, 35));
    EXPECT_EQ(stream.pointerLocation(), (Point{25, 35}));
    Event key = Event::keyboard(1, true);
    key.setLocation(Point{0, 0});
    t.desktop.inject(key);
    EXPECT_EQ(stream.pointerLocation(), (Point{25, 35}));
    EXPECT_EQ(stream.emptyEvent().location(), (Point{25, 35}));
}

}  // namespace
}  // namespace wexo::platform::sim::testing
