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

// A temporary XDG_CONFIG_HOME holding the program's preference file with
// the given entries (XML property-list text).
struct Config {
    TempFolder folder;
    explicit Config(const std::string& entries) {
        std::filesystem::create_directories(folder.path() / "wexo");
        TempFolder::write(folder.path() / "wexo" / "com.wexo.Wexo.plist",
                          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                          "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                          "<plist version=\"1.0\"><dict>" +
                              entries + "</dict></plist>\n");
    }
    std::string home() const { return folder.path().string(); }
};

const char* const kScrolling = "<key>scrollingEnabled</key><true/>";

// Frames of one kind of record: the values of `code` in each frame that
// has any, in order.
std::vector<std::vector<int>> framesOf(const std::vector<InputRecord>& records) {
    std::vector<std::vector<int>> frames(1);
    for (const auto& r : records) {
        if (r.type == EV_SYN) {
            if (!frames.back().empty()) frames.emplace_back();
            continue;
        }
        frames.back().push_back(r.code);
        frames.back().push_back(r.value);
    }
    if (frames.back().empty()) frames.pop_back();
    return frames;
}

// One notch with the defaults (animated, 200 pixels, Cubic Out over
// ceil(42 ÷ 1.4) = 31 frames): frame k posts trunc(200 × (3m² + 3m + 1) ÷
// 29791) pixels with m = 31 − k, from 18 at k = 1 down to 1 at k = 24 (and
// 0 at k = 25, which ends it and writes nothing): 188 pixels in 24 frames.
const std::vector<int> kNotchPixels = {18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7,
                                       6,  6,  5,  4,  4,  3,  3,  2,  2,  1, 1, 1};

void expectEasedNotch(const std::vector<InputRecord>& out, int unitsPerPixel,
                      const std::vector<int>& notchAfterFrame) {
    const auto frames = framesOf(out);
    ASSERT_EQ(frames.size(), kNotchPixels.size());
    int total = 0;
    std::vector<int> crossings;
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const auto& f = frames[k];
        const int units = unitsPerPixel * kNotchPixels[k];
        total += units;
        if (f.size() == 4) {
            // A whole notch crossed: REL_WHEEL +1 before the units.
            EXPECT_EQ(f[0], REL_WHEEL);
            EXPECT_EQ(f[1], 1);
            crossings.push_back(static_cast<int>(k + 1));
        }
        EXPECT_EQ(f[f.size() - 2], REL_WHEEL_HI_RES) << k;
        EXPECT_EQ(f.back(), units) << k;
    }
    EXPECT_EQ(total, unitsPerPixel * 188);
    EXPECT_EQ(crossings, notchAfterFrame);
}

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

TEST(WexoStdioTest, CommandLine) {
    Config config("");
    {
        WexoProcess wexo({"--help"}, config.home());
        EXPECT_EQ(wexo.wait(), 0);
        EXPECT_NE(wexo.out.find("--stdio"), std::string::npos);
        EXPECT_NE(wexo.out.find("--screen WIDTHxHEIGHT@HZ"), std::string::npos);
    }
    {
        WexoProcess wexo({"--version"}, config.home());
        EXPECT_EQ(wexo.wait(), 0);
        EXPECT_EQ(wexo.out.rfind("wexo ", 0), 0u);
    }
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"--stdio", "--screen", "big"}, {"--screen"}, {"--trace=yes"}}) {
        WexoProcess wexo(args, config.home());
        EXPECT_EQ(wexo.wait(), 2) << args[0];
        EXPECT_TRUE(wexo.out.empty());
        EXPECT_NE(wexo.err.find("usage: wexo"), std::string::npos);
    }
}

}  // namespace
}  // namespace wexo::platform::lnx
