#include <cmath>
#include <limits>

#include "ScrollTestDesktop.h"
#include "actions/MouseButton.h"
#include "app/HelperMethods.h"
#include "events/ScreenRegistry.h"

namespace wexo::testing {
namespace {

using platform::EventFlags::Alternate;
using platform::EventFlags::Command;
using platform::EventFlags::Control;
using platform::EventFlags::Shift;

class ScrollShapingTest : public ScrollTestDesktop {
  protected:
    ScrollShapingTest() { start(); }
};

TEST_F(ScrollShapingTest, DirectionCodesWithShiftAndReversal) {
    auto code = [&](std::int32_t vertical, std::int32_t horizontal, std::uint64_t flags = 0) {
        return engine().findDelta(notch(vertical, horizontal, flags));
    };
    SingleScrollSettingsObject s;
    engine().applySettingsToScroller(s);
    EXPECT_EQ(code(1, 0), 500);
    EXPECT_EQ(code(-1, 0), 501);
    EXPECT_EQ(code(0, 1), 502);
    EXPECT_EQ(code(0, -1), 503);
    EXPECT_EQ(code(0, 0), 503);
    // Vertical comes before horizontal; Shift turns both into horizontal.
    EXPECT_EQ(code(-1, 1), 501);
    EXPECT_EQ(code(1, 0, Shift), 502);
    EXPECT_EQ(code(-1, 0, Shift), 503);
    EXPECT_EQ(code(-1, 1, Shift), 502);

    s.isReverseVertical = true;
    engine().applySettingsToScroller(s);
    EXPECT_EQ(code(1, 0), 501);
    EXPECT_EQ(code(-1, 0), 500);
    EXPECT_EQ(code(0, 0), 502);  // the zero event follows the vertical reversal
    EXPECT_EQ(code(0, 1), 502);
    EXPECT_EQ(code(1, 0, Shift), 502);  // horizontal now: vertical reversal plays no part

    s.isReverseVertical = false;
    s.isReverseHorizontal = true;
    engine().applySettingsToScroller(s);
    EXPECT_EQ(code(1, 0, Shift), 503);
    EXPECT_EQ(code(-1, 0, Shift), 502);
    EXPECT_EQ(code(0, 1), 503);
    EXPECT_EQ(code(0, -1), 502);
    EXPECT_EQ(code(0, 0), 503);
}

TEST_F(ScrollShapingTest, WheelButtonNumberIgnoresShiftAndReversal) {
    EXPECT_EQ(HelperMethods::findOriginalDelta(0, 5), 500);
    EXPECT_EQ(HelperMethods::findOriginalDelta(7, -1), 501);
    EXPECT_EQ(HelperMethods::findOriginalDelta(2, 0), 502);
    EXPECT_EQ(HelperMethods::findOriginalDelta(-2, 0), 503);
    EXPECT_EQ(HelperMethods::findOriginalDelta(0, 0), 503);
}

TEST_F(ScrollShapingTest, SettingsBecomeNotchDistancesAndFrames) {
    SingleScrollSettingsObject s;
    // In single precision 1.15 × 100 rounds up to 115 and 0.29 × 100 to 29,
    // where double precision would give 114.99… and 28.99….
    s.verticalLinesNumber = 1.15;
    s.horizontalLinesNumber = 0.29;
    s.scrollSpeed = 700;
    s.scrollAnimationIndex = 4;  // CubicIn, whose ease-out partner is CubicOut
    engine().applySettingsToScroller(s);
    auto st = state();
    EXPECT_EQ(st.fixedPixels, 115);
    EXPECT_EQ(st.horzFixedPixels, 29);
    EXPECT_EQ(st.fixedFrames, 42);  // 700 ms: trunc(60 ÷ (1000 ÷ 700)) = 42
    EXPECT_EQ(st.milliSec, 700);
    EXPECT_EQ(st.selectedGraphType, 4);
    EXPECT_EQ(st.currentGraphType, 4);
    EXPECT_EQ(st.outGraphType, 5);
    EXPECT_TRUE(st.isEnabled);

    EXPECT_EQ(ScrollAnimation::calcualteFramesFromMs(80), 4);    // 60 ÷ 12.5 = 4.8
    EXPECT_EQ(ScrollAnimation::calcualteFramesFromMs(100), 6);   // 60 ÷ 10
    EXPECT_EQ(ScrollAnimation::calcualteFramesFromMs(10), 0);    // 60 ÷ 100 = 0.6
    EXPECT_EQ(ScrollAnimation::calcualteFramesFromMs(0), 0);     // no 1000 ÷ 0
    EXPECT_EQ(ScrollAnimation::calcualteFramesFromMs(-700), 0);  // no negative frames

    // Stored numbers that mean nothing: a NaN or negative line count, a
    // negative continuous step.
    s.isNativeScroll = true;
    s.verticalLinesNumber = std::numeric_limits<double>::quiet_NaN();
    s.horizontalLinesNumber = -3;
    s.contidDelta = -0.9;
    engine().applySettingsToScroller(s);
    st = state();
    EXPECT_FALSE(st.isEnabled);
    EXPECT_EQ(st.fixedPixels, 200);  // the default two lines
    EXPECT_EQ(st.horzFixedPixels, 0);
    EXPECT_EQ(st.continDeltaPref, 0);
}

TEST_F(ScrollShapingTest, ImmediateNotchSizesWithMultiplierDivisorAndFloor) {
    useSettings(immediateSettings());  // 2 lines: 200 pixels, multiplier 2, divisor 2
    auto one = [&](std::int32_t vertical, std::uint64_t flags) {
        desktop->clearRecords();
        wheel(vertical, 0, flags);
        const auto px = verticalPixels();
        return px.size() == 1 ? px[0] : std::numeric_limits<std::int64_t>::min();
    };
    EXPECT_EQ(one(-1, 0), -80);                    // trunc(200 ÷ 2.5) down
    EXPECT_EQ(one(1, 0), 80);                      // up
    EXPECT_EQ(one(-1, Command), -160);             // × 2
    EXPECT_EQ(one(-1, Alternate), -40);            // × 0.5
    EXPECT_EQ(one(-1, Command | Alternate), -40);  // Option wins
    EXPECT_EQ(state().myMultiplier, 0.5);
    // The incoming notch itself never arrives.
    for (const auto& e : delivered())
        EXPECT_EQ(e.integerField(EventField::EventSourceUserData), -1600);

    auto divided = immediateSettings();
    divided.divideLinesNumber = 50;  // 200 × 0.02 = 4 pixels, under the floor of 10
    useSettings(divided);
    // Multiplier 1 ÷ (200 ÷ 10) = 0.05: a 10-pixel notch, trunc(0.05 × 80) = 4.
    EXPECT_EQ(one(-1, Alternate), -4);
    EXPECT_DOUBLE_EQ(state().myMultiplier, 0.05);

    auto off = immediateSettings();
    off.isMultiplyLines = false;
    off.isDivideLines = false;
    useSettings(off);
    EXPECT_EQ(one(-1, Command), -80);
    EXPECT_EQ(one(-1, Alternate), -80);

    // A stored multiplier or divisor of 0 counts as 1.
    auto zero = immediateSettings();
    zero.multiplyLinesNumber = 0;
    zero.divideLinesNumber = 0;
    useSettings(zero);
    EXPECT_EQ(one(-1, Command), -80);
    EXPECT_EQ(one(-1, Alternate), -80);

    // A notch of no distance with Option: no floor to reach, no division by 0.
    auto none = immediateSettings();
    none.verticalLinesNumber = 0;
    useSettings(none);
    EXPECT_EQ(one(-1, Alternate), 0);
}

TEST_F(ScrollShapingTest, ShiftScrollsHorizontallyByTheHorizontalDistance) {
    auto s = immediateSettings();
    s.horizontalLinesNumber = 1;  // 100 pixels: trunc(100 ÷ 2.5) = 40
    useSettings(s);
    wheel(-1, 0, Shift);
    ASSERT_EQ(posted().size(), 1u);
    EXPECT_EQ(horizontalPixels()[0], -40);  // 503, Scroll Right
    EXPECT_EQ(verticalPixels()[0], 0);
    EXPECT_EQ(state().currentDirection, 503);

    s.isReverseHorizontal = true;
    useSettings(s);
    desktop->clearRecords();
    wheel(-1, 0, Shift);
    EXPECT_EQ(horizontalPixels(), std::vector<std::int64_t>{40});
}

TEST_F(ScrollShapingTest, NoDisplayUnderThePointerPassesTheEventThrough) {
    useSettings(immediateSettings());
    pointer(5000, 5000);
    wheel(-1);
    const auto d = delivered();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].integerField(EventField::ScrollWheelEventDeltaAxis1), -1);
    EXPECT_TRUE(posted().empty());
}

