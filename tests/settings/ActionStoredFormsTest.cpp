#include <gtest/gtest.h>

#include "settings/DictConvertor.h"

namespace wexo {
namespace {

TEST(ShortcutStoredForm, OnlyTrueFlagsAreWritten) {
    KxShortcut commandOnly(9, "V", true, false, false, false, false);
    auto d = DictConvertor::createDictFromShortcut(commandOnly);
    EXPECT_EQ(d, (plist::Dictionary{{"key", 9}, {"keystring", "V"}, {"command", true}}));
    EXPECT_EQ(d.at("command").type(), plist::Value::Type::Boolean);

    auto back = DictConvertor::createShortcutFromDict(d);
    EXPECT_EQ(back, commandOnly);
    EXPECT_TRUE(DictConvertor::createDictFromShortcut(KxShortcut()).empty());
}

TEST(ShortcutStoredForm, ReadingIsTolerant) {
    auto s = DictConvertor::createShortcutFromDict({{"key", "9"},
                                                    {"keyString", "V"},  // wrong case: not read
                                                    {"keystring", 4},
                                                    {"control", 1},
                                                    {"shift", "yes"},
                                                    {"useString", false}});
    EXPECT_FALSE(s.key);
    EXPECT_FALSE(s.keyString);
    EXPECT_TRUE(s.control);
    EXPECT_FALSE(s.shift);
    EXPECT_FALSE(s.useString);
    EXPECT_FALSE(s.command);
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
}

TEST(ActionStoredForm, EveryFieldSurvivesARoundTrip) {
    CustomAction full("Open Mail", KxShortcut(123, "Left", false, true, true, false, true), "✉", 7,
                      "/Applications/Mail.app", 3);
    EXPECT_EQ(DictConvertor::createActionFromDict(DictConvertor::createDictFromAction(full)), full);
    // Absent fields stay absent, false flags stay false.
    CustomAction sparse;
    sparse.shortcut = KxShortcut();
    sparse.shortcut->key = 0;
    EXPECT_EQ(DictConvertor::createActionFromDict(DictConvertor::createDictFromAction(sparse)),
              sparse);
}

TEST(ActionStoredForm, AnEmptyDictionaryIsAnInertAction) {
    auto action = DictConvertor::createActionFromDict({});
    EXPECT_EQ(action, CustomAction());
    EXPECT_FALSE(action.kind());
    EXPECT_TRUE(DictConvertor::createDictFromAction(action).empty());
}

TEST(ActionStoredForm, WrongTypesReadAsAbsent) {
    auto action = DictConvertor::createActionFromDict({{"prettyName", 5},
                                                       {"shortcut", plist::Array{}},
                                                       {"auxKey", "3"},
                                                       {"path", plist::Dictionary{}},
                                                       {"typeOfAction", 4.0},
                                                       {"emoji", "🙂"}});
    EXPECT_FALSE(action.prettyName);
    EXPECT_FALSE(action.shortcut);
    EXPECT_FALSE(action.auxKey);
    EXPECT_FALSE(action.path);
    EXPECT_EQ(action.typeOfAction, 4);
    EXPECT_EQ(action.emoji, "🙂");
}

TEST(GestureStoredForm, RoundTripOfADrawnAndARockerGesture) {
    plist::Dictionary drawnDict{{"gestureImagePath", "/s/com.global/14.jpg"},
                                {"gestureDirections", "14"},
                                {"prettyName", "Back"},
                                {"isActive", 1}};
    Gesture drawn(drawnDict,
                  CustomAction("Volume Up", std::nullopt, std::nullopt, 0, std::nullopt, 1));
    auto d = DictConvertor::createDictFromGesture(drawn);
    EXPECT_EQ(d.at("gestureDirections"), plist::Value("14"));
    EXPECT_EQ(d.at("isActive"), plist::Value(1));
    EXPECT_FALSE(d.count("bindButton"));
    auto back = DictConvertor::createGestureFromDict(d);
    EXPECT_EQ(back->gestureImagePath, drawn.gestureImagePath);
    EXPECT_EQ(back->gestureDirections, drawn.gestureDirections);
    EXPECT_EQ(back->prettyName, drawn.prettyName);
    EXPECT_EQ(back->isActive, drawn.isActive);
    EXPECT_EQ(back->action, drawn.action);
    EXPECT_FALSE(back->bindButton);

    Gesture rocker({{"bindButton", 1}, {"gestureImagePath", ""}, {"prettyName", ""}}, std::nullopt);
    auto r = DictConvertor::createDictFromGesture(rocker);
    EXPECT_EQ(r.at("bindButton"), plist::Value(1));
    EXPECT_FALSE(r.count("action"));
    EXPECT_FALSE(r.count("gestureDirections"));
    EXPECT_FALSE(r.count("isActive"));
    auto rockerBack = DictConvertor::createGestureFromDict(r);
    ASSERT_TRUE(rockerBack->bindButton);
    EXPECT_EQ(rockerBack->bindButton->prettyName, "Right");
    EXPECT_FALSE(rockerBack->action);
}

TEST(GestureStoredForm, AnEmptyActionDictionaryIsNoAction) {
    auto g = DictConvertor::createGestureFromDict(
        {{"gestureDirections", "3"}, {"action", plist::Dictionary{}}});
    EXPECT_FALSE(g->action);
    auto h = DictConvertor::createGestureFromDict(
        {{"gestureDirections", "3"}, {"action", plist::Dictionary{{"typeOfAction", 5}}}});
    ASSERT_TRUE(h->action);
    EXPECT_FALSE(h->action->kind());
    auto wrong = DictConvertor::createGestureFromDict({{"action", "Volume Up"}});
    EXPECT_FALSE(wrong->action);
}

TEST(GestureListStoredForm, ApplicationsAndTheirGesturesInOrder) {
    auto global = AppWithGestures::makeGlobal();
    global->gestures.push_back(DictConvertor::createGestureFromDict({{"gestureDirections", "1"}}));
    global->gestures.push_back(DictConvertor::createGestureFromDict({{"gestureDirections", "2"}}));
    auto safari = std::make_shared<AppWithGestures>("Safari", "com.apple.Safari",
                                                    "/Applications/Safari.app", std::nullopt);
    auto array = DictConvertor::createAarrayOfDictFromObjecsArray({global, safari});
    ASSERT_EQ(array.size(), 2u);
    const auto& first = *array[0].asDictionary();
    EXPECT_EQ(first.at("bundleId"), plist::Value("com.global"));
    EXPECT_FALSE(first.count("appImagePath"));
    ASSERT_EQ(first.at("gestures").asArray()->size(), 2u);
    EXPECT_EQ(array[1].asDictionary()->at("appImagePath"),
              plist::Value("/Applications/Safari.app"));

    auto apps = DictConvertor::createAarrayOfAppsFromDictArray(array);
    ASSERT_EQ(apps.size(), 2u);
    EXPECT_EQ(apps[0]->prettyName, "Global");
    EXPECT_FALSE(apps[0]->appImagePath);
    ASSERT_EQ(apps[0]->gestures.size(), 2u);
    EXPECT_EQ(apps[0]->gestures[0]->gestureDirections, "1");
    EXPECT_EQ(apps[0]->gestures[1]->gestureDirections, "2");
    EXPECT_EQ(apps[1]->bundleId, "com.apple.Safari");
    EXPECT_EQ(apps[1]->appImagePath, "/Applications/Safari.app");
    // An empty "gestures" array reads as an empty list that can grow.
    EXPECT_TRUE(apps[1]->gestures.empty());
    apps[1]->gestures.push_back(std::make_shared<Gesture>());
}

TEST(GestureListStoredForm, MembersOfTheWrongTypeAreSkipped) {
    plist::Array array{
        "not an application",
        plist::Dictionary{
            {"prettyName", "Mail"},
            {"bundleId", "com.apple.mail"},
            {"gestures", plist::Array{3, plist::Dictionary{{"gestureDirections", "4"}}}}},
        plist::Dictionary{{"bundleId", "com.x"}, {"gestures", "none"}}};
    auto apps = DictConvertor::createAarrayOfAppsFromDictArray(array);
    ASSERT_EQ(apps.size(), 2u);
    ASSERT_EQ(apps[0]->gestures.size(), 1u);
    EXPECT_EQ(apps[0]->gestures[0]->gestureDirections, "4");
    EXPECT_EQ(apps[1]->bundleId, "com.x");
    EXPECT_EQ(apps[1]->prettyName, "");
    EXPECT_TRUE(apps[1]->gestures.empty());
}

}  // namespace
}  // namespace wexo
