#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Event.h"
#include "platform/linux/x11/X11Desktop.h"
#include "x11/TestClient.h"
#include "x11/XServer.h"
#include "xdg/XdgTree.h"

namespace wexo::platform::x11 {
namespace {

using ::testing::ElementsAre;

const xdg::XdgTree& tree = xdg::XdgTree::get();

class X11WindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.ready());
        OwnProcess own{::getpid(), AppIdentity{"com.wexo.Wexo", "Wexo", {}, "/usr/bin/wexo", 0}};
        desktop = X11Desktop::open({server.display(), own});
        ASSERT_TRUE(desktop);
    }
    void TearDown() override { desktop.reset(); }

    bool eventually(const std::function<bool()>& done) {
        return TestClient::eventually(done, [&] { desktop->processEvents(); });
    }
    std::vector<pid_t> onScreenPids() {
        std::vector<pid_t> pids;
        for (const auto& w : desktop->windowList().onScreenWindows()) pids.push_back(w.ownerPid);
        return pids;
    }
    ::Window window(long pid, int x = 100, int y = 100) {
        TestClient::WindowSpec s;
        s.pid = pid;
        s.x = x;
        s.y = y;
        s.instance = "app" + std::to_string(pid);
        s.cls = "App" + std::to_string(pid);
        const ::Window w = client.createWindow(s);
        EXPECT_TRUE(eventually([&] { return desktop->tracker().find(w) != nullptr; }));
        return w;
    }

    XServer server{XServer::Options{}};
    TestClient client{server.display()};
    std::unique_ptr<X11Desktop> desktop;
};

TEST_F(X11WindowsTest, ListsWindowsFrontToBackAsTheyAreActivated) {
    const ::Window a = window(1001), b = window(1002, 150, 150), c = window(1003, 200, 200);
    client.activate(a);
    ASSERT_TRUE(eventually([&] {
        return onScreenPids() == std::vector<pid_t>{1001, 1003, 1002};
    })) << ::testing::PrintToString(onScreenPids());
    client.activate(b);
    ASSERT_TRUE(eventually([&] {
        return onScreenPids() == std::vector<pid_t>{1002, 1001, 1003};
    })) << ::testing::PrintToString(onScreenPids());

    // Minimised: gone from the list, still a running application.
    XIconifyWindow(client.display(), c, DefaultScreen(client.display()));
    XSync(client.display(), False);
    ASSERT_TRUE(eventually([&] {
        return onScreenPids() == std::vector<pid_t>{1002, 1001};
    })) << ::testing::PrintToString(onScreenPids());
    EXPECT_TRUE(desktop->workspace().runningApplicationWithProcessIdentifier(1003));
}

TEST_F(X11WindowsTest, BoundsIncludeTheWindowManagersFrame) {
    const ::Window w = window(1001, 300, 200);
    const auto frame = client.rootGeometry(client.frameOf(w));
    ASSERT_NE(client.frameOf(w), w) << "openbox frames its windows";
    ASSERT_TRUE(eventually([&] {
        auto list = desktop->windowList().onScreenWindows();
        return list.size() == 1 && list[0].bounds == Rect(frame[0], frame[1], frame[2], frame[3]);
    }));

    // A move reaches the list without the list asking for it.
    XMoveWindow(client.display(), w, 500, 400);
    XSync(client.display(), False);
    ASSERT_TRUE(eventually([&] {
        const auto moved = client.rootGeometry(client.frameOf(w));
        auto list = desktop->windowList().onScreenWindows();
        return moved[0] != frame[0] && list.size() == 1 &&
               list[0].bounds == Rect(moved[0], moved[1], moved[2], moved[3]);
    }));
    EXPECT_EQ(desktop->windowOwnerAt(Point{double(frame[0]) + 10, double(frame[1]) + 10}), 0)
        << "nothing is where the window was";
}

TEST_F(X11WindowsTest, TheFrontMostApplicationIgnoresTheMomentWithoutActiveWindow) {
    const ::Window a = window(1001), b = window(1002, 400, 300);
    std::vector<std::optional<pid_t>> heard;
    auto observation = desktop->workspace().observeFrontmostApplication([&](const auto& app) {
        heard.push_back(app ? std::optional<pid_t>(app->pid) : std::nullopt);
    });
    client.activate(a);
    ASSERT_TRUE(eventually([&] { return !heard.empty() && heard.back() == 1001; }));
    const auto before = heard.size();

    // The window manager clears the property between two activations.
    client.setCardinals(client.root(), "_NET_ACTIVE_WINDOW", XA_WINDOW, {0});
    for (int i = 0; i < 20; ++i) desktop->processEvents();
    EXPECT_EQ(heard.size(), before);
    EXPECT_EQ(desktop->workspace().frontmostApplication()->pid, 1001);
    EXPECT_TRUE(desktop->workspace().frontmostApplication()->active);

    client.activate(b);
    ASSERT_TRUE(eventually([&] { return heard.back() == 1002; }));
    EXPECT_EQ(heard.size(), before + 1);
}

