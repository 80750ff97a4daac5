#include <gtest/gtest.h>

#include "actions/AppWithGestures.h"
#include "actions/Gesture.h"

namespace wexo {
namespace {

TEST(GestureFromDict, ReadsItsFieldsAndTheBaseFields) {
    plist::Dictionary d;
    d["prettyName"] = "Back";
    d["isActive"] = 1;
    d["gestureImagePath"] = "/support/com.global/14.jpg";
    d["gestureDirections"] = "14";
    CustomAction action;
    action.typeOfAction = 1;
    action.auxKey = 3;
    Gesture g(d, action);
    EXPECT_EQ(g.prettyName, "Back");
    EXPECT_EQ(g.isActive, 1);
    EXPECT_TRUE(g.isActiveSet());
    EXPECT_EQ(g.gestureImagePath, "/support/com.global/14.jpg");
    EXPECT_EQ(g.gestureDirections, "14");
    EXPECT_FALSE(g.bindButton);
    ASSERT_TRUE(g.action);
    EXPECT_EQ(g.action->auxKey, 3);
    EXPECT_EQ(g.lookupKey(), "14");
}

TEST(GestureFromDict, EmptyDirectionsAreNoDirections) {
    plist::Dictionary d;
    d["gestureDirections"] = "";
    d["gestureImagePath"] = "";
    d["prettyName"] = "";
    Gesture g(d, std::nullopt);
    EXPECT_FALSE(g.gestureDirections);
    EXPECT_FALSE(g.lookupKey());
    EXPECT_FALSE(g.isActive);
}

TEST(GestureFromDict, ANumberUnderBindButtonDescribesThatButton) {
    plist::Dictionary d;
    d["bindButton"] = 3;
    Gesture rocker(d, std::nullopt);
    ASSERT_TRUE(rocker.bindButton);
    EXPECT_EQ(rocker.bindButton->prettyName, "Side 3");
    EXPECT_EQ(rocker.bindButton->buttonNumber, 3);
    EXPECT_EQ(rocker.lookupKey(), "3");

    // Directions, when present, are the key even of a gesture with a bound button.
    d["gestureDirections"] = "2";
    EXPECT_EQ(Gesture(d, std::nullopt).lookupKey(), "2");
}

TEST(GestureFromDict, WrongTypesReadAsAbsent) {
    plist::Dictionary d;
    d["bindButton"] = "3";  // text, not a number
    d["gestureDirections"] = plist::Array{};
    d["gestureImagePath"] = 14;  // a number turns into text
    d["prettyName"] = plist::Dictionary{};
    d["isActive"] = "yes";
    Gesture g(d, std::nullopt);
    EXPECT_FALSE(g.bindButton);
    EXPECT_FALSE(g.gestureDirections);
    EXPECT_EQ(g.gestureImagePath, "14");
    EXPECT_EQ(g.prettyName, "");
    EXPECT_FALSE(g.isActive);
    EXPECT_FALSE(g.isActiveSet());
}

TEST(GestureCopy, IsDeep) {
    plist::Dictionary d;
    d["bindButton"] = 4;
    Gesture original(d, std::nullopt);
    Gesture copy(original);
    ASSERT_TRUE(copy.bindButton);
    EXPECT_NE(copy.bindButton.get(), original.bindButton.get());
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

    auto global = AppWithGestures::makeGlobal();
    EXPECT_EQ(global->prettyName, "Global");
    EXPECT_EQ(global->bundleId, "com.global");
    EXPECT_FALSE(global->appImagePath);
    EXPECT_TRUE(global->gestures.empty());
}

}  // namespace
}  // namespace wexo
