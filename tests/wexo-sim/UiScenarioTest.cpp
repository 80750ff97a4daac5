#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/MainStoryboard.h"
#include "platform/TempFolder.h"
#include "wexo-sim/JsonRead.h"
#include "wexo-sim/RunContext.h"
#include "wexo-sim/ScenarioRunner.h"

namespace wexo::simrunner {
namespace {

std::vector<Json> play(const std::string& text) {
    std::ostringstream out, err;
    EXPECT_EQ(runScenarioText(text, out, err), 0) << err.str();
    std::vector<Json> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(Json::parse(line));
    return lines;
}

std::vector<Json> playFile(const std::string& name) {
    std::ifstream in(std::string(WEXO_SCENARIO_DIR) + "/" + name);
    return play(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

// The records of one kind, without their time.
std::vector<Json> ofKind(const std::vector<Json>& lines, const std::string& kind) {
    std::vector<Json> out;
    for (Json j : lines) {
        if (j["kind"] != kind) continue;
        j.erase("t");
        j.erase("kind");
        out.push_back(j);
    }
    return out;
}

double timeOf(const std::vector<Json>& lines, const std::string& kind) {
    for (const Json& j : lines)
        if (j["kind"] == kind) return j["t"];
    return -1;
}

TEST(UiScenarioTest, TheFirstLaunchInTheOrderOfTheLaunchSequence) {
    const auto lines = play(R"({"desktop": {"apps": [{"pid": 501, "bundleId": "com.apple.Safari",
                                                      "name": "Safari"}]}})");
    std::vector<std::string> kinds;
    for (const Json& j : lines) kinds.push_back(j["kind"]);
    EXPECT_EQ(kinds, (std::vector<std::string>{"activationPolicy", "statusItem", "menu", "window",
                                               "loginItems", "menu", "defaults"}));
    EXPECT_EQ(lines[3]["name"], "Preferences");
    EXPECT_EQ(lines[3]["state"], "shown");
    EXPECT_EQ(lines[4]["items"], Json::parse(R"(["/Applications/Wexo.app"])"));
    EXPECT_EQ(lines[5]["items"][8], "Disable Scroll for Safari");
    const Json& domain = lines.back()["domain"];
    EXPECT_EQ(domain["scrollingEnabled"], true);
    EXPECT_EQ(domain["showOnLaunch"], false);
    EXPECT_TRUE(domain["allDisplaysScrollSettings"].contains("0-0-0"));
}

TEST(UiScenarioTest, WithoutPermissionTheProgramWaitsAndRestartsWhenGranted) {
    const auto lines = playFile("permission.json");
    EXPECT_EQ(ofKind(lines, "window"),
              std::vector<Json>{Json::parse(R"({"name": "Permission", "state": "shown"})")});
    EXPECT_EQ(ofKind(lines, "menu")[0]["items"],
              Json::parse(R"(["About", "-", "-", "Check For Updates...", "-", "-", "Quit"])"));
    EXPECT_EQ(timeOf(lines, "alert"), 2);
    EXPECT_EQ(timeOf(lines, "relaunch"), 11);
    EXPECT_EQ(ofKind(lines, "exit"), std::vector<Json>{Json::parse(R"({"status": 0})")});
    EXPECT_EQ(lines.back()["domain"], Json::object());
}