TEST_F(X11WindowsTest, IdentifiesApplicationsInTheRulesOrder) {
    // A real process whose executable one desktop entry starts.
    const pid_t sleeper = server.spawn({(tree.bin / "wexo-sleeper").string(), "60"}, {});
    auto make = [&](long pid, std::string instance, std::string cls, std::string gtk,
                    std::string kde, int x) {
        TestClient::WindowSpec s;
        s.pid = pid;
        s.instance = std::move(instance);
        s.cls = std::move(cls);
        s.gtkApplicationId = std::move(gtk);
        s.kdeDesktopFile = std::move(kde);
        s.x = x;
        return client.createWindow(s);
    };
    // Each window also matches every rule below the one that must win.
    make(2001, "viewer", "ViewerWin", "org.example.Gtk", "org.example.Kde", 0);
    make(2002, "viewer", "ViewerWin", "", "/usr/share/applications/org.example.Kde.desktop", 50);
    make(sleeper, "viewer", "ViewerWin", "", "", 100);
    make(sleeper, "x", "X", "", "", 120);  // a weaker second window of the same process
    make(2004, "thing", "Thing", "", "", 150);
    make(::getpid(), "wexo", "ViewerWin", "org.example.Gtk", "", 200);
    const pid_t lone = server.spawn({(tree.bin / "wexo-sleeper").string(), "61"}, {});
    make(lone, "nomatch", "NoMatch", "", "", 250);

    auto id = [&](pid_t pid) {
        auto app = desktop->workspace().runningApplicationWithProcessIdentifier(pid);
        return app ? app->bundleIdentifier : std::string("(none)");
    };
    ASSERT_TRUE(eventually([&] { return id(lone) != "(none)"; }));
    EXPECT_EQ(id(2001), "org.example.Gtk");
    EXPECT_EQ(id(2002), "org.example.Kde");
    EXPECT_EQ(id(sleeper), "org.example.Viewer");
    EXPECT_EQ(id(lone), "org.example.Sleeper");
    EXPECT_EQ(id(2004), "Thing");
    EXPECT_EQ(id(::getpid()), "com.wexo.Wexo");

    auto viewer = desktop->workspace().runningApplicationWithProcessIdentifier(sleeper);
    EXPECT_EQ(viewer->localizedName, "Viewer");
    EXPECT_EQ(viewer->bundlePath, (tree.dataHome / "applications" / "org.example.Viewer.desktop"));
    EXPECT_EQ(desktop->workspace().bundleIdentifierAtPath(viewer->bundlePath),
              "org.example.Viewer");
}

TEST_F(X11WindowsTest, PanelsStandForTheDockAndAreNoApplicationWindow) {
    TestClient::WindowSpec panel;
    panel.pid = 3001;
    panel.x = 0;
    panel.y = 0;
    panel.width = 40;
    panel.height = 800;
    panel.types = {"_NET_WM_WINDOW_TYPE_DOCK"};
    panel.strut = std::array<long, 12>{40, 0, 0, 0, 0, 799, 0, 0, 0, 0, 0, 0};
    const ::Window p = client.createWindow(panel);
    window(3002, 300, 300);
    ASSERT_TRUE(eventually([&] { return desktop->windowList().onScreenWindows().size() == 2; }));

    const auto dock = desktop->workspace().runningApplicationWithProcessIdentifier(3001);
    ASSERT_TRUE(dock);
    EXPECT_EQ(dock->bundleIdentifier, "com.apple.dock");
    EXPECT_EQ(desktop->dock().orientation(), 3) << "a left panel is a Dock on the left";
    EXPECT_EQ(desktop->windowOwnerAt(Point{10, 400}), 0);
    EXPECT_EQ(desktop->windowOwnerAt(Point{350, 350}), 3002);
    bool panelListed = false;
    for (const auto& w : desktop->windowList().onScreenWindows())
        if (w.ownerPid == 3001) panelListed = w.layer == 20;
    EXPECT_TRUE(panelListed);

    // The visible frame leaves the panel's 40 pixels out.
    ASSERT_TRUE(eventually([&] {
        return desktop->screens().screens().front().visibleFrame == Rect(40, 0, 1240, 800);
    })) << desktop->screens().screens().front().visibleFrame.origin.x;
    EXPECT_EQ(desktop->screens().screens().front().frame, Rect(0, 0, 1280, 800));

    desktop->dock().sendNotification("com.apple.showdesktop.awake", 0);
    EXPECT_TRUE(TestClient::eventually([&] {
        auto showing = client.cardinals(client.root(), "_NET_SHOWING_DESKTOP");
        return !showing.empty() && showing[0] == 1;
    }));
    (void)p;
}

