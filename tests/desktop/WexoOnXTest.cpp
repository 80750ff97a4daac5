// Wexo with its front end on an X server of the test's own (Xvfb, openbox,
// trayer), fed mouse records through --stdio --front-end: per-application
// scrolling and panels, the login item, a second start and stopping
// mid-press. The test moves the X pointer where the records would have
// taken it.

#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "linux/LinuxTestSupport.h"
#include "linux/WexoProcess.h"
#include "x11/TestClient.h"
#include "x11/XServer.h"

namespace wexo::platform::lnx {
namespace {

using namespace testing;
using x11::TestClient;
using x11::XServer;

// A stored application's settings name every flag; these animate notches.
#define ANIMATED                                                                     \
    "<key>isAnimatingScroll</key><true/><key>isAnimatingVerticalScroll</key><true/>" \
    "<key>isAnimatingHorizontalScroll</key><true/><key>isContinuous</key><true/>"

const char* const kSettled =
    "<key>scrollingEnabled</key><true/>"
    // Not a first launch: the preferences window stays hidden at start.
    "<key>allDisplaysScrollSettings</key><dict><key>0-0-0</key><dict>"
    "<key>serial</key><string>0-0-0</string><key>listLocation</key><string>0</string>"
    "<key>displayApps</key><dict>"
    "<key>com.global</key><dict><key>bundleId</key><string>com.global</string>"
    "<key>prettyName</key><string>Global</string><key>listLocation</key><string>0</string>"
    "<key>scrollSettings</key><dict>" ANIMATED
    "</dict></dict>"
    // One application scrolls the other way up.
    "<key>org.example.Reversed</key><dict><key>bundleId</key>"
    "<string>org.example.Reversed</string><key>prettyName</key><string>Reversed</string>"
    "<key>listLocation</key><string>1</string><key>scrollSettings</key><dict>"
    "<key>isReverseVertical</key><true/>" ANIMATED
    "</dict></dict>"
    // Another moves the page in one step.
    "<key>org.example.Stepping</key><dict><key>bundleId</key>"
    "<string>org.example.Stepping</string><key>prettyName</key><string>Stepping</string>"
    "<key>listLocation</key><string>2</string><key>scrollSettings</key><dict>"
    "<key>isAnimatingScroll</key><false/></dict></dict>"
    "</dict></dict></dict>";

// One X server with a window manager and a tray host, and Wexo on it.
class WexoOnX : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!server.ready()) GTEST_SKIP() << "no Xvfb and openbox (scripts/setup installs them)";
        // Windows of other programs come and go while the test looks at
        // them; such a miss is no failure of the test.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        tray = server.spawn({"trayer", "--edge", "top", "--align", "right", "--widthtype",
                             "request", "--height", "24", "--SetDockType", "false"},
                            {});
        client = std::make_unique<TestClient>(server.display());
        std::filesystem::create_directories(data.path() / "applications");
    }

    void start(const std::string& entries,
               std::vector<std::string> args = {"--stdio", "--front-end"}) {
        config = std::make_unique<Config>(entries);
        wexo = std::make_unique<WexoProcess>(args, config->home(), environment());
    }
    // Wexo's environment: this display, and XDG folders of the test's own.
    std::vector<std::string> environment() const {
        return {"DISPLAY=" + server.display(),           "QT_QPA_PLATFORM=xcb",
                "XDG_DATA_HOME=" + data.path().string(), "XDG_DATA_DIRS=" + data.path().string(),
                "XDG_CONFIG_DIRS=/nonexistent",          "XDG_RUNTIME_DIR=" + data.path().string()};
    }

    // Every window of a process, the whole tree down.
    std::vector<::Window> windowsOf(pid_t pid) {
        std::vector<::Window> found;
        std::vector<::Window> todo{client->root()};
        while (!todo.empty()) {
            const ::Window w = todo.back();
            todo.pop_back();
            const auto owner = client->cardinals(w, "_NET_WM_PID");
            if (!owner.empty() && owner[0] == pid) found.push_back(w);
            ::Window r = 0, parent = 0, *children = nullptr;
            unsigned n = 0;
            if (XQueryTree(client->display(), w, &r, &parent, &children, &n) && children) {
                todo.insert(todo.end(), children, children + n);
                XFree(children);
            }
        }
        return found;
    }
    std::string nameOf(::Window w) {
        char* name = nullptr;
        std::string text;
        if (XFetchName(client->display(), w, &name) && name) text = name;
        if (name) XFree(name);
        return text;
    }
    // Wexo's window of that title, on screen.
    std::optional<::Window> shownWindow(const std::string& title) {
        for (::Window w : windowsOf(wexo->pid()))
            if (nameOf(w) == title && viewable(w)) return w;
        return std::nullopt;
    }
    bool viewable(::Window w) {
        XWindowAttributes a{};
        return XGetWindowAttributes(client->display(), w, &a) && a.map_state == IsViewable;
    }
    // Wexo's status icon: its window that the tray host took in.
    std::optional<::Window> trayIcon() {
        const std::vector<::Window> trayWindows = windowsOf(tray);
        const std::set<::Window> hosts(trayWindows.begin(), trayWindows.end());
        for (::Window w : windowsOf(wexo->pid())) {
            if (!viewable(w)) continue;
            for (::Window up = w;;) {
                ::Window r = 0, parent = 0, *children = nullptr;
                unsigned n = 0;
                if (!XQueryTree(client->display(), up, &r, &parent, &children, &n)) break;
                if (children) XFree(children);
                if (parent == 0 || parent == r) break;
                if (hosts.count(parent)) return w;
                up = parent;
            }
        }
        return std::nullopt;
    }
    bool eventually(const std::function<bool()>& done, int seconds = 20) {
        return TestClient::eventually(
            done, [this] { wexo->pump(0); }, seconds);
    }

    XServer server{XServer::Options{}};
    TempFolder data;
    pid_t tray = 0;
    std::unique_ptr<TestClient> client;
    std::unique_ptr<Config> config;
    std::unique_ptr<WexoProcess> wexo;
};