TEST_F(ScrollShapingTest, NotchRecordsModifiersTimeAndTheSpaceForgetsThem) {
    desktop->advanceTo(2'750'000'000);
    wheel(-1, 0, Command | Shift);
    auto st = state();
    EXPECT_TRUE(st.cmndPressed);
    EXPECT_TRUE(st.shiftPressed);
    EXPECT_FALSE(st.optionPressed);
    // Whole seconds since 1970: the desktop's wall clock starts at
    // 1 700 000 000, so 2.75 s later it reads 1 700 000 002.75.
    EXPECT_EQ(SettingsKeeper::shared().getLastScrollTimestamp(), 1'700'000'002);
    desktop->simWorkspace().fireActiveSpaceDidChange();
    st = state();
    EXPECT_FALSE(st.cmndPressed);
    EXPECT_FALSE(st.shiftPressed);
}

TEST_F(ScrollShapingTest, TapDisabledByTimeoutIsEnabledAgain) {
    std::uint64_t wheelTap = 0;
    for (const auto& tap : desktop->simEventStream().taps())
        if (tap.mask == platform::eventMaskBit(platform::EventType::ScrollWheel)) wheelTap = tap.id;
    ASSERT_NE(wheelTap, 0u);
    auto enabled = [&] {
        for (const auto& tap : desktop->simEventStream().taps())
            if (tap.id == wheelTap) return tap.enabled;
        return false;
    };
    ASSERT_TRUE(desktop->simEventStream().disableTap(wheelTap,
                                                     platform::EventType::TapDisabledByUserInput));
    EXPECT_FALSE(enabled());
    ASSERT_TRUE(
        desktop->simEventStream().disableTap(wheelTap, platform::EventType::TapDisabledByTimeout));
    EXPECT_TRUE(enabled());

    engine().stopListeningToWheel();
    EXPECT_FALSE(enabled());
    useSettings(immediateSettings());
    wheel(-1);
    EXPECT_TRUE(posted().empty());
}

// The Buttons screen as the wheel tap asks it.
class AssignmentScreen : public ScreenRegistry, public ButtonsScreenLink {
  public:
    ScrollScreenLink* scrollVC() override { return nullptr; }
    ButtonsScreenLink* buttonsVC() override { return this; }
    GesturesScreenLink* gesturesVC() override { return nullptr; }
    GrabScreenLink* grabVC() override { return nullptr; }
    AutoScreenLink* autoVC() override { return nullptr; }
    FullScreenLink* fullScreenVC() override { return nullptr; }
    void changeActiveAppDisabledStateMenu(
        const std::optional<platform::RunningApplication>&) override {}

    std::shared_ptr<MouseButton> fetchMouseButtonByButton(std::int64_t button,
                                                          std::int64_t andModifier) const override {
        return button == assigned->buttonNumber && andModifier == assigned->modifiers ? assigned
                                                                                      : nullptr;
    }
    void convertDictToArrayAndSelectButton(const std::shared_ptr<MouseButton>&) override {}
    bool isInsideScrollView() const override { return false; }

    std::shared_ptr<MouseButton> assigned = std::make_shared<MouseButton>();
};

TEST_F(ScrollShapingTest, AssignedActiveDirectionIsSwallowed) {
    useSettings(immediateSettings());
    AssignmentScreen screen;
    screen.assigned->buttonNumber = 501;  // Scroll Down
    screen.assigned->modifiers = Command;
    screen.assigned->isActive = 1;
    SharedInstallation<ScreenRegistry> installed(&screen);

    // Flag bits below 16 are not modifiers and do not matter.
    wheel(-1, 0, Command | 0x100);
    EXPECT_TRUE(delivered().empty());
    wheel(-1, 0, Command | Alternate);  // other modifiers: no assignment (Option halves)
    wheel(1, 0, Command);               // other direction (Command doubles)
    EXPECT_EQ(verticalPixels(), (std::vector<std::int64_t>{-40, 160}));

    screen.assigned->isActive = 0;
    desktop->clearRecords();
    wheel(-1, 0, Command);
    EXPECT_EQ(verticalPixels(), std::vector<std::int64_t>{-160});
}

TEST(ScrollEngineCreationTest, DisplayLinkFailureIsLoggedAndNotchesOnlyAccumulate) {
    platform::sim::SimDesktop desktop;
    desktop.simDisplayLinks().setCreationError(-6670);
    CompositionRoot root(desktop);
    ScrollAnimation engine;
    engine.startListeningToWheel();
    EXPECT_FALSE(engine.hasDisplayLinkForTesting());
    bool logged = false;
    for (const auto& r : desktop.records())
        if (auto* line = std::get_if<platform::sim::records::LogLine>(&r.what))
            logged |= line->message == "DisplayLink created with error:-6670";
    EXPECT_TRUE(logged);

    Event e = Event::scrollWheel(platform::ScrollEventUnit::Line, 1, -1);
    e.setLocation(Point{100, 100});
    desktop.inject(e);
    desktop.inject(e);
    desktop.advanceBySeconds(1);
    EXPECT_EQ(engine.stateForTesting().cumulativePixels, 400);
}

}  // namespace
}  // namespace wexo::testing