TEST_F(X11WindowsTest, ThePanelUnderThePointerLeadsTheListAsTheDock) {
    TestClient::WindowSpec left;
    left.pid = 3101;
    left.x = 0;
    left.y = 0;
    left.width = 40;
    left.height = 800;
    left.types = {"_NET_WM_WINDOW_TYPE_DOCK"};
    TestClient::WindowSpec bottom = left;
    bottom.pid = 3102;
    bottom.x = 40;
    bottom.y = 770;
    bottom.width = 1240;
    bottom.height = 30;
    client.createWindow(left);
    client.createWindow(bottom);
    window(3103, 300, 300);
    ASSERT_TRUE(eventually([&] { return desktop->windowList().onScreenWindows().size() == 3; }));
    // Whichever panel the stacking order puts first, the other one is the
    // Dock while the pointer is over it.
    for (const auto& [x, y, pid] : {std::tuple{20, 400, 3101}, std::tuple{600, 785, 3102}}) {
        client.movePointer(x, y);
        desktop->queryPointer();
        EXPECT_EQ(onScreenPids().front(), pid) << x << "," << y;
    }
    // Over an application window the list is the stacking order itself.
    client.movePointer(350, 350);
    desktop->queryPointer();
    const auto pids = onScreenPids();
    ASSERT_EQ(pids.size(), 3u);
    EXPECT_EQ(pids.back(), 3103) << "a normal window stacks below panels";
}

TEST_F(X11WindowsTest, DesktopCommandsSwitchDesktopsAndMinimiseThroughTheWindowManager) {
    // openbox's own configuration has four desktops; the first is current.
    ASSERT_TRUE(TestClient::eventually([&] {
        return client.cardinals(client.root(), "_NET_NUMBER_OF_DESKTOPS") == std::vector<long>{4};
    }));
    auto current = [&] { return client.cardinals(client.root(), "_NET_CURRENT_DESKTOP"); };
    EXPECT_FALSE(desktop->dock().perform(DesktopCommand::PreviousDesktop)) << "no wrapping";
    EXPECT_TRUE(desktop->dock().perform(DesktopCommand::NextDesktop));
    EXPECT_TRUE(TestClient::eventually([&] { return current() == std::vector<long>{1}; }));
    EXPECT_TRUE(desktop->dock().perform(DesktopCommand::PreviousDesktop));
    EXPECT_TRUE(TestClient::eventually([&] { return current() == std::vector<long>{0}; }));

    // ICCCM: WM_STATE's first value is 3 for an iconic window, 1 for a normal one.
    auto state = [&](::Window w) {
        const auto s = client.cardinals(w, "WM_STATE");
        return s.empty() ? 0L : s[0];
    };
    const ::Window a1 = window(5001, 100, 100), a2 = window(5001, 150, 150),
                   b = window(5002, 300, 300), c = window(5003, 400, 400);
    // The commands read the active window from the server, which the
    // window manager may set a moment after restacking.
    auto activated = [&](::Window w) {
        client.activate(w);
        return eventually([&] {
            return client.cardinals(client.root(), "_NET_ACTIVE_WINDOW") ==
                   std::vector<long>{static_cast<long>(w)};
        });
    };
    ASSERT_TRUE(activated(b));
    ASSERT_TRUE(eventually([&] { return onScreenPids().front() == 5002; }));
    EXPECT_TRUE(desktop->dock().perform(DesktopCommand::MinimizeWindow));
    EXPECT_TRUE(TestClient::eventually([&] { return state(b) == 3; }));
    EXPECT_EQ(state(a1), 1);
    EXPECT_EQ(state(c), 1);

    // Hiding the others leaves every window of the active application.
    ASSERT_TRUE(activated(a2));
    ASSERT_TRUE(eventually([&] { return onScreenPids().front() == 5001; }));
    EXPECT_TRUE(desktop->dock().perform(DesktopCommand::HideOtherApplications));
    EXPECT_TRUE(TestClient::eventually([&] { return state(c) == 3; }));
    EXPECT_EQ(state(a1), 1);
    EXPECT_EQ(state(a2), 1);
    EXPECT_TRUE(desktop->dock().perform(DesktopCommand::HideApplication));
    EXPECT_TRUE(TestClient::eventually([&] { return state(a1) == 3 && state(a2) == 3; }));
}

TEST_F(X11WindowsTest, PointerPositionModifiersAndWarp) {
    client.movePointer(640, 400);
    const unsigned shift = XKeysymToKeycode(client.display(), XK_Shift_L);
    client.key(shift, true);
    auto state = desktop->queryPointer();
    client.key(shift, false);
    EXPECT_EQ(state.location, Point(640, 400));
    EXPECT_EQ(state.modifierFlags, EventFlags::Shift);

    desktop->warpPointer(Point{12, 34});
    EXPECT_EQ(desktop->queryPointer().location, Point(12, 34));
    EXPECT_EQ(desktop->queryPointer().modifierFlags, 0u);
}

}  // namespace
}  // namespace wexo::platform::x11