TEST(UiScenarioTest, APersonUsingThePreferencesMenuAndWindow) {
    const auto lines = playFile("preferences.json");
    const Json& registry = lines.back()["domain"]["allDisplaysScrollSettings"];
    auto settingsOf = [&](const char* serial, const char* bundle) {
        return registry[serial]["displayApps"][bundle]["scrollSettings"];
    };
    // Mail, added under All Screens at 2 s, edited there (reversed, speed
    // typed as 900), then made native on the right display alone.
    for (const char* serial : {"0-0-0", "1-2-3", "1-2-4"}) {
        EXPECT_EQ(registry[serial]["displayApps"]["com.apple.mail"]["listLocation"], "1");
        EXPECT_EQ(settingsOf(serial, "com.apple.mail")["isReverseVertical"], true) << serial;
        EXPECT_EQ(settingsOf(serial, "com.apple.mail")["scrollSpeed"], 900) << serial;
        // The menu's toggle made Safari native on every display.
        EXPECT_EQ(settingsOf(serial, "com.apple.Safari")["isNativeScroll"], true) << serial;
    }
    EXPECT_EQ(settingsOf("1-2-4", "com.apple.mail")["isNativeScroll"], true);
    EXPECT_EQ(settingsOf("1-2-3", "com.apple.mail")["isNativeScroll"], false);

    // The right display's name for 3 s and a 0.4 s fade; the window closed
    // and opened again; scrolling switched off from the menu.
    const auto windows = ofKind(lines, "window");
    ASSERT_EQ(windows.size(), 5u);
    EXPECT_EQ(windows[1], Json::parse(R"({"name": "Overlay", "state": "shown"})"));
    EXPECT_EQ(windows[2], Json::parse(R"({"name": "Overlay", "state": "closed"})"));
    EXPECT_EQ(windows[3], Json::parse(R"({"name": "Preferences", "state": "closed"})"));
    EXPECT_EQ(windows[4], Json::parse(R"({"name": "Preferences", "state": "shown"})"));
    const auto policies = ofKind(lines, "activationPolicy");
    EXPECT_EQ(policies.back()["policy"], "regular");
    EXPECT_EQ(policies[policies.size() - 2]["policy"], "accessory");
    EXPECT_EQ(ofKind(lines, "menu").back()["items"][7], "Enable Scroll");
    EXPECT_EQ(lines.back()["domain"]["scrollingEnabled"], false);
}

TEST(UiScenarioTest, ACurveChosenOnTheCurveSheet) {
    const auto lines = playFile("easing.json");
    // The in-out quadratic curve, chosen last, is the global entry's curve
    // on every display.
    const Json& registry = lines.back()["domain"]["allDisplaysScrollSettings"];
    for (const char* serial : {"0-0-0", "1-2-3"})
        EXPECT_EQ(
            registry[serial]["displayApps"]["com.global"]["scrollSettings"]["scrollAnimationIndex"],
            3)
            << serial;
    const auto windows = ofKind(lines, "window");
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[1], Json::parse(R"({"name": "Easing", "state": "shown"})"));
    EXPECT_EQ(windows[2], Json::parse(R"({"name": "Easing", "state": "closed"})"));
    // The closed sheet's demonstration winds down without waiting for ever.
    EXPECT_TRUE(ofKind(lines, "log").empty());
}

TEST(UiScenarioTest, AHiddenIconComesBackWhenTheApplicationIsOpenedAgain) {
    const auto lines = play(R"({
      "defaults": {"hiddenMenubarIcon": true, "allDisplaysScrollSettings": {}},
      "steps": [{"at": 1, "reopen": true}, {"at": 2, "closeWindow": true}]})");
    const auto items = ofKind(lines, "statusItem");
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[1]["visible"], false);  // hidden at launch
    EXPECT_EQ(items[2]["visible"], true);   // reopened
    EXPECT_EQ(items[3]["visible"], false);  // the window closed
    EXPECT_EQ(ofKind(lines, "window").size(), 2u);
}

