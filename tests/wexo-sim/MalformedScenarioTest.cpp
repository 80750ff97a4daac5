#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "wexo-sim/JsonRead.h"
#include "wexo-sim/ScenarioRunner.h"

namespace wexo::simrunner {
namespace {

struct Malformed {
    const char* scenario;
    const char* path;
};

class MalformedScenarioTest : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedScenarioTest, IsRejectedWithStatusTwoNamingThePath) {
    std::ostringstream out, err;
    EXPECT_EQ(runScenarioText(GetParam().scenario, out, err), 2);
    EXPECT_EQ(out.str(), "");
    const std::string line = err.str();
    EXPECT_EQ(line.rfind("wexo-sim: " + std::string(GetParam().path) + ": ", 0), 0u) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, MalformedScenarioTest,
    ::testing::Values(
        Malformed{R"({"steps": [)", "$"},        // not JSON
        Malformed{R"({"until": 2E2222})", "$"},  // a number past a double's range
        Malformed{R"([1, 2])", "$"}, Malformed{R"({"stepz": []})", "$.stepz"},
        Malformed{R"({"until": "soon"})", "$.until"},
        Malformed{R"({"steps": [{"at": 3, "pointer": [0, 0]}], "until": 2})", "$.until"},
        Malformed{R"({"steps": {"at": 1}})", "$.steps"},
        Malformed{R"({"steps": [{"at": -1, "pointer": [0, 0]}]})", "$.steps[0].at"},
        Malformed{R"({"steps": [{"at": 1}]})", "$.steps[0]"},
        Malformed{R"({"steps": [{"at": 1, "dance": {}}]})", "$.steps[0].dance"},
        Malformed{R"({"steps": [{"pointer": [1, 2], "trusted": true}]})", "$.steps[0].trusted"},
        Malformed{R"({"steps": [{"event": {"type": "mouseWiggle"}}]})", "$.steps[0].event.type"},
        Malformed{R"({"steps": [{"event": {"location": [1, 2]}}]})", "$.steps[0].event.type"},
        Malformed{R"({"steps": [{"event": {"type": "keyDown", "keyCode": 1.5}}]})",
                  "$.steps[0].event.keyCode"},
        Malformed{R"({"steps": [{"event": {"type": "scrollWheel", "unit": "page"}}]})",
                  "$.steps[0].event.unit"},
        Malformed{R"({"steps": [{"event": {"type": "mouseMoved", "location": [1]}}]})",
                  "$.steps[0].event.location"},
        Malformed{R"({"steps": [{"event": {"type": "keyDown", "autorepeat": 1}}]})",
                  "$.steps[0].event.autorepeat"},
        Malformed{R"({"steps": [{"cursor": "spinner"}]})", "$.steps[0].cursor"},
        Malformed{R"({"steps": [{"draw": {"screen": "Gestures", "points": []}}]})",
                  "$.steps[0].draw.points"},
        Malformed{R"({"desktop": {"applicationSupport": "support"}})",
                  "$.desktop.applicationSupport"},
        Malformed{R"({"defaults": {"x": null}})", "$.defaults.x"},
        Malformed{R"({"defaults": {"a": [1, {"b": null}]}})", "$.defaults.a[1].b"},
        Malformed{R"({"desktop": {"windows": [{"pid": 1, "bounds": [0, 0, 10]}]}})",
                  "$.desktop.windows[0].bounds"},
        Malformed{R"({"desktop": {"apps": [{"pid": "501"}]}})", "$.desktop.apps[0].pid"},
        Malformed{R"({"desktop": {"apps": [{"pid": 100}]}})", "$.desktop.apps[0].pid"},
        Malformed{R"({"desktop": {"screens": [{"number": 1}]}})", "$.desktop.screens[0].frame"},
        Malformed{R"({"desktop": {"elements": [{"bounds": [0, 0, 1, 1], "parent": 1},
                                                {"bounds": [0, 0, 1, 1], "parent": 0}]}})",
                  "$.desktop.elements[0].parent"},
        Malformed{R"({"desktop": {"refreshRate": 0}})", "$.desktop.refreshRate"},
        Malformed{R"({"desktop": {"dock": {"side": 1}}})", "$.desktop.dock.side"},
        Malformed{R"({"desktop": {"trusted": "yes"}})", "$.desktop.trusted"}));

