#include <gtest/gtest.h>

#include "ActionTestDesktop.h"
#include "actions/SimulateMouse.h"

namespace wexo::testing {
namespace {

constexpr std::uint64_t kKeepPressedMask = 0xA0000AA;

using SimulateMouseTest = ActionTestDesktop;

TEST(SimulateMouseCatalogue, NineKindFourActionsIndexedInOrder) {
    const std::vector<std::string> names = {
        "Left Click", "Right Click", "Middle Click",      "Scroll Right",     "Scroll Left",
        "Scroll Up",  "Scroll Down", "Double Left Click", "Keep Left Pressed"};
    const auto actions = SimulateMouse::getSimulateMouseActions();
    ASSERT_EQ(actions.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(actions[i], CustomAction(names[i], std::nullopt, std::nullopt,
                                           static_cast<std::int64_t>(i), std::nullopt, 4))
            << i;
    }
}

TEST_F(SimulateMouseTest, ClicksAtThePointerWithoutModifierFlags) {
    for (std::int64_t index : {0, 1, 2, 7}) SimulateMouse::postSimulateMouseKey(index);
    const Point p = kPointer;
    EXPECT_EQ(mousePosts(), (std::vector<MousePost>{
                                {EventType::LeftMouseDown, p, 0, 1},
                                {EventType::LeftMouseUp, p, 0, 1},
                                {EventType::RightMouseDown, p, 1, 1},
                                {EventType::RightMouseUp, p, 1, 1},
                                {EventType::OtherMouseDown, p, 2, 1},
                                {EventType::OtherMouseUp, p, 2, 1},
                                // The double click: the second pair says it is the second click.
                                {EventType::LeftMouseDown, p, 0, 1},
                                {EventType::LeftMouseUp, p, 0, 1},
                                {EventType::LeftMouseDown, p, 0, 2},
                                {EventType::LeftMouseUp, p, 0, 2},
                            }));
}

TEST_F(SimulateMouseTest, WheelStepsAreFourLines) {
    for (std::int64_t index : {3, 4, 5, 6}) SimulateMouse::postSimulateMouseKey(index);
    const auto posted = delivered();
    ASSERT_EQ(posted.size(), 4u);
    // {vertical, horizontal} line deltas of Scroll Right, Left, Up, Down.
    const std::int64_t expected[4][2] = {{0, -4}, {0, 4}, {4, 0}, {-4, 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(posted[i].type(), EventType::ScrollWheel);
        EXPECT_EQ(posted[i].integerField(EventField::ScrollWheelEventIsContinuous), 0) << i;
        EXPECT_EQ(posted[i].integerField(EventField::ScrollWheelEventDeltaAxis1), expected[i][0]);
        EXPECT_EQ(posted[i].integerField(EventField::ScrollWheelEventDeltaAxis2), expected[i][1]);
        EXPECT_EQ(posted[i].flags(), 0u);
    }
}

TEST_F(SimulateMouseTest, ReplayedClicksCarryTheMarkAndTheirButtonNumber) {
    for (std::int64_t n : {0, 1, 2, 4}) SimulateMouse::simulateMouseByButtonNumber(n);
    const Point p = kPointer;
    EXPECT_EQ(mousePosts(), (std::vector<MousePost>{
                                {EventType::LeftMouseDown, p, 0, 1, -1700},
                                {EventType::LeftMouseUp, p, 0, 1, -1700},
                                {EventType::RightMouseDown, p, 1, 1, -1700},
                                {EventType::RightMouseUp, p, 1, 1, -1700},
                                {EventType::OtherMouseDown, p, 2, 1, -1700},
                                {EventType::OtherMouseUp, p, 2, 1, -1700},
                                {EventType::OtherMouseDown, p, 4, 1, -1700},
                                {EventType::OtherMouseUp, p, 4, 1, -1700},
                            }));
}

TEST_F(SimulateMouseTest, ClicksAreMarkedOnlyWhileAMarkedScopeLives) {
    {
        SimulateMouse::MarkedClicks marked;
        SimulateMouse::postSimulateMouseKey(1);
    }
    SimulateMouse::postSimulateMouseKey(1);
    const Point p = kPointer;
    EXPECT_EQ(mousePosts(), (std::vector<MousePost>{
                                {EventType::RightMouseDown, p, 1, 1, -1700},
                                {EventType::RightMouseUp, p, 1, 1, -1700},
                                {EventType::RightMouseDown, p, 1, 1},
                                {EventType::RightMouseUp, p, 1, 1},
                            }));
}

// ---- Keep Left Pressed ----

class KeepPressedTest : public ActionTestDesktop {
  protected:
    void inject(EventType type, Point at, std::int64_t button = 0) {
        Event e = Event::mouse(type, at, static_cast<platform::MouseButton>(button));
        e.setIntegerField(EventField::MouseEventButtonNumber, button);
        desktop.inject(e);
    }
    // The taps at the HID location: the keep-pressed tap's place. The
    // program's other taps (the scroll engine's) sit in the session.
    std::vector<platform::sim::SimEventStream::TapInfo> taps() {
        auto all = desktop.simEventStream().taps();
        std::erase_if(all, [](const auto& t) { return t.location != platform::TapLocation::HID; });
        return all;
    }
};

TEST_F(KeepPressedTest, MovesDragUntilTheNextPressWhichOnlyLetsGo) {
    SimulateMouse::postSimulateMouseKey(8);
    ASSERT_EQ(taps().size(), 1u);
    EXPECT_EQ(taps()[0].location, platform::TapLocation::HID);
    EXPECT_EQ(taps()[0].placement, platform::TapPlacement::HeadInsert);
    EXPECT_EQ(taps()[0].mask, kKeepPressedMask);

    inject(EventType::MouseMoved, {310, 210});
    SimulateMouse::leftClickKeepPressed();  // already held: nothing
    inject(EventType::RightMouseDown, {320, 220}, 1);
    inject(EventType::RightMouseUp, {320, 220}, 1);
    inject(EventType::MouseMoved, {330, 230});

    EXPECT_EQ(mousePosts(), (std::vector<MousePost>{
                                {EventType::LeftMouseDown, kPointer, 0, 1},
                                {EventType::LeftMouseDragged, {310, 210}, 0, 0},
                                // The right press is swallowed; the left button is let go
                                // where the pointer is.
                                {EventType::LeftMouseUp, {310, 210}, 0, 1},
                                // Only the press was the tap's to take.
                                {EventType::RightMouseUp, {320, 220}, 1, 1},
                                {EventType::MouseMoved, {330, 230}, 0, 0},
                            }));
    EXPECT_TRUE(taps().empty());

    // A new hold makes a new tap.
    SimulateMouse::leftClickKeepPressed();
    EXPECT_EQ(taps().size(), 1u);
}

TEST_F(KeepPressedTest, TapDisabledByTheSystemIsEnabledAgain) {
    SimulateMouse::leftClickKeepPressed();
    const auto id = taps().at(0).id;
    EXPECT_TRUE(desktop.simEventStream().disableTap(id, EventType::TapDisabledByTimeout));
    EXPECT_TRUE(taps().at(0).enabled);
    EXPECT_TRUE(desktop.simEventStream().disableTap(id, EventType::TapDisabledByUserInput));
    EXPECT_TRUE(taps().at(0).enabled);
    // The notifications themselves made no drags.
    EXPECT_EQ(delivered().size(), 1u);

    inject(EventType::LeftMouseDown, {0, 0});
    EXPECT_EQ(mousePosts().back(), (MousePost{EventType::LeftMouseUp, kPointer, 0, 1}));
    EXPECT_TRUE(taps().empty());
}

TEST_F(KeepPressedTest, WithoutATapTheButtonIsLetGoAtOnce) {
    // A system that does not ask for trust, or the mouse tap would relaunch
    // the program at the press.
    desktop.simProcess().setMojaveOrBigger(false);
    desktop.simAccessibility().setTrusted(false);
    SimulateMouse::leftClickAKeepPressedtCoordinate({50, 60});
    EXPECT_EQ(mousePosts(), (std::vector<MousePost>{{EventType::LeftMouseDown, {50, 60}, 0, 1},
                                                    {EventType::LeftMouseUp, {50, 60}, 0, 1}}));
    EXPECT_TRUE(taps().empty());
    EXPECT_EQ(loggedLines().size(), 1u);
}

TEST_F(KeepPressedTest, ProgramEndingWhileHeldLetsGoAndRemovesTheTap) {
    SimulateMouse::leftClickKeepPressed();
    root.reset();
    EXPECT_TRUE(taps().empty());
    EXPECT_EQ(mousePosts(), (std::vector<MousePost>{{EventType::LeftMouseDown, kPointer, 0, 1},
                                                    {EventType::LeftMouseUp, kPointer, 0, 1}}));

    // A fresh program starts with no held button.
    root = std::make_unique<CompositionRoot>(desktop);
    SimulateMouse::leftClickKeepPressed();
    EXPECT_EQ(taps().size(), 1u);
}

}  // namespace
}  // namespace wexo::testing