TEST(UiScenarioTest, AGestureDrawnInTheGesturesTabIsStoredOnceWithItsThumbnail) {
    platform::TempFolder folder;
    const std::string stroke =
        R"({"screen": "Gestures", "button": 2, "points": [[100, 100], [100, 150], [100, 160],
                                                          [160, 160]]})";
    const auto lines = play(R"({"defaults": {"allDisplaysScrollSettings": {}, "gestureNumber": 2},
      "desktop": {"applicationSupport": ")" +
                            folder.path().string() + R"("},
      "steps": [{"menu": "Preferences..."},
                {"at": 1, "ui": {"screen": "Scroll", "action": "showGestures:"}},
                {"at": 2, "ui": {"screen": "Gestures", "action": "addGestureBtn:"}},
                {"at": 3, "draw": )" +
                            stroke + R"(},
                {"at": 4, "ui": {"screen": "Gestures", "action": "addGestureBtn:"}},
                {"at": 5, "draw": )" +
                            stroke + R"(},
                {"at": 6, "alert": "Ok"}]})");
    const auto alerts = ofKind(lines, "alert");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]["message"], "A similar gesture already exists in Global.");
    EXPECT_EQ(timeOf(lines, "alert"), 5);
    const Json& gestures = lines.back()["domain"]["gesturesAppsArray"][0]["gestures"];
    ASSERT_EQ(gestures.size(), 1u);
    EXPECT_EQ(gestures[0]["gestureDirections"], "14");
    const std::string image = (folder.path() / "com.wexo.Wexo/com.global/14.jpg").string();
    EXPECT_EQ(gestures[0]["gestureImagePath"], image);
    EXPECT_TRUE(std::filesystem::exists(image));
}

TEST(UiScenarioTest, UnknownScreensAreMalformedSteps) {
    // Every screen a step may name is one the program makes.
    for (const char* name : MainStoryboard::kScreenNames)
        EXPECT_TRUE(MainStoryboard::make().makesScreen(name)) << name;
    std::ostringstream out, err;
    EXPECT_EQ(
        runScenarioText(R"({"steps": [{"ui": {"screen": "Colours", "action": "x:"}}]})", out, err),
        2);
    EXPECT_EQ(err.str(), "wexo-sim: $.steps[0].ui.screen: no screen is called \"Colours\"\n");
    err.str("");
    EXPECT_EQ(runScenarioText(R"({"steps": [{"ui": {"screen": "Scroll"}}]})", out, err), 2);
    EXPECT_EQ(runScenarioText(R"({"steps": [{"reopen": false}]})", out, err), 2);
    EXPECT_EQ(runScenarioText(R"({"steps": [{"openPanel": 3}]})", out, err), 2);
    EXPECT_EQ(out.str(), "");
}

TEST(UiScenarioTest, StepsThatFindNothingToUseStopTheRun) {
    std::ostringstream out, err;
    // No such item; no alert; no panel; a control of a hidden window.
    for (const char* scenario : {
             R"({"steps": [{"menu": "Dance"}]})",
             R"({"steps": [{"alert": "Ok"}]})",
             R"({"steps": [{"openPanel": null}]})",
             R"({"defaults": {"allDisplaysScrollSettings": {}},
                 "steps": [{"ui": {"screen": "Scroll", "action": "addApp:"}}]})",
             R"({"steps": [{"ui": {"screen": "Scroll", "action": "enableApp:", "row": 5}}]})",
             R"({"steps": [{"ui": {"screen": "Scroll", "action": "controlTextDidEndEditing:"}}]})",
             // The drawing area shows only while drawing.
             R"({"defaults": {"gestureNumber": 2},
                 "steps": [{"ui": {"screen": "Scroll", "action": "showGestures:"}},
                           {"draw": {"screen": "Gestures", "points": [[1, 1]]}}]})",
             R"({"desktop": {"trusted": false},
                 "steps": [{"ui": {"screen": "Scroll", "action": "addApp:"}}]})",
         })
        EXPECT_THROW(runScenarioText(scenario, out, err), RunError) << scenario;
    // The menu's items that are disabled in a run without permission are
    // simply absent.
    EXPECT_THROW(runScenarioText(R"({"desktop": {"trusted": false},
                                     "steps": [{"menu": "Preferences..."}]})",
                                 out, err),
                 RunError);
}

TEST(UiScenarioTest, AfterTheProgramEndsItsUserInterfaceIsGone) {
    const auto lines = play(R"({"steps": [{"at": 1, "menu": "Quit"},
                                          {"at": 2, "menu": "Quit"},
                                          {"at": 3, "reopen": true}]})");
    EXPECT_EQ(ofKind(lines, "terminate").size(), 1u);
    EXPECT_EQ(ofKind(lines, "window").size(), 1u);
}

}  // namespace
}  // namespace wexo::simrunner
