#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "wexo-sim/EventJson.h"
#include "wexo-sim/RecordJson.h"
#include "wexo-sim/RunContext.h"
#include "wexo-sim/ScenarioParser.h"
#include "wexo-sim/ScenarioRunner.h"

namespace wexo::simrunner {
namespace {

// The records of a run, only those of the given kinds when kinds are named.
std::vector<Json> runLines(const std::string& scenario, std::vector<std::string> kinds = {}) {
    std::ostringstream out, err;
    EXPECT_EQ(runScenarioText(scenario, out, err), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    std::vector<Json> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) {
        Json j = Json::parse(line);
        if (kinds.empty() || std::find(kinds.begin(), kinds.end(), j["kind"]) != kinds.end())
            lines.push_back(std::move(j));
    }
    return lines;
}

// The whole program: the Auto screen loads the stored button, the mouse tap
// starts auto-scroll with it, and the trace says which stage decided.
TEST(ScenarioRunTest, TheStoredAutoScrollButtonAutoScrollsThroughTheMouseTap) {
    std::ostringstream out, err;
    ASSERT_EQ(runScenarioText(R"({
      "defaults": {"allDisplaysScrollSettings": {}, "autoScrollButtonNumber": 2},
      "desktop": {"pointer": [400, 300],
                  "apps": [{"pid": 501, "bundleId": "com.example.App", "name": "App"}],
                  "windows": [{"pid": 501, "bounds": [0, 0, 1920, 1080]}],
                  "elements": [{"bounds": [0, 0, 1920, 1080], "role": "AXScrollArea"}]},
      "steps": [
        {"at": 0.1, "event": {"type": "otherMouseDown", "button": 2}},
        {"at": 0.2, "event": {"type": "otherMouseUp", "button": 2}},
        {"at": 0.3, "event": {"type": "mouseMoved", "location": [400, 340]}},
        {"at": 0.4, "event": {"type": "leftMouseDown"}}],
      "until": 0.4})",
                              out, err, RunOptions{.trace = true}),
              0)
        << err.str();
    std::vector<std::string> stages, transitions;
    std::vector<std::int64_t> scrolled;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) {
        const Json j = Json::parse(line);
        if (j["kind"] == "decision" && j["tap"] == "mouse" && j["stage"] != "ownEvent")
            stages.push_back(j["stage"].get<std::string>() + " " + j["verdict"].get<std::string>());
        if (j["kind"] == "transition")
            transitions.push_back(j["transition"].get<std::string>() + " " +
                                  j["from"].get<std::string>() + ">" + j["to"].get<std::string>());
        if (j["kind"] == "deliver" && j["event"].value("userData", 0) == -1600)
            scrolled.push_back(j["event"]["pointDelta"][0]);
    }
    EXPECT_EQ(transitions,
              (std::vector<std::string>{"startAutoScroll idle>autoScrollClicked",
                                        "leaveAutoScrollRunning autoScrollClicked>idle"}));
    // The release leaves auto-scroll running: the auto-scroll stage decided it.
    EXPECT_EQ(stages, (std::vector<std::string>{"autoScroll swallow", "autoScroll pass",
                                                "autoScrollRunning swallow"}));
    // 40 points below the anchor at the default speed 10: (40 - 15) / (21 - 10)
    // = 2 pixels a frame, downward; from the move at 0.3 to the press at 0.4.
    ASSERT_FALSE(scrolled.empty());
    EXPECT_EQ(scrolled.front(), -2);
}

TEST(ScenarioRunTest, AScenarioInTheExactRecordsOut) {
    // Not a first launch (the registry is stored) and assignments of the
    // present layout, so the launch stores nothing.
    const auto lines = runLines(R"({
      "defaults": {"scrollingEnabled": true, "scrollSpeed": 3, "ratio": 0.5,
                   "list": ["a", 1], "nested": {"k": false}, "allDisplaysScrollSettings": {},
                   "modifiersOn": true},
      "desktop": {"pointer": [10, 20],
                  "apps": [{"pid": 501, "bundleId": "com.example.App", "name": "App"}],
                  "windows": [{"pid": 501, "bounds": [0, 0, 800, 600]}]},
      "steps": [
        {"at": 0.5, "event": {"type": "mouseMoved", "location": [110, 60]}},
        {"at": 0.25, "event": {"type": "scrollWheel", "unit": "pixel", "pointDelta": [-3, 0],
                               "phase": 1}},
        {"at": 0.5, "event": {"type": "leftMouseDown", "clickState": 1}},
        {"at": 1, "pointer": [900, 900]},
        {"at": 1, "event": {"type": "keyDown", "keyCode": 49, "flags": 1048576,
                            "autorepeat": true}}
      ]})",
                                {"deliver", "defaults"});
    const std::vector<Json> expected = {
        Json::parse(R"({"t": 0.25, "kind": "deliver", "event": {"type": "scrollWheel",
            "location": [10, 20], "unit": "pixel", "pointDelta": [-3, 0], "phase": 1,
            "targetPid": 501}})"),
        // The move's delta is its location minus where the pointer was.
        Json::parse(R"({"t": 0.5, "kind": "deliver", "event": {"type": "mouseMoved",
            "location": [110, 60], "delta": [100, 40], "targetPid": 501}})"),
        // Without a location, the click is where the move left the pointer.
        Json::parse(R"({"t": 0.5, "kind": "deliver", "event": {"type": "leftMouseDown",
            "location": [110, 60], "clickState": 1, "targetPid": 501}})"),
        // Outside every window: no target.
        Json::parse(R"({"t": 1, "kind": "deliver", "event": {"type": "keyDown",
            "location": [900, 900], "flags": 1048576, "keyCode": 49, "autorepeat": true}})"),
        // One second after the last step, the domain as it started.
        Json::parse(R"({"t": 2, "kind": "defaults", "domain": {"scrollingEnabled": true,
            "scrollSpeed": 3, "ratio": 0.5, "list": ["a", 1], "nested": {"k": false},
            "allDisplaysScrollSettings": {}, "modifiersOn": true}})"),
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << i;
    // The mapping keeps integers and reals apart.
    EXPECT_TRUE(lines[4]["domain"]["scrollSpeed"].is_number_integer());
    EXPECT_TRUE(lines[4]["domain"]["ratio"].is_number_float());
}

