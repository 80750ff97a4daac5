#include <gtest/gtest.h>

#include <algorithm>

#include "TapTestDesktop.h"

namespace wexo::testing {
namespace {

// Side button 4 draws gestures.
class GestureTapTest : public TapTestDesktop {
  protected:
    GestureTapTest() { settings().setGestureNumber(kSide4); }

    // A press at (x, y), a first drag of 15 points up that shows the overlay,
    // then strokes of 100 points in four drags each ("u", "r" …).
    void draw(double x, double y, const std::string& strokes) {
        pointer(x, y);
        press(kSide4);
        drag(kSide4, x, y - 15);
        for (char s : strokes) {
            if (s == 'u') stroke(kSide4, 0, -100, 4);
            if (s == 'r') stroke(kSide4, 100, 0, 4);
        }
    }
    std::vector<std::string> directions() const {
        std::vector<std::string> out;
        for (const auto& c : screens.calls)
            if (c.rfind("direction", 0) == 0) out.push_back(c);
        return out;
    }
};

TEST_F(GestureTapTest, APressMovedAtMostTenUnitsReplaysAClickThatReachesTheButtonStage) {
    assign(kSide4, Flags::Shift, media(0));
    press(kSide4);
    drag(kSide4, 410, 290);
    EXPECT_FALSE(windows->overlay.isVisible());
    release(kSide4, Flags::Shift | Flags::AlphaShift | 0x100);

    // The release passes at once; the replayed press runs the button's own
    // assignment, found under the modifier keys alone, and its release passes.
    EXPECT_EQ(seen(), "drag4 up4 up4#");
    EXPECT_EQ(ran(), std::vector<std::uint32_t>{0});
    const auto replayed = delivered(EventType::OtherMouseUp).back();
    EXPECT_EQ(replayed.flags(), Flags::Shift);
    EXPECT_EQ(replayed.location(), (Point{410, 290}));
    EXPECT_FALSE(listener().gestureDown());
}

TEST_F(GestureTapTest, StrokesBecomeDirectionStringsThatRunTheirGesture) {
    addGesture("com.global", "141", std::nullopt, media(0));
    addGesture("com.global", "1", std::nullopt, media(1));
    struct Row {
        std::string strokes, directions;
        std::vector<std::string> reported;
        std::vector<std::uint32_t> ran;
    } rows[] = {
        {"uru", "141", {"direction 1", "direction 4", "direction 1"}, {0}},
        {"uuu", "1", {"direction 1"}, {1}},  // a repeated direction counts once
    };
    for (const auto& row : rows) {
        forget();
        draw(400, 600, row.strokes);
        EXPECT_TRUE(windows->overlay.isVisible());
        EXPECT_EQ(listener().gestureDirections(), row.directions);
        EXPECT_EQ(directions(), row.reported);
        release(kSide4);
        EXPECT_EQ(ran(), row.ran) << row.directions;
        EXPECT_FALSE(windows->overlay.isVisible());
        EXPECT_EQ(screens.calls.back(), "clear");
        const std::string s = seen();
        EXPECT_EQ(s.substr(s.size() - 3), "up4") << "the release passes";
        EXPECT_EQ(s.find("down4"), std::string::npos) << "no click replayed";
    }
}

TEST_F(GestureTapTest, AnApplicationsOwnGestureActivatesItFirstAGlobalOneDoesNot) {
    addGesture("com.apple.mail", "1", std::nullopt, media(0));
    addGesture("com.global", "1", std::nullopt, media(1));
    // Over Mail, which is not the active application.
    draw(1400, 600, "u");
    forget();
    release(kSide4);
    EXPECT_EQ(seen(), "up4 Ldown Lup");
    EXPECT_EQ(ran(), std::vector<std::uint32_t>{0});
    EXPECT_EQ(listener().lastUnderMouseApp()->pid, kMail);

    // Over Safari, which has no gesture of its own.
    draw(400, 600, "u");
    forget();
    release(kSide4);
    EXPECT_EQ(seen(), "up4");
    EXPECT_EQ(ran(), std::vector<std::uint32_t>{1});
}

TEST_F(GestureTapTest, AGestureShownButNotDrawnDoesNothing) {
    addGesture("com.global", "", std::nullopt, media(0));
    draw(400, 600, "");
    release(kSide4);
    EXPECT_EQ(seen(), "drag4");
    EXPECT_TRUE(ran().empty());
    EXPECT_EQ(screens.calls, (std::vector<std::string>{"views 1", "ready", "clear"}));
}

// Rocker presses: another button pressed while the gesture button is held.
TEST_F(GestureTapTest, RockerPressesRunTheirGestureAndNeverReachTheApplication) {
    addGesture("com.global", std::nullopt, 0, simulated(1));  // left → "Right Click"
    addGesture("com.apple.Safari", std::nullopt, kRight, media(0));
    addGesture("com.global", std::nullopt, kRight, media(1));
    press(kSide4);
    leftPress();
    desktop.inject(mouse(EventType::LeftMouseUp, where(), 0));
    press(kRight);  // over Safari
    release(kRight);
    pointer(1400, 300);
    press(kRight);  // over Mail: the global one
    release(kSide4);
    // The action's right click is the program's own: it passes although the
    // gesture button is still held. The gesture button was not dragged, so
    // its click is replayed after all.
    EXPECT_EQ(seen(), "down1! up1! Lup up1 up4 down4# up4#");
    EXPECT_EQ(ran(), (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(std::count(stages.mouse.begin(), stages.mouse.end(), "rocker swallow"), 3);
}

TEST_F(GestureTapTest, TheGesturesScreenInFrontDrawsItselfAndCapturesBindButtons) {
    showPreferences({PreferencesTab::Gestures});
    press(kSide4);
    release(kSide4);
    EXPECT_EQ(seen(), "down4 up4");
    EXPECT_FALSE(listener().gestureDown());

    forget();
    screens.bindReady = true;
    press(kSide3);
    release(kSide3);
    leftPress();
    drag(kRight, 500, 500);
    wheel(1);
    EXPECT_EQ(seen(), "");
    EXPECT_EQ(screens.calls, (std::vector<std::string>{"bindButton 3", "bindButton 0"}));
    EXPECT_EQ(stages.mouse, std::vector<std::string>(5, "bindCapture swallow"));
}

}  // namespace
}  // namespace wexo::testing
