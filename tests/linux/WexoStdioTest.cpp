// The real `wexo --stdio` end to end: a preference file in a temporary
// XDG_CONFIG_HOME, records in, records out.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "linux/LinuxTestSupport.h"
#include "linux/WexoProcess.h"
#include "platform/TempFolder.h"

namespace wexo::platform::lnx {
namespace {

using namespace testing;

const char* const kScrolling = "<key>scrollingEnabled</key><true/>";

TEST(WexoStdioTest, OneWheelNotchWithTheDefaultsGivesTheEasedTrain) {
    // P = 60: 2 units a pixel, 376 in all; the running total passes 120
    // at frame 4 (132), 240 at frame 9 (252) and 360 at frame 19 (362).
    Config config(kScrolling);
    WexoProcess wexo({"--stdio"}, config.home());
    wexo.feed({rel(REL_WHEEL, 1), rel(REL_WHEEL_HI_RES, 120), syn()});
    wexo.closeInput();
    EXPECT_EQ(wexo.wait(), 0) << wexo.err;
    expectEasedNotch(wexo.records(), 2, {4, 9, 19});
}

TEST(WexoStdioTest, PixelsPerNotchComesFromThePreferences) {
    // P = 120: a unit a pixel, 188 in all, past 120 at frame 9 (126).
    Config config(std::string(kScrolling) + "<key>pixelsPerNotch</key><real>120</real>");
    WexoProcess wexo({"--stdio"}, config.home());
    wexo.feed({rel(REL_WHEEL, 1), rel(REL_WHEEL_HI_RES, 120), syn()});
    wexo.closeInput();
    EXPECT_EQ(wexo.wait(), 0) << wexo.err;
    expectEasedNotch(wexo.records(), 1, {9});
}

TEST(WexoStdioTest, AButtonAssignedAShortcutTypesItAndLeavesNoButtonRecords) {
    // Button 3 (BTN_SIDE) under no modifier: Command-C.
    Config config(
        "<key>modifiersOn</key><true/><key>buttonAssignDict</key><dict><key>3</key><dict>"
        "<key>0</key><dict><key>prettyName</key><string>Copy</string><key>typeOfAction</key>"
        "<integer>2</integer><key>shortcut</key><dict><key>key</key><integer>8</integer>"
        "<key>command</key><true/></dict></dict></dict></dict>");
    WexoProcess wexo({"--stdio"}, config.home());
    wexo.feed(
        {makeRecord(EV_MSC, MSC_SCAN, 0x90004), key(BTN_SIDE, 1), syn(), key(BTN_SIDE, 0), syn()});
    wexo.closeInput();
    EXPECT_EQ(wexo.wait(), 0) << wexo.err;
    // The modifier's press, the key's press, the modifier's release, then
    // the key's release.
    EXPECT_EQ(triples(wexo.records()), (std::vector<Triple>{{EV_KEY, KEY_LEFTMETA, 1},
                                                            {EV_SYN, SYN_REPORT, 0},
                                                            {EV_KEY, KEY_C, 1},
                                                            {EV_SYN, SYN_REPORT, 0},
                                                            {EV_KEY, KEY_LEFTMETA, 0},
                                                            {EV_SYN, SYN_REPORT, 0},
                                                            {EV_KEY, KEY_C, 0},
                                                            {EV_SYN, SYN_REPORT, 0}}));
}

TEST(WexoStdioTest, MotionAndClicksPassUnchanged) {
    Config config(kScrolling);
    std::vector<InputRecord> in;
    for (int i = 0; i < 200; ++i) {
        const std::int64_t t = 5'000'000 + i * 10'000;
        in.push_back(makeRecord(EV_REL, REL_X, (i % 7) - 3, t));
        in.push_back(makeRecord(EV_REL, REL_Y, (i % 5) - 2, t));
        if (i % 20 == 5) in.push_back(makeRecord(EV_KEY, i % 40 == 5 ? BTN_LEFT : BTN_RIGHT, 1, t));
        if (i % 20 == 9) in.push_back(makeRecord(EV_KEY, i % 40 == 9 ? BTN_LEFT : BTN_RIGHT, 0, t));
        in.push_back(makeRecord(EV_SYN, SYN_REPORT, 0, t));
    }
    WexoProcess wexo({"--stdio"}, config.home());
    wexo.feed(in);
    wexo.closeInput();
    EXPECT_EQ(wexo.wait(), 0) << wexo.err;
    EXPECT_EQ(triples(wexo.records()), triples(in));
}

TEST(WexoStdioTest, StoppingLetsGoOfWhatIsHeld) {
    Config config(kScrolling);
    {
        // The panic keys: everything released, status 3, a line saying why.
        WexoProcess wexo({"--stdio"}, config.home());
        wexo.feed({key(BTN_LEFT, 1), syn(), key(KEY_BACKSPACE, 1), syn(), key(KEY_ESC, 1), syn(),
                   key(KEY_ENTER, 1), syn()});
        EXPECT_EQ(wexo.wait(), 3);
        EXPECT_NE(wexo.err.find("Panic: Backspace, Escape and Enter held together"),
                  std::string::npos)
            << wexo.err;
        const auto out = triples(wexo.records());
        ASSERT_GE(out.size(), 2u);
        EXPECT_EQ(out[out.size() - 2], (Triple{EV_KEY, BTN_LEFT, 0}));
    }
    for (int sig : {SIGTERM, SIGINT}) {
        // A signal in the middle of a press.
        WexoProcess wexo({"--stdio"}, config.home());
        wexo.feed({key(BTN_RIGHT, 1), syn()});
        wexo.readUntil([&] { return wexo.records().size() >= 2; });
        wexo.signal(sig);
        EXPECT_EQ(wexo.wait(), 0);
        EXPECT_EQ(triples(wexo.records()), (std::vector<Triple>{{EV_KEY, BTN_RIGHT, 1},
                                                                {EV_SYN, SYN_REPORT, 0},
                                                                {EV_KEY, BTN_RIGHT, 0},
                                                                {EV_SYN, SYN_REPORT, 0}}));
    }
    {
        // The end of input with a button still down, and half a record.
        WexoProcess wexo({"--stdio"}, config.home());
        std::vector<InputRecord> records{key(BTN_MIDDLE, 1), syn(), key(BTN_LEFT, 1)};
        wexo.feedBytes(reinterpret_cast<const char*>(records.data()), 2 * sizeof(InputRecord) + 10);
        wexo.closeInput();
        EXPECT_EQ(wexo.wait(), 0);
        EXPECT_EQ(triples(wexo.records()), (std::vector<Triple>{{EV_KEY, BTN_MIDDLE, 1},
                                                                {EV_SYN, SYN_REPORT, 0},
                                                                {EV_KEY, BTN_MIDDLE, 0},
                                                                {EV_SYN, SYN_REPORT, 0}}));
        EXPECT_NE(wexo.err.find("ended in the middle of a record"), std::string::npos);
    }
}

TEST(WexoStdioTest, AnUnreadableSettingsFileIsReportedOnceAsAWarning) {
    TempFolder home;
    const auto folder = home.path() / "wexo";
    std::filesystem::create_directories(folder);
    TempFolder::write(folder / "com.wexo.Wexo.plist", "");
    const auto warningsOfTheFile = [](const std::string& err) {
        std::vector<std::string> lines;
        std::istringstream in(err);
        for (std::string line; std::getline(in, line);)
            if (line.find("settings file") != std::string::npos) lines.push_back(line);
        return lines;
    };
    const std::vector<InputRecord> click{key(BTN_LEFT, 1), syn(), key(BTN_LEFT, 0), syn()};

    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        WexoProcess wexo({"--stdio"}, home.path().string());
        wexo.feed(click);
        wexo.closeInput();
        EXPECT_EQ(wexo.wait(), 0) << wexo.err;
        EXPECT_EQ(triples(wexo.records()), triples(click));
        std::vector<std::filesystem::path> aside;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().filename().string().rfind("com.wexo.Wexo.plist.corrupt-", 0) == 0)
                aside.push_back(entry.path());
        ASSERT_EQ(aside.size(), 1u);
        const auto lines = warningsOfTheFile(wexo.err);
        if (run == 1) {
            EXPECT_TRUE(lines.empty()) << wexo.err;
            continue;
        }
        ASSERT_EQ(lines.size(), 1u) << wexo.err;
        EXPECT_NE(lines[0].find(" warning: "), std::string::npos);
        EXPECT_NE(lines[0].find("\"" + aside[0].string() + "\""), std::string::npos);
    }
}

TEST(WexoStdioTest, TheTraceGoesToStandardErrorAsJsonLines) {
    Config config(kScrolling);
    WexoProcess wexo({"--stdio", "--trace", "--screen", "800x600@75"}, config.home());
    wexo.feed({key(BTN_LEFT, 1), syn(), key(BTN_LEFT, 0), syn()});
    wexo.closeInput();
    EXPECT_EQ(wexo.wait(), 0);
    EXPECT_EQ(wexo.out.size() % sizeof(InputRecord), 0u);
    int presses = 0;
    std::istringstream lines(wexo.err);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] != '{') continue;
        const auto j = nlohmann::json::parse(line);
        EXPECT_EQ(j["kind"], "decision");
        if (j["event"]["type"] == "leftMouseDown") {
            // The headless pointer starts at the middle of the 800x600 screen.
            EXPECT_EQ(j["event"]["location"], nlohmann::json({400, 300}));
            EXPECT_EQ(j["verdict"], "pass");
            EXPECT_EQ(j["tap"], "mouse");
            ++presses;
        }
    }
    EXPECT_EQ(presses, 1) << wexo.err;
}

}  // namespace
}  // namespace wexo::platform::lnx
