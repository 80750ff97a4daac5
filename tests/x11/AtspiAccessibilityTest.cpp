#include <gtest/gtest.h>

// First: it tames X's macros for the headers after it.
#include "platform/linux/x11/X11Desktop.h"

#include <chrono>

#include "x11/TestClient.h"
#include "x11/XServer.h"
#include "xdg/XdgTree.h"

namespace wexo::platform::x11 {
namespace {

const xdg::XdgTree& tree = xdg::XdgTree::get();

// A GTK 3 window: a scrolled text view on the left half, a plain label on
// the right half. It writes "ready" to the file it is given once shown.
constexpr const char* kProbe = R"(
import sys, gi
gi.require_version('Gtk', '3.0')
from gi.repository import Gtk, GLib
win = Gtk.Window(title='probe')
win.set_default_size(600, 300)
box = Gtk.Box(orientation=Gtk.Orientation.HORIZONTAL, homogeneous=True)
scrolled = Gtk.ScrolledWindow()
view = Gtk.TextView()
view.get_buffer().set_text('\n'.join(str(i) for i in range(300)))
scrolled.add(view)
box.pack_start(scrolled, True, True, 0)
box.pack_start(Gtk.Label(label='a plain label'), True, True, 0)
win.add(box)
win.connect('destroy', Gtk.main_quit)
win.show_all()
def ready():
    open(sys.argv[1], 'w').write('ready')
    return False
GLib.timeout_add(700, ready)
Gtk.main()
)";

// One session bus, desktop and accessibility connection for the whole
// suite: the accessibility library connects once per process.
class AtspiTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server = new XServer(XServer::Options{});
        if (!server->ready()) return;
        // A session bus of the test's own; the accessibility bus is started
        // on it when the toolkit asks for it.
        int fds[2];
        if (::pipe(fds) != 0) return;
        server->spawn({"dbus-daemon", "--session", "--nofork", "--nopidfile",
                       "--print-address=" + std::to_string(fds[1])},
                      systemDirectories(), fds[1]);
        ::close(fds[1]);
        char c = 0;
        while (::read(fds[0], &c, 1) == 1 && c != '\n') address += c;
        ::close(fds[0]);
        ::setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
        desktop = X11Desktop::open({server->display(), {}}).release();
    }
    static void TearDownTestSuite() {
        delete desktop;
        delete server;
    }
    // The system's data folders (GSettings schemas, themes), whatever XDG
    // folders the test set up for itself.
    static std::vector<std::pair<std::string, std::string>> systemDirectories() {
        return {{"XDG_DATA_DIRS", "/usr/local/share:/usr/share"}, {"XDG_CONFIG_DIRS", "/etc/xdg"}};
    }

    void SetUp() override {
        ASSERT_TRUE(server->ready());
        ASSERT_FALSE(address.empty());
        ASSERT_TRUE(desktop);
    }

    // Starts a probe window and waits until it shows.
    pid_t startProbe(const std::string& name) {
        const auto script = tree.root / "probe.py";
        xdg::XdgTree::write(script, kProbe);
        const auto ready = tree.root / (name + ".ready");
        std::filesystem::remove(ready);
        auto env = systemDirectories();
        env.emplace_back("DBUS_SESSION_BUS_ADDRESS", address);
        const pid_t pid = server->spawn({"python3", script.string(), ready.string()}, env);
        EXPECT_TRUE(TestClient::eventually(
            [&] { return xdg::XdgTree::read(ready) == "ready" && windowOf(pid); },
            [&] { desktop->processEvents(); }));
        return pid;
    }
    std::optional<Rect> windowOf(pid_t pid) {
        for (const auto& w : desktop->windowList().onScreenWindows())
            if (w.ownerPid == pid) return w.bounds;
        return std::nullopt;
    }
    // The roles from the element at a point up through its parents.
    std::vector<std::string> rolesAt(Point p) {
        auto& ax = desktop->accessibility();
        std::vector<std::string> roles;
        auto element = ax.elementAtPosition(ax.systemWideElement(), p);
        for (int depth = 0; element && depth < 30; ++depth) {
            auto role = ax.attributeValue(*element, "AXRole");
            roles.push_back(role ? std::get<std::string>(*role) : "?");
            auto parent = ax.attributeValue(*element, "AXParent");
            if (!parent) break;
            element = std::get<AXElement>(*parent);
        }
        return roles;
    }

    static inline XServer* server = nullptr;
    static inline std::string address;
    static inline X11Desktop* desktop = nullptr;
};

bool has(const std::vector<std::string>& roles, const std::string& role) {
    return std::find(roles.begin(), roles.end(), role) != roles.end();
}

// A point at a fraction of a window's width, half way down.
Point across(const Rect& window, double fraction) {
    return Point{window.origin.x + window.size.width * fraction,
                 window.origin.y + window.size.height / 2};
}

TEST_F(AtspiTest, AScrolledViewIsInsideAScrollAreaAndALabelIsNot) {
    const pid_t probe = startProbe("roles");
    ASSERT_TRUE(windowOf(probe));
    const Point left = across(*windowOf(probe), 0.25);
    const Point right = across(*windowOf(probe), 0.75);

    const auto inView = rolesAt(left);
    ASSERT_FALSE(inView.empty());
    EXPECT_EQ(inView.front(), "AXTextArea") << ::testing::PrintToString(inView);
    EXPECT_TRUE(has(inView, "AXScrollArea")) << ::testing::PrintToString(inView);
    EXPECT_TRUE(has(inView, "AXWindow")) << ::testing::PrintToString(inView);

    const auto onLabel = rolesAt(right);
    ASSERT_FALSE(onLabel.empty());
    EXPECT_EQ(onLabel.front(), "AXStaticText") << ::testing::PrintToString(onLabel);
    EXPECT_FALSE(has(onLabel, "AXScrollArea")) << ::testing::PrintToString(onLabel);

    // Nothing there: no application window under the point.
    auto& ax = desktop->accessibility();
    EXPECT_FALSE(ax.elementAtPosition(ax.systemWideElement(), Point{1270, 790}));
    XServer::stop(probe);
}

TEST_F(AtspiTest, AHungApplicationAnswersNothingInsteadOfHoldingTheMouse) {
    const pid_t probe = startProbe("hung");
    ASSERT_TRUE(windowOf(probe));
    const Point inside = across(*windowOf(probe), 0.25);
    auto& ax = desktop->accessibility();
    ASSERT_TRUE(ax.elementAtPosition(ax.systemWideElement(), inside));

    ::kill(probe, SIGSTOP);
    const auto start = std::chrono::steady_clock::now();
    // Another point, so that no answer is reused.
    const Point elsewhere{inside.x + 5, inside.y + 5};
    EXPECT_FALSE(ax.elementAtPosition(ax.systemWideElement(), elsewhere));
    EXPECT_FALSE(ax.elementAtPosition(ax.systemWideElement(), inside));
    // D-Bus would wait 25 s for a reply on its own.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    ::kill(probe, SIGCONT);
    XServer::stop(probe);
}

}  // namespace
}  // namespace wexo::platform::x11
