#include "events/MouseDirectionInspector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Shared.h"
#include "settings/SettingsKeeper.h"

namespace wexo {
namespace {

using platform::Point;
using D = std::vector<std::uint64_t>;

class Recorder : public MouseDirectionInspectorDelegate {
  public:
    void foundNewDirection(std::uint64_t direction) override {
        directions.push_back(direction);
        trace += std::to_string(direction);
    }
    void foundNewEvent(Point location, double dx, double dy) override {
        trace += "e(" + std::to_string(static_cast<int>(location.x)) + "," +
                 std::to_string(static_cast<int>(location.y)) + "," +
                 std::to_string(static_cast<int>(dx)) + "," + std::to_string(static_cast<int>(dy)) +
                 ")";
    }
    D take() { return std::exchange(directions, {}); }
    D directions;
    std::string trace;
};

class MouseDirectionInspectorTest : public ::testing::Test {
  protected:
    MouseDirectionInspector at(Point p) {
        MouseDirectionInspector inspector(p);
        inspector.setDelegate(&recorder);
        return inspector;
    }
    SettingsKeeper settings;
    SharedInstallation<SettingsKeeper> settingsInstallation{&settings};
    Recorder recorder;
};

TEST_F(MouseDirectionInspectorTest, StrokeNeeds41UnitsFromTheTruncatedReference) {
    auto inspector = at({0.9, -0.9});  // the reference is (0, 0)
    EXPECT_EQ(inspector.lastMouseDirection(), MouseDirectionInspector::kNoDirection);
    inspector.findMouseDirection({40.95, 0});
    inspector.findMouseDirection({0, -40.5});
    EXPECT_TRUE(recorder.take().empty());
    EXPECT_TRUE(inspector.isStartingPointAvailable());
    inspector.findMouseDirection({41, 0});
    EXPECT_EQ(recorder.take(), (D{4}));
    // The next point becomes the reference: 40 further on is no stroke.
    EXPECT_FALSE(inspector.isStartingPointAvailable());
    inspector.findMouseDirection({41, 10});
    inspector.findMouseDirection({41, 50});
    EXPECT_TRUE(recorder.take().empty());
    inspector.findMouseDirection({41, -31});
    EXPECT_EQ(recorder.take(), (D{2}));
}

TEST_F(MouseDirectionInspectorTest, EqualDistancesCountAsVertical) {
    auto up = at({0, 0});
    up.findMouseDirection({50, 50});
    auto down = at({0, 0});
    down.findMouseDirection({-50, -50});
    auto left = at({0, 0});
    left.findMouseDirection({-51, 50});
    EXPECT_EQ(recorder.take(), (D{1, 2, 3}));
}

// After a stroke the next point is the new reference, also after a stroke
// that repeated the last direction and was dropped.
TEST_F(MouseDirectionInspectorTest, RepeatedDirectionIsRecordedOnce) {
    auto inspector = at({0, 0});
    for (double y : {50, 60, 110, 120, 170}) inspector.findMouseDirection({0, y});
    EXPECT_EQ(recorder.take(), (D{1}));
    EXPECT_FALSE(inspector.isStartingPointAvailable());
    inspector.findMouseDirection({0, 200});  // the reference
    EXPECT_TRUE(recorder.take().empty());
    for (Point p : {Point{41, 200}, Point{41, 210}, Point{41, 260}})
        inspector.findMouseDirection(p);
    EXPECT_EQ(recorder.take(), (D{4, 1}));  // up, up, up, right, up: "141"
    EXPECT_EQ(inspector.lastMouseDirection(), 1u);
}

TEST_F(MouseDirectionInspectorTest, DragIsSubstantialBeyondTenUnits) {
    auto inspector = at({100, 100});
    EXPECT_FALSE(inspector.isDraggSubstantial({110, 100}));
    EXPECT_FALSE(inspector.isDraggSubstantial({100, 89.5}));  // 10.5 truncates to 10
    EXPECT_TRUE(inspector.isDraggSubstantial({111, 100}));
    EXPECT_TRUE(inspector.isDraggSubstantial({100, 88.9}));
}

TEST_F(MouseDirectionInspectorTest, GrabReportsTheMovementThenHorizontalBeforeVertical) {
    auto inspector = at({0, 0});
    inspector.grabDirection({3, 2}, 3, 2);
    EXPECT_EQ(recorder.trace, "e(3,2,3,2)41");
    // Along the vertical last axis the smaller y reports 2 first.
    inspector.grabDirection({1, 1}, -2, -1);
    EXPECT_EQ(recorder.take(), (D{4, 1, 2, 3, 2}));
    EXPECT_EQ(inspector.lastMouseDirection(), 2u);
}

TEST_F(MouseDirectionInspectorTest, GrabReverseOptionsSwapTheirAxis) {
    settings.setIsReverseGrabHorizontal(true);
    auto inspector = at({0, 0});
    inspector.grabDirection({5, 0}, 5, 0);
    inspector.grabDirection({5, 4}, 0, 4);
    settings.setIsReverseGrabVertical(true);
    inspector.grabDirection({5, 8}, 0, 4);
    EXPECT_EQ(recorder.take(), (D{3, 1, 2, 2}));  // the last call: by location, then by delta
}

// Without deltas (a pinned pointer, a screen edge) the location still tells
// the way along the last axis; such reports keep the last direction.
TEST_F(MouseDirectionInspectorTest, GrabWithoutDeltasFollowsTheLocationOnTheLastAxis) {
    auto inspector = at({0, 0});
    inspector.grabDirection({10, 0}, 4, 0);
    recorder.take();
    inspector.grabDirection({6, 0}, 0, 0);
    inspector.grabDirection({6, 9}, 0, 0);  // same x, and y is not the last axis
    inspector.grabDirection({8, 9}, 0, 0);
    EXPECT_EQ(recorder.take(), (D{3, 4}));
    EXPECT_EQ(inspector.lastMouseDirection(), 4u);

    settings.setIsReverseGrabHorizontal(true);
    inspector.grabDirection({7, 9}, 0, 0);
    EXPECT_EQ(recorder.take(), (D{4}));

    // Along a vertical last axis the location counts whatever the deltas.
    inspector.grabDirection({7, 12}, 0, 3);
    inspector.grabDirection({10, 15}, 3, 0);
    EXPECT_EQ(recorder.take(), (D{1, 1, 3}));
    EXPECT_EQ(inspector.lastMouseDirection(), 3u);
}

}  // namespace
}  // namespace wexo