// The command itself, as a user runs it.
int runCommand(const std::string& arguments, const std::string& input, std::string& out,
               std::string& err) {
    // CTest runs tests side by side: each process has files of its own.
    const std::string base = ::testing::TempDir() + "/wexo-sim-" + std::to_string(::getpid());
    const std::string in = base + "-in.json", o = base + "-out", e = base + "-err";
    std::ofstream(in) << input;
    const std::string command =
        std::string(WEXO_SIM_BINARY) + " " + arguments + " < " + in + " > " + o + " 2> " + e;
    const int status = std::system(command.c_str());
    std::stringstream so, se;
    so << std::ifstream(o).rdbuf();
    se << std::ifstream(e).rdbuf();
    out = so.str();
    err = se.str();
    std::remove(in.c_str());
    std::remove(o.c_str());
    std::remove(e.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(WexoSimCommandTest, RunsFromStandardInputAndRejectsBadInput) {
    std::string out, err;
    EXPECT_EQ(runCommand("run -",
                         R"({"steps": [{"at": 0.1, "event": {"type": "mouseMoved",
                             "location": [1, 1]}}]})",
                         out, err),
              0);
    EXPECT_EQ(err, "");
    // The launch's records, the move, and the domain last.
    EXPECT_NE(out.find("\"kind\":\"window\""), std::string::npos);
    EXPECT_NE(out.find("\"kind\":\"deliver\""), std::string::npos);
    const std::size_t lastLine = out.rfind('\n', out.size() - 2) + 1;
    EXPECT_EQ(out.rfind("{\"t\":1.1,\"kind\":\"defaults\""), lastLine);

    EXPECT_EQ(runCommand("run -", R"({"steps": [{"at": 1, "dance": 1}]})", out, err), 2);
    EXPECT_EQ(err, "wexo-sim: $.steps[0].dance: unknown step kind \"dance\"\n");
    EXPECT_EQ(out, "");
    EXPECT_EQ(runCommand("run /nonexistent/scenario.json", "", out, err), 2);
    EXPECT_EQ(runCommand("play -", "{}", out, err), 2);
    EXPECT_EQ(runCommand("run --fast -", "{}", out, err), 2);
}

TEST(WexoSimCommandTest, TraceAddsTheDecisionsOfTheTaps) {
    const std::string scenario = R"({"defaults": {"allDisplaysScrollSettings": {}},
        "desktop": {"pointer": [5, 5]},
        "steps": [{"at": 0.1, "event": {"type": "rightMouseDown", "button": 1}}]})";
    const auto decisions = [](const std::string& out) {
        std::vector<Json> found;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            if (auto j = Json::parse(line); j["kind"] == "decision") found.push_back(j);
        return found;
    };
    std::string out, err;
    ASSERT_EQ(runCommand("run --trace -", scenario, out, err), 0) << err;
    // Nothing claims a right press without an assignment: the button stage
    // passes it.
    EXPECT_EQ(decisions(out), std::vector<Json>{Json::parse(R"({"t": 0.1, "kind": "decision",
        "tap": "mouse", "stage": "button", "verdict": "pass",
        "event": {"type": "rightMouseDown", "location": [5, 5], "button": 1}})")});

    ASSERT_EQ(runCommand("run -", scenario, out, err), 0);
    EXPECT_TRUE(decisions(out).empty());
}

TEST(WexoSimCommandTest, DemoScenarioPlays) {
    std::string out, err;
    EXPECT_EQ(runCommand(std::string("run ") + WEXO_SCENARIO_DIR + "/demo.json", "", out, err), 0)
        << err;
    EXPECT_NE(out.find("\"kind\":\"defaults\""), std::string::npos);
}

}  // namespace
}  // namespace wexo::simrunner