TEST_F(WexoOnX, EachApplicationsWindowScrollsWithItsOwnSettingsAndPanelsNotchesPass) {
    TestClient::WindowSpec reversed;
    reversed.pid = 4242;
    reversed.instance = "reversed";
    reversed.cls = "Reversed";
    reversed.gtkApplicationId = "org.example.Reversed";
    reversed.x = 50;
    reversed.y = 100;
    reversed.width = reversed.height = 400;
    TestClient::WindowSpec stepping = reversed;
    stepping.pid = 4343;
    stepping.instance = "stepping";
    stepping.cls = "Stepping";
    stepping.gtkApplicationId = "org.example.Stepping";
    stepping.x = 650;
    TestClient::WindowSpec panel;
    panel.pid = 4444;
    panel.instance = panel.cls = "panel";
    panel.x = 0;
    panel.y = 760;
    panel.width = 1280;
    panel.height = 40;
    panel.types = {"_NET_WM_WINDOW_TYPE_DOCK"};
    panel.strut = std::array<long, 12>{0, 0, 0, 40, 0, 0, 0, 0, 0, 0, 0, 1279};
    client->createWindow(reversed);
    client->createWindow(stepping);
    // A second panel: whichever of the two stacks first, each is the Dock
    // under the pointer.
    TestClient::WindowSpec side = panel;
    side.pid = 4545;
    side.instance = side.cls = "side";
    side.y = 0;
    side.width = 40;
    side.height = 760;
    side.strut = std::array<long, 12>{40, 0, 0, 0, 0, 759, 0, 0, 0, 0, 0, 0};
    client->createWindow(panel);
    client->createWindow(side);
    start(kSettled);
    ASSERT_TRUE(eventually([&] { return trayIcon().has_value(); })) << wexo->err;

    const std::vector<InputRecord> notch = {rel(REL_WHEEL, 1), rel(REL_WHEEL_HI_RES, 120), syn()};
    auto notchOver = [&](int x, int y) {
        client->movePointer(x, y);
        const std::size_t before = wexo->records().size();
        wexo->feed(notch);
        // A train ends in frames without output: wait until it has.
        std::size_t seen = 0;
        EXPECT_TRUE(eventually([&] {
            const std::size_t now = wexo->records().size();
            const bool settled = now > before && now == seen;
            seen = now;
            wexo->pump(100);
            return settled;
        }));
        const auto all = wexo->records();
        return std::vector<InputRecord>(all.begin() + static_cast<long>(before), all.end());
    };
    const auto overReversed = notchOver(250, 300);
    const auto overStepping = notchOver(850, 300);
    const auto overPanel = notchOver(640, 780);
    const auto overSide = notchOver(20, 400);
    wexo->closeInput();
    EXPECT_EQ(wexo->wait(), 0) << wexo->err;

    // The eased train of the defaults, the other way up (60 pixels a
    // native notch: 2 units a pixel).
    expectEasedNotch(overReversed, -2, {4, 9, 19});
    // A whole notch's 200 pixels ÷ 2.5 = 80 at once: 160 units. The legacy
    // wheel follows the running total in whole notches: from −376 (−3) to
    // −216 (trunc(−216 ÷ 120) = −1), two notches up.
    EXPECT_EQ(triples(overStepping), (std::vector<Triple>{{EV_REL, REL_WHEEL, 2},
                                                          {EV_REL, REL_WHEEL_HI_RES, 160},
                                                          {EV_SYN, SYN_REPORT, 0}}));
    EXPECT_EQ(triples(overPanel), triples(notch));
    EXPECT_EQ(triples(overSide), triples(notch));
}

