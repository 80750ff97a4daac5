#include <gtest/gtest.h>

#include "SimTestDesktop.h"

namespace wexo::platform::sim::testing {
namespace {

constexpr std::uint16_t kSpace = 49;

Event key(std::uint16_t code, bool down, std::uint64_t flags = 0, bool repeat = false) {
    Event e = Event::keyboard(code, down);
    e.setFlags(flags);
    e.setIntegerField(EventField::KeyboardEventAutorepeat, repeat ? 1 : 0);
    return e;
}

class SimKeysTest : public ::testing::Test {
  protected:
    SimTestDesktop t;
    HotKeys& hotKeys = t.desktop.hotKeys();
    std::vector<HotKeyEvent> got;
    Subscription handler = hotKeys.installHandler([this](const HotKeyEvent& e) {
        got.push_back(e);
        return kNoErr;
    });
};

TEST_F(SimKeysTest, HotKeyTakesItsKeyPressedOnceAndReleased) {
    auto reg = hotKeys.registerHotKey(kSpace, 0, HotKeyId{1, 4});
    ASSERT_NE(reg, nullptr);
    t.desktop.simEventStream().setPointer(Point{70, 80});
    t.desktop.inject(key(kSpace, true));
    t.desktop.inject(key(kSpace, true, 0, true));  // auto-repeat while held
    t.desktop.inject(key(kSpace, true));
    t.desktop.inject(key(kSpace, false));
    EXPECT_TRUE(t.delivered().empty());
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].kind, HotKeyEvent::Kind::Pressed);
    EXPECT_EQ(got[0].id, (HotKeyId{1, 4}));
    EXPECT_EQ(got[0].location, (Point{70, 80}));
    EXPECT_EQ(got[1].kind, HotKeyEvent::Kind::Released);

    // Another modifier state is another key; Caps Lock or the function key
    // are not modifiers of a hot key.
    t.desktop.inject(key(kSpace, true, EventFlags::Shift));
    t.desktop.inject(key(kSpace, true, EventFlags::AlphaShift | EventFlags::SecondaryFn));
    EXPECT_EQ(t.delivered().size(), 1u);
    EXPECT_EQ(got.size(), 3u);

    // The same combination cannot be registered twice; once unregistered the
    // key reaches the applications.
    EXPECT_EQ(hotKeys.registerHotKey(kSpace, 0, HotKeyId{1, 5}), nullptr);
    reg.reset();
    t.desktop.inject(key(kSpace, false));
    EXPECT_EQ(t.delivered().size(), 2u);
}

// A key already down when its hot key is registered is released where its
// press went: the application that saw it go down sees it come up.
TEST_F(SimKeysTest, AKeyPressedBeforeItsHotKeyIsReleasedToTheApplication) {
    t.desktop.inject(key(kSpace, true));
    auto reg = hotKeys.registerHotKey(kSpace, 0, HotKeyId{1, 4});
    t.desktop.inject(key(kSpace, false));
    EXPECT_EQ(t.delivered().size(), 2u);
    EXPECT_TRUE(got.empty());
}

TEST_F(SimKeysTest, HotKeyWithCarbonModifiersAndHandlersNewestFirst) {
    auto reg = hotKeys.registerHotKey(kSpace, CarbonModifiers::Command | CarbonModifiers::Option,
                                      HotKeyId{2, 1});
    std::vector<char> order;
    auto older = hotKeys.installHandler([&](const HotKeyEvent&) {
        order.push_back('o');
        return kNoErr;
    });
    auto newer = hotKeys.installHandler([&](const HotKeyEvent&) {
        order.push_back('n');
        return kEventNotHandledErr;  // passes it on
    });
    t.desktop.inject(key(kSpace, true, EventFlags::Command | EventFlags::Alternate));
    EXPECT_EQ(order, (std::vector<char>{'n', 'o'}));
    EXPECT_TRUE(got.empty());  // the oldest handler was not reached
    EXPECT_TRUE(t.delivered().empty());
}

TEST_F(SimKeysTest, LocalMonitorsSeeKeysOnlyWhileTheProgramIsInFront) {
    std::vector<std::int64_t> firstSaw, secondSaw;
    auto first = t.desktop.keyMonitors().addLocalMonitor(
        AppEventMask::KeyDown, [&](const Event& e) -> std::optional<Event> {
            const auto code = e.integerField(EventField::KeyboardEventKeycode);
            firstSaw.push_back(code);
            if (code == 1) return std::nullopt;  // dropped
            return e;
        });
    auto second = t.desktop.keyMonitors().addLocalMonitor(
        AppEventMask::KeyDown | AppEventMask::KeyUp, [&](const Event& e) -> std::optional<Event> {
            secondSaw.push_back(e.integerField(EventField::KeyboardEventKeycode));
            return e;
        });

    t.desktop.simWorkspace().setApplications({{501, "com.example.App", "App", "", 0, false}});
    t.desktop.simWorkspace().setFrontmost(501);
    t.desktop.inject(key(7, true));
    EXPECT_TRUE(firstSaw.empty());

    t.desktop.simWorkspace().setFrontmost(SimProcess::kPid);
    t.desktop.inject(key(1, true));
    t.desktop.inject(key(2, true));
    t.desktop.inject(key(2, false));
    EXPECT_EQ(firstSaw, (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(secondSaw, (std::vector<std::int64_t>{2, 2}));
    // Monitors act inside the program: every key still reached it.
    EXPECT_EQ(t.delivered().size(), 4u);
}

TEST_F(SimKeysTest, HotKeysAndMonitorsStopWhenTheProgramEnds) {
    auto reg = hotKeys.registerHotKey(kSpace, 0, HotKeyId{1, 4});
    int monitored = 0;
    auto monitor = t.desktop.keyMonitors().addLocalMonitor(
        AppEventMask::KeyDown, [&](const Event& e) -> std::optional<Event> {
            ++monitored;
            return e;
        });
    t.desktop.simWorkspace().setFrontmost(SimProcess::kPid);
    t.desktop.process().exit(0);
    t.desktop.inject(key(kSpace, true));
    EXPECT_TRUE(got.empty());
    EXPECT_EQ(monitored, 0);
    EXPECT_EQ(t.delivered().size(), 1u);
}

}  // namespace
}  // namespace wexo::platform::sim::testing
