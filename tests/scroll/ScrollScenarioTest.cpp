#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "wexo-sim/JsonRead.h"
#include "wexo-sim/ScenarioParser.h"
#include "wexo-sim/ScenarioRunner.h"

namespace wexo::simrunner {
namespace {

// Whole behaviours of the scroll engine as scenarios: a desktop, a
// preference domain and timed input in, the delivered events out.

std::vector<Json> play(const Json& scenario) {
    auto parsed = parseScenario(scenario.dump());
    if (auto* error = std::get_if<ScenarioError>(&parsed)) {
        ADD_FAILURE() << error->text();
        return {};
    }
    std::vector<Json> out;
    for (const auto& record : playScenario(std::get<Scenario>(parsed)))
        out.push_back(Json::parse(record.dump()));
    return out;
}

std::vector<Json> deliveries(const std::vector<Json>& records) {
    std::vector<Json> out;
    for (const auto& r : records)
        if (r["kind"] == "deliver") out.push_back(r);
    return out;
}

// A stored scroll-settings set: the fresh set's values with some changed.
Json settingsSet(const Json& changes = Json::object()) {
    Json s = {{"isNativeScroll", false},
              {"isMultiplyLines", true},
              {"isDivideLines", true},
              {"isContinuous", true},
              {"isAnimatingScroll", true},
              {"isAnimatingHorizontalScroll", true},
              {"isAnimatingVerticalScroll", true},
              {"isReverseHorizontal", false},
              {"isReverseVertical", false},
              {"verticalLinesNumber", 2.0},
              {"horizontalLinesNumber", 2.0},
              {"multiplyLinesNumber", 2},
              {"divideLinesNumber", 2},
              {"scrollSpeed", 700},
              {"contidDelta", 0.5},
              {"scrollAnimationIndex", 5}};
    s.update(changes);
    return s;
}

// "allDisplaysScrollSettings": serial → bundle identifier → set.
Json registry(const std::map<std::string, std::map<std::string, Json>>& displays) {
    Json all = Json::object();
    int location = 1;
    for (const auto& [serial, apps] : displays) {
        Json table = Json::object();
        int row = 0;
        for (const auto& [bundle, set] : apps)
            table[bundle] = {{"listLocation", std::to_string(row++)},
                             {"prettyName", bundle},
                             {"bundleId", bundle},
                             {"imagePath", ""},
                             {"scrollSettings", set}};
        all[serial] = {{"listLocation", std::to_string(location)},
                       {"screenID", location},
                       {"displayName", "Display"},
                       {"serial", serial},
                       {"displayApps", table}};
        ++location;
    }
    return all;
}

Json wheelDown(double at, std::uint64_t flags = 0) {
    return {{"at", at},
            {"event",
             {{"type", "scrollWheel"},
              {"unit", "line"},
              {"lineDelta", {-1, 0}},
              {"pointDelta", {-10, 0}},
              {"flags", flags}}}};
}

Json pointerAt(double at, double x, double y) {
    return {{"at", at}, {"pointer", {x, y}}};
}

// Vertical pixel values of the program's scroll events, in order.
std::vector<int> posted(const std::vector<Json>& records) {
    std::vector<int> out;
    for (const auto& r : deliveries(records)) {
        const Json& e = r["event"];
        if (e.value("userData", 0) != -1600) continue;
        out.push_back(e.value("pointDelta", Json::array({0, 0}))[0].get<int>());
    }
    return out;
}

const Json kSafari = {{"pid", 501}, {"bundleId", "com.apple.Safari"}, {"name", "Safari"}};

// One notch with the defaults (continuous, 200 pixels, Cubic Out): one notch
// from rest eases over ceil(42 ÷ 1.4) = 31 frames; frame k posts
// trunc(200 × (3m² + 3m + 1) ÷ 29791) with m = 31 − k: 18 (m = 30, 2791),
// 17 (m = 29, 2611) … 1 at k = 24 (m = 7, 169), and 0 at k = 25 (m = 6, 127)
// with p = 1 − (6/31)³ = 0.993 > 0.96, which ends it: 25 events, 188 pixels.
TEST(ScrollScenarioTest, OneNotchWithDefaultsOverAnApplication) {
    const auto records = play({{"defaults", {{"scrollingEnabled", true}}},
                               {"desktop",
                                {{"pointer", {400, 300}},
                                 {"apps", {kSafari}},
                                 {"windows", {{{"pid", 501}, {"bounds", {0, 25, 1280, 800}}}}}}},
                               {"steps", {wheelDown(0.2)}},
                               {"until", 1}});
    const std::vector<int> expected = {-18, -17, -16, -15, -14, -13, -12, -11, -10, -9, -8, -7, -6,
                                       -6,  -5,  -4,  -4,  -3,  -3,  -2,  -2,  -1,  -1, -1, 0};
    EXPECT_EQ(posted(records), expected);
    int sum = 0;
    for (int v : expected) sum += v;
    EXPECT_EQ(sum, -188);

    const auto d = deliveries(records);
    ASSERT_EQ(d.size(), expected.size());  // the notch itself is swallowed
    // The link started at 0.2 s calls back at the first 60 Hz frame after it,
    // 13/60 s, and then at every frame up to the 37th.
    EXPECT_EQ(d.front()["t"], 0.216666666);
    EXPECT_EQ(d.back()["t"], 0.616666666);
    for (const auto& r : d) {
        EXPECT_EQ(r["event"]["unit"], "pixel");
        EXPECT_EQ(r["event"]["location"], Json({400, 300}));
        EXPECT_FALSE(r["event"].contains("lineDelta"));
    }
}

// Immediate scrolling (trunc(lines × 100 ÷ 2.5) pixels a notch) with a set
// per display and per application: Safari on the main display has 3 lines
// (120 pixels), the main display's Global 2 (80), the second display's
// Global 1 (40).
TEST(ScrollScenarioTest, PerDisplayAndPerApplicationSettingsFollowThePointer) {
    const Json immediate = {{"isAnimatingScroll", false}};
    Json safariSet = settingsSet(immediate), mainSet = settingsSet(immediate),
         sideSet = settingsSet(immediate);
    safariSet["verticalLinesNumber"] = 3.0;
    sideSet["verticalLinesNumber"] = 1.0;
    const Json defaults = {
        {"allDisplaysScrollSettings",
         registry({{"1-2-3", {{"com.global", mainSet}, {"com.apple.Safari", safariSet}}},
                   {"4-5-6", {{"com.global", sideSet}}}})}};
    const Json desktop = {
        {"screens",
         {{{"number", 1},
           {"frame", {0, 0, 1920, 1080}},
           {"vendor", 1},
           {"model", 2},
           {"serial", 3}},
          // Quartz bounds [1920, 56, 1280, 1024]: its top is 1080 − 1024 below the main one's.
          {{"number", 2},
           {"frame", {1920, 0, 1280, 1024}},
           {"vendor", 4},
           {"model", 5},
           {"serial", 6}}}},
        {"pointer", {400, 300}},
        {"apps", {kSafari, {{"pid", 502}, {"bundleId", "com.apple.Notes"}, {"name", "Notes"}}}},
        {"windows",
         {{{"pid", 501}, {"bounds", {0, 0, 960, 1080}}},
          {{"pid", 502}, {"bounds", {960, 0, 960, 1080}}},
          {{"pid", 501}, {"bounds", {1920, 56, 1280, 1024}}}}}};
    const auto records = play(
        {{"defaults", defaults},
         {"desktop", desktop},
         {"steps",
          {wheelDown(0.1), pointerAt(0.2, 1500, 300), wheelDown(0.3), pointerAt(0.4, 2500, 500),
           wheelDown(0.5), pointerAt(0.6, 400, 300), wheelDown(0.7)}}});
    EXPECT_EQ(posted(records), (std::vector<int>{-120, -80, -40, -120}));
    EXPECT_EQ(deliveries(records).size(), 4u);
}

// Disabled applications pass the notch through with only the reversal of the
// set in force applied to its line deltas: a set switched to native
// scrolling, the legacy list, the Dock, one media player and "java".
TEST(ScrollScenarioTest, DisabledApplicationsGetTheirWheelEventsBackReversed) {
    const Json reversed = settingsSet({{"isReverseVertical", true}});
    Json native = reversed;
    native["isNativeScroll"] = true;
    const Json defaults = {
        {"disabledAppsArray", {"com.example.Old"}},
        {"allDisplaysScrollSettings",
         registry({{"1-2-3", {{"com.global", reversed}, {"com.apple.mail", native}}}})}};
    const Json apps = {{{"pid", 501}, {"bundleId", "com.apple.mail"}, {"name", "Mail"}},
                       {{"pid", 502}, {"bundleId", "com.example.Old"}, {"name", "Old"}},
                       {{"pid", 503}, {"bundleId", "org.videolan.vlc"}, {"name", "VLC"}},
                       {{"pid", 504}, {"bundleId", "com.example.Tool"}, {"name", "java"}},
                       {{"pid", 505}, {"bundleId", "com.apple.dock"}, {"name", "Dock"}}};
    const Json windows = {{{"pid", 505}, {"layer", 20}, {"bounds", {0, 1000, 1920, 80}}},
                          {{"pid", 501}, {"bounds", {0, 0, 400, 1000}}},
                          {{"pid", 502}, {"bounds", {400, 0, 400, 1000}}},
                          {{"pid", 503}, {"bounds", {800, 0, 400, 1000}}},
                          {{"pid", 504}, {"bounds", {1200, 0, 400, 1000}}}};
    Json steps = Json::array();
    const double xs[] = {100, 500, 900, 1300, 100};
    const double ys[] = {500, 500, 500, 500, 1040};
    for (int i = 0; i < 5; ++i) {
        steps.push_back(pointerAt(0.1 * (i + 1), xs[i], ys[i]));
        steps.push_back(wheelDown(0.1 * (i + 1) + 0.05));
    }
    const auto records = play({{"defaults", defaults},
                               {"desktop", {{"apps", apps}, {"windows", windows}}},
                               {"steps", steps}});
    const auto d = deliveries(records);
    ASSERT_EQ(d.size(), 5u);
    const int targets[] = {501, 502, 503, 504, 505};
    for (int i = 0; i < 5; ++i) {
        const Json& e = d[i]["event"];
        EXPECT_EQ(e["unit"], "line") << i;
        EXPECT_EQ(e["lineDelta"], Json({1, 0})) << i;
        EXPECT_EQ(e["pointDelta"], Json({-10, 0})) << i;
        EXPECT_EQ(e["targetPid"], targets[i]) << i;
    }
    EXPECT_TRUE(posted(records).empty());
}

// Trackpad scrolling (a phase or a momentum phase) and Control-scrolling are
// the system's, and an event carrying the scrolling engines' mark is never
// shaped twice: all arrive exactly as sent, reversal not applied.
TEST(ScrollScenarioTest, TrackpadPhasesAndControlPassUntouched) {
    const Json defaults = {
        {"allDisplaysScrollSettings",
         registry({{"1-2-3", {{"com.global", settingsSet({{"isReverseVertical", true}})}}}})}};
    const Json trackpad = {
        {"type", "scrollWheel"}, {"unit", "pixel"}, {"pointDelta", {-7, 0}}, {"phase", 2}};
    const Json momentum = {
        {"type", "scrollWheel"}, {"unit", "pixel"}, {"pointDelta", {-3, 1}}, {"momentumPhase", 1}};
    const Json control = wheelDown(0, 0x40000)["event"];
    const Json marked = {
        {"type", "scrollWheel"}, {"unit", "pixel"}, {"pointDelta", {-5, 0}}, {"userData", -1600}};
    const auto records = play({{"defaults", defaults},
                               {"desktop",
                                {{"pointer", {400, 300}},
                                 {"apps", {kSafari}},
                                 {"windows", {{{"pid", 501}, {"bounds", {0, 0, 1920, 1080}}}}}}},
                               {"steps",
                                {{{"at", 0.1}, {"event", trackpad}},
                                 {{"at", 0.2}, {"event", momentum}},
                                 {{"at", 0.3}, {"event", control}},
                                 {{"at", 0.4}, {"event", marked}}}}});
    const auto d = deliveries(records);
    ASSERT_EQ(d.size(), 4u);
    const Json sent[] = {trackpad, momentum, control, marked};
    for (int i = 0; i < 4; ++i) {
        Json expected = sent[i];
        expected["location"] = {400, 300};
        expected["targetPid"] = 501;
        if (expected.value("flags", 0) == 0) expected.erase("flags");
        if (expected["unit"] == "line") expected["lineDelta"] = {-1, 0};
        EXPECT_EQ(d[i]["event"], expected) << i;
    }
}

// Frames at 13/60, 14/60 and 15/60 s post 18, 17 and 16 pixels; the pointer
// is over Mail's window from 0.26 s, so the frame at 16/60 s posts nothing
// and ends the animation.
TEST(ScrollScenarioTest, PointerLeavingTheScrolledWindowStopsTheScrolling) {
    const auto records = play(
        {{"desktop",
          {{"pointer", {400, 300}},
           {"apps", {kSafari, {{"pid", 502}, {"bundleId", "com.apple.mail"}, {"name", "Mail"}}}},
           {"windows",
            {{{"pid", 501}, {"bounds", {0, 0, 960, 1080}}},
             {{"pid", 502}, {"bounds", {960, 0, 960, 1080}}}}}}},
         {"steps", {wheelDown(0.2), pointerAt(0.26, 1200, 300)}},
         {"until", 1}});
    EXPECT_EQ(posted(records), (std::vector<int>{-18, -17, -16}));
}

// With vertical reversal a notch down scrolls up, eased the same way; until
// 0.26 s the frames at 13/60, 14/60 and 15/60 s have run.
TEST(ScrollScenarioTest, ReversedNotchScrollsTheOtherWay) {
    const Json defaults = {
        {"allDisplaysScrollSettings",
         registry({{"1-2-3", {{"com.global", settingsSet({{"isReverseVertical", true}})}}}})}};
    const auto records = play({{"defaults", defaults},
                               {"desktop",
                                {{"pointer", {400, 300}},
                                 {"apps", {kSafari}},
                                 {"windows", {{{"pid", 501}, {"bounds", {0, 0, 1920, 1080}}}}}}},
                               {"steps", {wheelDown(0.2)}},
                               {"until", 0.26}});
    EXPECT_EQ(posted(records), (std::vector<int>{18, 17, 16}));
}

}  // namespace
}  // namespace wexo::simrunner
