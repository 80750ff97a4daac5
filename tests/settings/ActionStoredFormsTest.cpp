#include <gtest/gtest.h>

#include "settings/DictConvertor.h"

namespace wexo {
namespace {

TEST(ShortcutStoredForm, OnlyTrueFlagsAreWrittenAndFalseOnesComeBackFalse) {
    KxShortcut commandOnly(9, "V", true, false, false, false, false);
    auto d = DictConvertor::createDictFromShortcut(commandOnly);
    EXPECT_EQ(d, (plist::Dictionary{{"key", 9}, {"keystring", "V"}, {"command", true}}));
    EXPECT_EQ(d.at("command").type(), plist::Value::Type::Boolean);
    EXPECT_EQ(DictConvertor::createShortcutFromDict(d), commandOnly);
    EXPECT_TRUE(DictConvertor::createDictFromShortcut(KxShortcut()).empty());

    auto odd = DictConvertor::createShortcutFromDict(
        {{"key", "9"}, {"keyString", "V"}, {"keystring", 4}, {"control", 1}, {"shift", "yes"}});
    EXPECT_EQ(odd, KxShortcut(std::nullopt, std::nullopt, false, true, false, false, false));
}

TEST(ActionStoredForm, CommandVAndVolumeUpAsTheyAreStored) {
    CustomAction paste(std::nullopt, KxShortcut(9, "V", true, false, false, false, false),
                       std::nullopt, std::nullopt, std::nullopt, 2);
    EXPECT_EQ(
        DictConvertor::createDictFromAction(paste),
        (plist::Dictionary{
            {"typeOfAction", 2},
            {"shortcut", plist::Dictionary{{"key", 9}, {"keystring", "V"}, {"command", true}}}}));
    CustomAction volumeUp("Volume Up", std::nullopt, std::nullopt, 0, std::nullopt, 1);
    EXPECT_EQ(DictConvertor::createDictFromAction(volumeUp),
              (plist::Dictionary{{"prettyName", "Volume Up"}, {"auxKey", 0}, {"typeOfAction", 1}}));

    CustomAction full("Open Mail", KxShortcut(123, "Left", false, true, true, false, true), "✉", 7,
                      "/Applications/Mail.app", 3);
    EXPECT_EQ(DictConvertor::createActionFromDict(DictConvertor::createDictFromAction(full)), full);
}

TEST(ActionStoredForm, EmptyOrMistypedDictionariesGiveAbsentFields) {
    auto empty = DictConvertor::createActionFromDict({});
    EXPECT_EQ(empty, CustomAction());
    EXPECT_FALSE(empty.kind());

    auto action = DictConvertor::createActionFromDict({{"prettyName", 5},
                                                       {"shortcut", plist::Array{}},
                                                       {"auxKey", "3"},
                                                       {"path", plist::Dictionary{}},
                                                       {"typeOfAction", 4.0},
                                                       {"emoji", "🙂"}});
    EXPECT_EQ(action,
              CustomAction(std::nullopt, std::nullopt, "🙂", std::nullopt, std::nullopt, 4));
}

TEST(GestureStoredForm, ADrawnAndARockerGestureComeBack) {
    Gesture drawn({{"gestureImagePath", "/s/com.global/14.jpg"},
                   {"gestureDirections", "14"},
                   {"prettyName", "Back"},
                   {"isActive", 1}},
                  CustomAction("Volume Up", std::nullopt, std::nullopt, 0, std::nullopt, 1));
    auto d = DictConvertor::createDictFromGesture(drawn);
    EXPECT_FALSE(d.count("bindButton"));
    auto back = DictConvertor::createGestureFromDict(d);
    EXPECT_EQ(back->gestureImagePath, drawn.gestureImagePath);
    EXPECT_EQ(back->gestureDirections, drawn.gestureDirections);
    EXPECT_EQ(back->prettyName, drawn.prettyName);
    EXPECT_EQ(back->isActive, drawn.isActive);
    EXPECT_EQ(back->action, drawn.action);

    Gesture rocker({{"bindButton", 1}}, std::nullopt);
    auto r = DictConvertor::createDictFromGesture(rocker);
    EXPECT_EQ(r.at("bindButton"), plist::Value(1));
    EXPECT_FALSE(r.count("action") || r.count("gestureDirections") || r.count("isActive"));
    auto rockerBack = DictConvertor::createGestureFromDict(r);
    EXPECT_EQ(rockerBack->bindButton->prettyName, "Right");
    EXPECT_FALSE(rockerBack->action);
}

TEST(GestureStoredForm, AnEmptyActionDictionaryIsNoAction) {
    EXPECT_FALSE(DictConvertor::createGestureFromDict({{"action", plist::Dictionary{}}})->action);
    EXPECT_FALSE(DictConvertor::createGestureFromDict({{"action", "Volume Up"}})->action);
    auto inert =
        DictConvertor::createGestureFromDict({{"action", plist::Dictionary{{"typeOfAction", 5}}}});
    ASSERT_TRUE(inert->action);
    EXPECT_FALSE(inert->action->kind());
}

TEST(GestureListStoredForm, ApplicationsComeBackInOrderAndBadMembersAreSkipped) {
    auto global = AppWithGestures::makeGlobal();
    global->gestures.push_back(DictConvertor::createGestureFromDict({{"gestureDirections", "1"}}));
    global->gestures.push_back(DictConvertor::createGestureFromDict({{"gestureDirections", "2"}}));
    auto safari = std::make_shared<AppWithGestures>("Safari", "com.apple.Safari",
                                                    "/Applications/Safari.app", std::nullopt);
    auto array = DictConvertor::createAarrayOfDictFromObjecsArray({global, safari});
    EXPECT_FALSE(array[0].asDictionary()->count("appImagePath"));
    array.insert(array.begin() + 1, plist::Value("not an application"));
    array.push_back(plist::Dictionary{
        {"bundleId", "com.x"},
        {"gestures", plist::Array{3, plist::Dictionary{{"gestureDirections", "4"}}}}});

    auto apps = DictConvertor::createAarrayOfAppsFromDictArray(array);
    ASSERT_EQ(apps.size(), 3u);
    EXPECT_EQ(apps[0]->prettyName, "Global");
    EXPECT_FALSE(apps[0]->appImagePath);
    ASSERT_EQ(apps[0]->gestures.size(), 2u);
    EXPECT_EQ(apps[0]->gestures[1]->gestureDirections, "2");
    EXPECT_EQ(apps[1]->appImagePath, "/Applications/Safari.app");
    // An empty "gestures" array reads as an empty list that can grow.
    EXPECT_TRUE(apps[1]->gestures.empty());
    apps[1]->gestures.push_back(std::make_shared<Gesture>());
    ASSERT_EQ(apps[2]->gestures.size(), 1u);
    EXPECT_EQ(apps[2]->gestures[0]->gestureDirections, "4");
}

}  // namespace
}  // namespace wexo
