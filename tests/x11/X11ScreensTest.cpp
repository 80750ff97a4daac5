#include <gtest/gtest.h>

#include <numeric>

// First: it tames X's macros for the headers after it.
#include "platform/linux/x11/X11Desktop.h"

#include <X11/extensions/Xrandr.h>

#include "platform/LogCapture.h"
#include "platform/Shared.h"
#include "platform/linux/x11/Edid.h"
#include "settings/SingleDisplay.h"
#include "x11/TestClient.h"
#include "x11/X11OnSimPlatform.h"
#include "x11/XServer.h"
#include "xdg/XdgTree.h"

namespace wexo::platform::x11 {
namespace {

const xdg::XdgTree& tree = xdg::XdgTree::get();

// An EDID base block: three PNP letters, product code, serial, and a
// monitor-name descriptor; the checksum makes the block sum to 0 mod 256.
std::vector<std::uint8_t> edid(const char vendor[3], std::uint16_t product, std::uint32_t serial,
                               const std::string& name) {
    std::vector<std::uint8_t> e(128, 0);
    const std::uint8_t header[8] = {0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
    std::copy(header, header + 8, e.begin());
    const unsigned packed = unsigned(vendor[0] - 'A' + 1) << 10 |
                            unsigned(vendor[1] - 'A' + 1) << 5 | unsigned(vendor[2] - 'A' + 1);
    e[8] = packed >> 8;
    e[9] = packed & 0xFF;
    e[10] = product & 0xFF;
    e[11] = product >> 8;
    for (int i = 0; i < 4; ++i) e[12 + i] = (serial >> (8 * i)) & 0xFF;
    e[18] = 1;
    e[19] = 4;
    // The other descriptors are dummies (tag 0x10).
    for (int at : {54, 72, 90, 108}) e[at + 3] = 0x10;
    e[57] = 0xFC;
    std::string text = name.substr(0, 13) + "\n";
    text.resize(13, ' ');
    std::copy(text.begin(), text.end(), e.begin() + 59);
    e[127] = static_cast<std::uint8_t>((256 - std::accumulate(e.begin(), e.end(), 0u) % 256) % 256);
    return e;
}

TEST(Edid, ReadsVendorProductSerialAndName) {
    auto id = parseEdid(edid("DEL", 0xA0B1, 0x01020304, "WEXO TEST"));
    ASSERT_TRUE(id);
    EXPECT_EQ(id->vendor, 0x10ACu);  // D=4, E=5, L=12 in five bits each
    EXPECT_EQ(id->model, 41137u);
    EXPECT_EQ(id->serial, 16909060u);
    EXPECT_EQ(id->name, "WEXO TEST");
}

TEST(Edid, RefusesWhatIsNoBaseBlock) {
    auto good = edid("GSM", 1, 2, "X");
    auto badSum = good;
    badSum[20] ^= 1;
    auto badHeader = good;
    badHeader[0] = 1;
    EXPECT_FALSE(parseEdid(badSum));
    EXPECT_FALSE(parseEdid(badHeader));
    EXPECT_FALSE(parseEdid(std::span(good).first(127)));
    EXPECT_TRUE(parseEdid(good));
}

TEST(RefreshRate, IsTheDotClockOverTheWholeFrame) {
    // 65 MHz over 1344 × 806 clocks.
    EXPECT_NEAR(modeRefreshRate(65'000'000, 1344, 806, 0), 60.0038, 1e-4);
    EXPECT_NEAR(modeRefreshRate(65'000'000, 1344, 806, RR_Interlace), 120.0077, 1e-4);
    EXPECT_NEAR(modeRefreshRate(65'000'000, 1344, 806, RR_DoubleScan), 30.0019, 1e-4);
    EXPECT_EQ(modeRefreshRate(0, 1344, 806, 0), 0);
    EXPECT_EQ(modeRefreshRate(65'000'000, 0, 806, 0), 0);
}

TEST(X11Desktop, WithoutAServerThereIsNoneAndTheLogSaysWhatIsMissing) {
    LogCapture log;
    EXPECT_FALSE(X11Desktop::openOrExplain({":9999", {}}));
    EXPECT_TRUE(log.has({"No X display :9999", "per-application settings",
                         "gestures per application", "smart auto-scroll"}));
}

TEST(X11Screens, XvfbModesWithoutClockFallBackTo60) {
    XServer server({.windowManager = false, .dummyDriver = false, .screen = "1024x768x24"});
    ASSERT_TRUE(server.ready());
    auto desktop = X11Desktop::open({server.display(), {}});
    ASSERT_TRUE(desktop);
    auto screens = desktop->screens().screens();
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0].frame, Rect(0, 0, 1024, 768));
    EXPECT_EQ(screens[0].vendorNumber, 0u) << "Xvfb's output has no EDID";
    EXPECT_EQ(desktop->refreshRate(screens[0].screenNumber), 60);
}

class DummyScreensTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "Xorg with the dummy driver needs root";
        ASSERT_TRUE(server.ready());
        client = std::make_unique<TestClient>(server.display());
        Display* d = client->display();
        XRRScreenResources* res = XRRGetScreenResources(d, client->root());
        for (int i = 0; i < res->noutput; ++i) {
            XRROutputInfo* info = XRRGetOutputInfo(d, res, res->outputs[i]);
            const std::string name(info->name, info->nameLen);
            if (name == "DUMMY0") first = res->outputs[i];
            if (name == "DUMMY1") second = res->outputs[i];
            XRRFreeOutputInfo(info);
        }
        XRRFreeScreenResources(res);
        ASSERT_TRUE(first && second);
        writeEdid(first, edid("DEL", 0xA0B1, 0x01020304, "WEXO LEFT"));
        writeEdid(second, edid("GSM", 0x5B08, 1234, "WEXO RIGHT"));
        desktop = X11Desktop::open({server.display(), {}});
        ASSERT_TRUE(desktop);
    }
    void writeEdid(RROutput output, const std::vector<std::uint8_t>& bytes) {
        XRRChangeOutputProperty(client->display(), output, client->atom("EDID"), XA_INTEGER, 8,
                                PropModeReplace, bytes.data(), static_cast<int>(bytes.size()));
        XSync(client->display(), False);
    }
    int xrandr(std::vector<std::string> args) {
        args.insert(args.begin(), "xrandr");
        const pid_t pid = server.spawn(args, {});
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    bool eventually(const std::function<bool()>& done) {
        return TestClient::eventually(done, [&] { desktop->processEvents(); });
    }

    XServer server{{.windowManager = false, .dummyDriver = true}};
    std::unique_ptr<TestClient> client;
    RROutput first = 0, second = 0;
    std::unique_ptr<X11Desktop> desktop;
};

