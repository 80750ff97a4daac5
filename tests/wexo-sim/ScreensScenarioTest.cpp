#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "wexo-sim/JsonRead.h"
#include "wexo-sim/ScenarioRunner.h"

namespace wexo::simrunner {
namespace {

std::vector<Json> playFile(const std::string& name) {
    std::ifstream in(std::string(WEXO_SCENARIO_DIR) + "/" + name);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::ostringstream out, err;
    EXPECT_EQ(runScenarioText(text, out, err), 0) << err.str();
    std::vector<Json> lines;
    std::istringstream records(out.str());
    for (std::string line; std::getline(records, line);) lines.push_back(Json::parse(line));
    return lines;
}

std::vector<Json> ofKind(const std::vector<Json>& lines, const std::string& kind) {
    std::vector<Json> out;
    for (const Json& j : lines)
        if (j["kind"] == kind) out.push_back(j);
    return out;
}

// A key pressed on the Grab tab becomes the grab key; the options chosen on
// the Grab and Auto tabs reach the engines; the key then grabs elsewhere.
TEST(ScreensScenarioTest, AGrabKeyChosenOnTheGrabTabAndTheAutoScrollOptions) {
    const auto lines = playFile("grab-auto.json");
    const auto alerts = ofKind(lines, "alert");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]["t"], 3.0);
    EXPECT_EQ(alerts[0]["message"],
              "Setting a keyboard key as a Grab & Drag button will cause a delay while typing "
              "that key.");

    // Speed 2 and the pointer 10 points up: 2 × -1 × (530 - 520) on wheel 1.
    bool dragged = false;
    std::vector<double> keyDowns;
    for (const Json& d : ofKind(lines, "deliver")) {
        const Json& e = d["event"];
        if (e["type"] == "scrollWheel" && e.value("pointDelta", Json()) == Json({-20, 0}))
            dragged = true;
        if (e["type"] == "keyDown") keyDowns.push_back(d["t"]);
    }
    EXPECT_TRUE(dragged);
    // The key went to the Grab tab at 3, then grabbed at 10; a hold of two
    // movements is a tap, given back to the application 0.1 s after it.
    EXPECT_EQ(keyDowns, (std::vector<double>{3.0, 10.4}));

    const Json& domain = lines.back()["domain"];
    EXPECT_EQ(domain["grabKeyNumber"], 5);
    EXPECT_FALSE(domain.contains("grabButtonNumber"));
    EXPECT_EQ(domain["grabAccelNumber"], 2.0);
    EXPECT_EQ(domain["animateThrow"], false);
    EXPECT_EQ(domain["autoScrollButtonNumber"], 2);
    EXPECT_EQ(domain["autoScrollAccelNumber"], 10.0);
    EXPECT_EQ(domain["autoScrollSuperSlowDownNumber"], 5);
    EXPECT_EQ(domain["animateRelease"], false);
}

// Stored gestures and assignments act through the mouse tap: an upward
// stroke with the gesture button (middle) turns the volume up; a left press
// while it is held is a rocker press whose "Left Click" reaches the
// application as the program's own; the gesture button was not dragged that
// time, so its click is replayed on release; button 3 turns the volume down.
TEST(ScreensScenarioTest, GesturesRockerPressesAndAssignedButtons) {
    const auto lines = playFile("gestures-buttons.json");
    std::vector<std::pair<double, int>> keys;  // (t, keyType) of key downs
    for (const Json& h : ofKind(lines, "hid"))
        if (h["keyState"] == "down") keys.emplace_back(h["t"], h["keyType"]);
    EXPECT_EQ(keys, (std::vector<std::pair<double, int>>{{0.2, 0}, {0.8, 1}}));

    std::vector<std::string> presses;
    for (const Json& d : ofKind(lines, "deliver")) {
        const Json& e = d["event"];
        if (e["type"] == "leftMouseDown")
            presses.push_back("left " + std::to_string(e.value("userData", 0)));
        if (e["type"] == "otherMouseDown")
            presses.push_back("button " + std::to_string(e.value("button", 0)) + " " +
                              std::to_string(e.value("mouseEventNumber", 0)));
    }
    EXPECT_EQ(presses, (std::vector<std::string>{"left -1700", "button 2 -1500"}));
}

}  // namespace
}  // namespace wexo::simrunner