TEST(ScenarioRunTest, EmptyScenarioRunsOneSecondOnTheDefaultDesktop) {
    const auto lines = runLines("{}", {"deliver", "defaults"});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["t"], 1);
    const auto withUntil = runLines(R"({"until": 0.5})");
    EXPECT_EQ(withUntil.back()["t"], 0.5);
    EXPECT_EQ(withUntil.back()["kind"], "defaults");
}

TEST(ScenarioRunTest, EventFormReadsAndWritesTheSameMembers) {
    const Json scroll = Json::parse(R"({"type": "scrollWheel", "location": [5.5, 6],
        "flags": 131072, "unit": "line", "lineDelta": [-1, 2], "pointDelta": [-10, 20],
        "phase": 2, "momentumPhase": 3, "targetPid": 42, "userData": -1600})");
    const Json drag = Json::parse(R"({"type": "otherMouseDragged", "location": [1, 2],
        "button": 4, "delta": [3, -4], "clickState": 2, "mouseEventNumber": -1500})");
    const Json key = Json::parse(R"({"type": "keyUp", "location": [0, 0], "keyCode": 53,
        "autorepeat": true})");
    for (const Json& j : {scroll, drag, key}) {
        const auto in = eventFromJson(j, JsonPath());
        EXPECT_EQ(Json(eventToJson(in.complete(platform::Point{100, 100}))), j);
    }
    // Members left out: 0, the pointer's location, a drag's delta from it.
    const auto bare = eventFromJson(Json::parse(R"({"type": "leftMouseDragged"})"), JsonPath())
                          .complete(platform::Point{7, 8});
    EXPECT_EQ(bare.location(), (platform::Point{7, 8}));
    EXPECT_EQ(bare.doubleField(platform::EventField::MouseEventDeltaX), 0);
    const auto moved =
        eventFromJson(Json::parse(R"({"type": "mouseMoved", "location": [10, 0]})"), JsonPath())
            .complete(platform::Point{7, 8});
    EXPECT_EQ(moved.doubleField(platform::EventField::MouseEventDeltaX), 3);
    EXPECT_EQ(moved.doubleField(platform::EventField::MouseEventDeltaY), -8);
}

TEST(ScenarioRunTest, ProgramsScrollEventsAreWrittenInTheirUnits) {
    using platform::Event;
    using platform::ScrollEventUnit;
    const Json pixel = eventToJson(Event::scrollWheel(ScrollEventUnit::Pixel, 2, -7, 3));
    EXPECT_EQ(pixel["unit"], "pixel");
    EXPECT_EQ(pixel["pointDelta"], Json::parse("[-7, 3]"));
    EXPECT_FALSE(pixel.contains("lineDelta"));
    const Json line = eventToJson(Event::scrollWheel(ScrollEventUnit::Line, 1, 4));
    EXPECT_EQ(line["unit"], "line");
    EXPECT_EQ(line["lineDelta"], Json::parse("[4, 0]"));
}