TEST_F(DummyScreensTest, TwoOutputsGiveTheirIdentitiesFramesAndRates) {
    int changes = 0;
    auto observation = desktop->observeScreenChanges([&] { ++changes; });
    ASSERT_EQ(xrandr({"--output", "DUMMY0", "--mode", "1024x768", "--primary"}), 0);
    ASSERT_EQ(xrandr({"--addmode", "DUMMY1", "800x600"}), 0);
    ASSERT_EQ(xrandr({"--output", "DUMMY1", "--mode", "800x600", "--right-of", "DUMMY0"}), 0);
    ASSERT_TRUE(eventually([&] { return desktop->screens().screens().size() == 2; }));
    EXPECT_GT(changes, 0);

    const auto screens = desktop->screens().screens();
    const ScreenInfo& main = screens[0];
    const ScreenInfo& right = screens[1];
    EXPECT_EQ(main.screenNumber, first);
    EXPECT_EQ(desktop->screens().mainDisplayId(), first);
    EXPECT_EQ(main.frame, Rect(0, 0, 1024, 768));
    // The screen list has y going up from the main display's bottom: the
    // 600-pixel screen level with the top of a 768-pixel one starts 168 up.
    EXPECT_EQ(right.frame, Rect(1024, 168, 800, 600));
    EXPECT_EQ(desktop->screens().displayBounds(second), Rect(1024, 0, 800, 600));
    EXPECT_EQ(main.productNames.at("en_US"), "WEXO LEFT");

    // 65 MHz over 1344 × 806 and 40 MHz over 1056 × 628.
    EXPECT_NEAR(desktop->refreshRate(first), 60.0038, 1e-3);
    EXPECT_NEAR(desktop->refreshRate(second), 60.3159, 1e-3);

    // The keys the stored display settings go by.
    sim::SimDesktop sim;
    X11OnSimPlatform platform(sim, *desktop);
    SharedInstallation<Platform> installed(&platform);
    EXPECT_EQ(SingleDisplay::serialNumberStringForDisplay(first), "4268-41137-16909060");
    EXPECT_EQ(SingleDisplay::serialNumberStringForDisplay(second), "7789-23304-1234");

    // A new primary output is the new main display, and global coordinates
    // now start at its top left.
    ASSERT_EQ(xrandr({"--output", "DUMMY1", "--primary"}), 0);
    ASSERT_TRUE(eventually([&] { return desktop->screens().mainDisplayId() == second; }));
    EXPECT_EQ(desktop->screens().displayBounds(first), Rect(-1024, 0, 1024, 768));
    const auto displays = desktop->screens().displaysWithPoint(Point{-10, 10}, 4);
    ASSERT_TRUE(displays);
    EXPECT_EQ(*displays, std::vector<DisplayId>{static_cast<DisplayId>(first)});
}

}  // namespace
}  // namespace wexo::platform::x11
