#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cursor/MouseCursor.h"
#include "platform/Shared.h"
#include "platform/sim/SimDesktop.h"

namespace wexo {
namespace {

using platform::sim::SimDesktop;
namespace records = platform::sim::records;

class MouseCursorTest : public ::testing::Test {
  protected:
    MouseCursorTest() {
        // Another application is in front: the program's cursor changes take
        // effect only once it has allowed setting the cursor in the background.
        platform::RunningApplication safari;
        safari.pid = 501;
        safari.bundleIdentifier = "com.apple.Safari";
        desktop_.simWorkspace().setApplications({safari});
        desktop_.simWorkspace().setFrontmost(501);
    }

    // The cursor changes and the program's log lines, in the order they happened.
    std::vector<std::string> cursorTrail() const {
        std::vector<std::string> out;
        for (const auto& r : desktop_.records()) {
            if (auto* c = std::get_if<records::CursorChange>(&r.what)) out.push_back(c->style);
            if (auto* l = std::get_if<records::LogLine>(&r.what))
                out.push_back("log " + l->message);
        }
        return out;
    }

    SimDesktop desktop_;
    SharedInstallation<platform::Platform> installation_{&desktop_};
};

TEST_F(MouseCursorTest, AccelerationWrittenIsReadBack) {
    EXPECT_DOUBLE_EQ(MouseCursor::getMouseAcceleration(), 0.6875);
    EXPECT_TRUE(MouseCursor::setMouseAcceleration(1.5));
    EXPECT_DOUBLE_EQ(MouseCursor::getMouseAcceleration(), 1.5);
    EXPECT_EQ(desktop_.simHidSystem().parameter("HIDMouseAcceleration"), 1.5);
    EXPECT_TRUE(MouseCursor::setMouseAcceleration(0));
    EXPECT_DOUBLE_EQ(MouseCursor::getMouseAcceleration(), 0.0);
}

TEST_F(MouseCursorTest, UnreachableHidSystemReadsMinusOneAndRefusesWrites) {
    desktop_.simHidSystem().setAvailable(false);
    EXPECT_DOUBLE_EQ(MouseCursor::getMouseAcceleration(), -1.0);
    EXPECT_FALSE(MouseCursor::setMouseAcceleration(2.0));
    desktop_.simHidSystem().setAvailable(true);
    EXPECT_DOUBLE_EQ(MouseCursor::getMouseAcceleration(), 0.6875);
}

TEST_F(MouseCursorTest, NonNumericAccelerationIsNeverWritten) {
    EXPECT_FALSE(MouseCursor::setMouseAcceleration(std::nan("")));
    EXPECT_FALSE(MouseCursor::setMouseAcceleration(HUGE_VAL));
    EXPECT_DOUBLE_EQ(MouseCursor::getMouseAcceleration(), 0.6875);
}

TEST_F(MouseCursorTest, EachStyleSetsItsCursorFromBehindAnotherApplication) {
    for (std::uint64_t style = 0; style <= 5; ++style) MouseCursor::changeCursorStyle(style);
    const std::vector<std::string> expected = {"openHand", "closedHand", "crosshair",  "arrow",
                                               "hide",     "log hide",   "log unhide", "unhide"};
    EXPECT_EQ(cursorTrail(), expected);
    EXPECT_EQ(desktop_.simCursor().hideLevel(), 0);
    EXPECT_EQ(desktop_.simCursor().current(), platform::CursorShape::Arrow);
}

TEST_F(MouseCursorTest, UnknownStyleOnlyAllowsBackgroundChanges) {
    MouseCursor::changeCursorStyle(6);
    MouseCursor::changeCursorStyle(~std::uint64_t{0});
    EXPECT_TRUE(cursorTrail().empty());
    EXPECT_TRUE(desktop_.simCursor().backgroundAllowed());
    // Allowed now, so a later change from behind takes effect.
    MouseCursor::changeCursorStyle(MouseCursor::kClosedHand);
    EXPECT_EQ(cursorTrail(), std::vector<std::string>{"closedHand"});
}

}  // namespace
}  // namespace wexo