TEST_F(WexoOnX, AFirstStartAddsTheLoginItemASecondStartShowsTheFirstsPreferences) {
    start("");
    const std::filesystem::path autostart =
        std::filesystem::path(config->home()) / "autostart" / "wexo.desktop";
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(autostart); })) << wexo->err;
    std::stringstream entry;
    entry << std::ifstream(autostart).rdbuf();
    EXPECT_NE(entry.str().find(std::string("Exec=\"") + WEXO_BINARY + "\""), std::string::npos)
        << entry.str();

    // The first start shows the preferences; minimised, a second start
    // brings them back and ends at once.
    ASSERT_TRUE(eventually([&] { return shownWindow("Wexo Preferences").has_value(); }));
    XIconifyWindow(client->display(), *shownWindow("Wexo Preferences"), 0);
    XSync(client->display(), False);
    ASSERT_TRUE(eventually([&] { return !shownWindow("Wexo Preferences").has_value(); }));
    WexoProcess second({}, config->home(), environment());
    EXPECT_EQ(second.wait(), 0) << second.err;
    EXPECT_TRUE(eventually([&] { return shownWindow("Wexo Preferences").has_value(); }));
    // The first one still runs, and ends at the end of its input.
    wexo->feed({rel(REL_X, 1), syn()});
    ASSERT_TRUE(eventually([&] { return !wexo->records().empty(); })) << wexo->err;
    wexo->closeInput();
    EXPECT_EQ(wexo->wait(), 0) << wexo->err;
}

TEST_F(WexoOnX, AGestureDrawnOverAWindowRunsItsAction) {
    // Upwards with the middle button: Volume Up.
    start(std::string(kSettled) +
              "<key>gestureNumber</key><integer>2</integer>"
              "<key>gesturesAppsArray</key><array><dict>"
              "<key>bundleId</key><string>com.global</string>"
              "<key>prettyName</key><string>Global</string><key>gestures</key><array><dict>"
              "<key>gestureDirections</key><string>1</string><key>prettyName</key>"
              "<string>down</string><key>gestureImagePath</key><string></string>"
              "<key>isActive</key><true/><key>action</key><dict><key>prettyName</key>"
              "<string>Volume Up</string><key>auxKey</key><integer>0</integer>"
              "<key>typeOfAction</key><integer>1</integer></dict></dict></array>"
              "</dict></array>",
          {"--stdio", "--front-end", "--trace"});
    ASSERT_TRUE(eventually([&] { return trayIcon().has_value(); })) << wexo->err;

    // Wexo reads the X pointer for each report and adds the report's own
    // motion, which the server has not seen yet; each report waits for the
    // tap's decision on the one before.
    const auto decisions = [&] {
        std::size_t n = 0;
        for (std::size_t at = 0;
             (at = wexo->err.find("\"kind\":\"decision\"", at)) != std::string::npos; ++at)
            ++n;
        return n;
    };
    auto report = [&](int x, int y, const std::vector<InputRecord>& records) {
        client->movePointer(x, y);
        const std::size_t before = decisions();
        wexo->feed(records);
        ASSERT_TRUE(eventually([&] { return decisions() > before; })) << wexo->err;
    };
    report(300, 360, {key(BTN_MIDDLE, 1), syn()});
    for (int y = 360; y > 200; y -= 40) report(300, y, {rel(REL_Y, -40), syn()});
    report(300, 200, {key(BTN_MIDDLE, 0), syn()});
    wexo->closeInput();
    EXPECT_EQ(wexo->wait(), 0) << wexo->err;

    // The press stays Wexo's (and so does its release: the applications
    // never saw the button down); the drawing moves the pointer; the
    // action's key is pressed and let go on the virtual keyboard.
    std::vector<Triple> expected;
    for (int i = 0; i < 4; ++i) {
        expected.push_back({EV_REL, REL_Y, -40});
        expected.push_back({EV_SYN, SYN_REPORT, 0});
    }
    for (int value : {1, 0}) {
        expected.push_back({EV_KEY, KEY_VOLUMEUP, value});
        expected.push_back({EV_SYN, SYN_REPORT, 0});
    }
    EXPECT_EQ(triples(wexo->records()), expected) << wexo->err;
}

TEST_F(WexoOnX, SigtermMidPressLeavesNothingHeld) {
    start(kSettled);
    ASSERT_TRUE(eventually([&] { return trayIcon().has_value(); })) << wexo->err;
    wexo->feed({key(BTN_LEFT, 1), syn()});
    ASSERT_TRUE(eventually([&] { return !wexo->records().empty(); }));
    wexo->signal(SIGTERM);
    EXPECT_EQ(wexo->wait(), 0);
    EXPECT_EQ(triples(wexo->records()), (std::vector<Triple>{{EV_KEY, BTN_LEFT, 1},
                                                             {EV_SYN, SYN_REPORT, 0},
                                                             {EV_KEY, BTN_LEFT, 0},
                                                             {EV_SYN, SYN_REPORT, 0}}));
}

}  // namespace
}  // namespace wexo::platform::lnx