TEST(ScenarioRunTest, RecordsOfEveryKindHaveTheirForm) {
    namespace r = platform::sim::records;
    using platform::sim::SimRecord;
    auto form = [](platform::sim::SimRecordPayload what) {
        return Json(recordToJson(SimRecord{1'500'000'000, std::move(what)}));
    };
    EXPECT_EQ(form(r::Hid{8, 16, true}), Json::parse(R"({"t": 1.5, "kind": "hid",
        "subtype": 8, "keyType": 16, "keyState": "down"})"));
    EXPECT_EQ(form(r::Hid{8, 0, false})["keyState"], "up");
    EXPECT_EQ(form(r::Launch{"/A.app"}), Json::parse(R"({"t": 1.5, "kind": "launch",
        "path": "/A.app"})"));
    EXPECT_EQ(form(r::OpenUrl{"u:x"})["url"], "u:x");
    EXPECT_EQ(form(r::OpenUrl{"u:x"})["kind"], "openURL");
    EXPECT_EQ(form(r::DockNotification{"n", 0}), Json::parse(R"({"t": 1.5, "kind": "dock",
        "notification": "n"})"));
    EXPECT_EQ(form(r::CursorChange{"hide"})["style"], "hide");
    EXPECT_EQ(form(r::Acceleration{0.5})["value"], 0.5);
    EXPECT_EQ(form(r::Relaunch{1.0})["delay"], 1.0);
    EXPECT_EQ(form(r::Terminate{}), Json::parse(R"({"t": 1.5, "kind": "terminate"})"));
    EXPECT_EQ(form(r::Exit{0}), Json::parse(R"({"t": 1.5, "kind": "exit", "status": 0})"));
    EXPECT_EQ(form(r::LoginItems{{"/a", "/b"}})["items"], Json::parse(R"(["/a", "/b"])"));
    EXPECT_EQ(form(r::LogLine{platform::LogLevel::Error, "ERROR."}),
              Json::parse(R"({"t": 1.5, "kind": "log", "level": "error", "message": "ERROR."})"));
    // Text that is not UTF-8 cannot stop the output.
    EXPECT_FALSE(recordLine(recordToJson(SimRecord{
                                0, r::LogLine{platform::LogLevel::Info, "bad \xff byte"}}))
                     .empty());
}

TEST(ScenarioRunTest, DesktopAndStepsSetTheDesktopUp) {
    const Scenario s = scenarioFromJson(Json::parse(R"({
      "desktop": {"trusted": false, "refreshRate": 120, "menuBarAutoHidden": true,
        "screens": [{"number": 5, "frame": [0, 0, 1000, 800], "vendor": 1, "name": "Wide"}],
        "apps": [{"pid": 600, "bundleId": "com.example.B", "name": "B"},
                 {"pid": 601, "bundleId": "com.example.C"}],
        "elements": [{"bounds": [0, 0, 10, 10], "role": "AXList", "parent": null}],
        "dock": {"autoHide": true, "orientation": 3, "magnification": 0.5},
        "cursor": "iBeam", "loginItems": ["/Applications/X.app"], "acceleration": 2.5},
      "steps": [{"at": 2, "trusted": true}, {"at": 1, "frontmost": 601},
                {"at": 1, "cursor": "pointingHand"},
                {"at": 3, "windows": [{"pid": 601, "layer": 3, "bounds": [1, 2, 3, 4]}]},
                {"at": 3, "screens": [{"frame": [0, 0, 640, 480]}]}]})"));
    ASSERT_EQ(s.steps.size(), 5u);
    EXPECT_EQ(s.steps[0].kind, "frontmost");
    EXPECT_EQ(s.steps[1].kind, "cursor");
    EXPECT_EQ(s.until, 4'000'000'000);

    auto desktop = buildDesktop(s);
    ui::sim::SimUserInterface userInterface(*desktop);
    CompositionRoot program(*desktop, userInterface);
    EXPECT_FALSE(desktop->accessibility().isProcessTrusted(false));
    EXPECT_EQ(desktop->simScreens().refreshRate(), 120);
    EXPECT_EQ(desktop->preferences().globalObjectForKey("_HIHideMenuBar"), plist::Value(true));
    EXPECT_EQ(desktop->screens().mainDisplayId(), 5u);
    EXPECT_EQ(desktop->eventStream().pointerLocation(), (platform::Point{500, 400}));
    EXPECT_EQ(desktop->workspace().frontmostApplication()->pid, 600);
    EXPECT_EQ(desktop->dock().orientation(), 3);
    EXPECT_TRUE(desktop->dock().autoHideEnabled());
    EXPECT_FLOAT_EQ(desktop->dock().magnificationSize(), 0.5f);
    EXPECT_EQ(desktop->simCursor().current(), platform::CursorShape::IBeam);
    EXPECT_EQ(desktop->loginItems().snapshot(), (std::vector<std::string>{"/Applications/X.app"}));
    EXPECT_EQ(desktop->hidSystem().getAcceleration("HIDMouseAcceleration"), 2.5);

    RunContext context{*desktop, program, userInterface};
    for (const auto& step : s.steps) step.play(context);
    EXPECT_EQ(desktop->workspace().frontmostApplication()->pid, 601);
    EXPECT_EQ(desktop->simCursor().current(), platform::CursorShape::PointingHand);
    EXPECT_TRUE(desktop->accessibility().isProcessTrusted(false));
    ASSERT_EQ(desktop->windowList().onScreenWindows().size(), 1u);
    EXPECT_EQ(desktop->windowList().onScreenWindows()[0].layer, 3);
    EXPECT_EQ(desktop->screens().displayBounds(1), platform::Rect(0, 0, 640, 480));
}

}  // namespace
}  // namespace wexo::simrunner
