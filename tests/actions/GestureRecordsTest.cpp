#include <gtest/gtest.h>

#include "actions/AppWithGestures.h"
#include "actions/Gesture.h"

namespace wexo {
namespace {

TEST(GestureFromDict, ReadsItsFieldsAndTheBaseFields) {
    plist::Dictionary d{{"prettyName", "Back"},
                        {"isActive", 1},
                        {"gestureImagePath", "/support/com.global/14.jpg"},
                        {"gestureDirections", "14"}};
    Gesture g(d, CustomAction("Volume Up", std::nullopt, std::nullopt, 0, std::nullopt, 1));
    EXPECT_EQ(g.prettyName, "Back");
    EXPECT_TRUE(g.isActiveSet());
    EXPECT_EQ(g.gestureImagePath, "/support/com.global/14.jpg");
    EXPECT_EQ(g.gestureDirections, "14");
    EXPECT_FALSE(g.bindButton);
    EXPECT_EQ(g.action->prettyName, "Volume Up");
    EXPECT_EQ(g.lookupKey(), "14");

    // Empty directions are no directions: such a gesture has no key.
    d["gestureDirections"] = "";
    EXPECT_FALSE(Gesture(d, std::nullopt).gestureDirections);
    EXPECT_FALSE(Gesture(d, std::nullopt).lookupKey());
}

TEST(GestureFromDict, ANumberUnderBindButtonDescribesThatButton) {
    Gesture rocker({{"bindButton", 3}}, std::nullopt);
    ASSERT_TRUE(rocker.bindButton);
    EXPECT_EQ(rocker.bindButton->prettyName, "Side 3");
    EXPECT_EQ(rocker.lookupKey(), "3");
    // Directions, when present, are the key even of a gesture with a bound button.
    EXPECT_EQ(Gesture({{"bindButton", 3}, {"gestureDirections", "2"}}, std::nullopt).lookupKey(),
              "2");
}

TEST(GestureFromDict, WrongTypesReadAsAbsent) {
    Gesture g({{"bindButton", "3"},
               {"gestureDirections", plist::Array{}},
               {"gestureImagePath", 14},  // a number turns into text
               {"prettyName", plist::Dictionary{}},
               {"isActive", "yes"}},
              std::nullopt);
    EXPECT_FALSE(g.bindButton);
    EXPECT_FALSE(g.gestureDirections);
    EXPECT_EQ(g.gestureImagePath, "14");
    EXPECT_EQ(g.prettyName, "");
    EXPECT_FALSE(g.isActive);
}

TEST(GestureCopy, HasABoundButtonOfItsOwn) {
    Gesture original({{"bindButton", 4}}, std::nullopt);
    Gesture copy(original);
    copy.bindButton->prettyName = "changed";
    EXPECT_EQ(original.bindButton->prettyName, "Side 4");
    Gesture assigned;
    assigned = original;
    EXPECT_NE(assigned.bindButton.get(), original.bindButton.get());
    EXPECT_EQ(assigned.bindButton->buttonNumber, 4);
}

TEST(AppWithGesturesRecord, NoListGivesAnEmptyEditableList) {
    AppWithGestures app("Safari", "com.apple.Safari", "/Applications/Safari.app", std::nullopt);
    EXPECT_TRUE(app.gestures.empty());
    app.gestures.push_back(std::make_shared<Gesture>());
    EXPECT_EQ(app.gestures.size(), 1u);
}

}  // namespace
}  // namespace wexo
