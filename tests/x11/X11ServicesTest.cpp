#include <gtest/gtest.h>

// First: it tames X's macros for the headers after it.
#include "platform/linux/x11/X11Desktop.h"

#include <X11/XKBlib.h>
#include <X11/Xcursor/Xcursor.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>

#include <cstring>

#include "platform/linux/x11/XSettings.h"
#include "x11/TestClient.h"
#include "x11/XServer.h"
#include "xdg/XdgTree.h"

namespace wexo::platform::x11 {
namespace {

const xdg::XdgTree& tree = xdg::XdgTree::get();

class X11ServicesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.ready());
        desktop = X11Desktop::open({server.display(), {}});
        ASSERT_TRUE(desktop);
    }
    bool eventually(const std::function<bool()>& done) {
        return TestClient::eventually(done, [&] { desktop->processEvents(); });
    }

    XServer server{{.windowManager = false}};
    TestClient client{server.display()};
    std::unique_ptr<X11Desktop> desktop;
};

// ---- Hot keys ----

constexpr std::uint32_t kMacF13 = 105;
constexpr unsigned kXF13 = 183 + 8;  // KEY_F13 + 8

TEST_F(X11ServicesTest, AHotKeyFiresWhateverLocksAreOn) {
    std::vector<std::pair<HotKeyEvent::Kind, HotKeyId>> heard;
    auto handler = desktop->hotKeys().installHandler([&](const HotKeyEvent& e) {
        heard.emplace_back(e.kind, e.id);
        return kNoErr;
    });
    auto registration = desktop->hotKeys().registerHotKey(kMacF13, 0, HotKeyId{7, 9});
    ASSERT_TRUE(registration);

    // Num Lock and Caps Lock on, as they often are.
    const unsigned numLock = XkbKeysymToModifiers(client.display(), XK_Num_Lock);
    ASSERT_NE(numLock, 0u);
    XkbLockModifiers(client.display(), XkbUseCoreKbd, numLock | LockMask, numLock | LockMask);
    XSync(client.display(), False);
    client.key(kXF13, true);
    // Held keys repeat as presses; a repeat is no second press.
    client.key(kXF13, true);
    client.key(kXF13, false);
    ASSERT_TRUE(eventually([&] { return heard.size() == 2; }));
    EXPECT_EQ(heard[0].first, HotKeyEvent::Kind::Pressed);
    EXPECT_EQ(heard[1].first, HotKeyEvent::Kind::Released);
    EXPECT_EQ(heard[0].second, (HotKeyId{7, 9}));

    // With Shift held it is another combination: not ours.
    const unsigned shift = XKeysymToKeycode(client.display(), XK_Shift_L);
    client.key(shift, true);
    client.key(kXF13, true);
    client.key(kXF13, false);
    client.key(shift, false);
    for (int i = 0; i < 20; ++i) desktop->processEvents();
    EXPECT_EQ(heard.size(), 2u);
}

// Records the X errors of the test's own client and hands every other one
// on to the handler the desktop installed.
struct ClientErrors {
    static inline Display* display = nullptr;
    static inline int last = 0;
    static inline XErrorHandler previous = nullptr;
    explicit ClientErrors(Display* d) {
        display = d;
        previous = XSetErrorHandler([](Display* d, XErrorEvent* e) {
            if (d != display) return previous(d, e);
            last = e->error_code;
            return 0;
        });
    }
    ~ClientErrors() { XSetErrorHandler(previous); }
};

TEST_F(X11ServicesTest, AKeyAnotherProgramHoldsIsNotRegisteredAndOursIsGivenBack) {
    ClientErrors errors(client.display());
    // Another program has F13 with no locks on.
    XGrabKey(client.display(), kXF13, 0, client.root(), False, GrabModeAsync, GrabModeAsync);
    XSync(client.display(), False);
    EXPECT_FALSE(desktop->hotKeys().registerHotKey(kMacF13, 0, HotKeyId{1, 1}));
    XUngrabKey(client.display(), kXF13, 0, client.root());
    XSync(client.display(), False);

    // Ours now, with every lock: the other program cannot take the Caps
    // Lock variant while we hold it, and can once we let go.
    auto mine = desktop->hotKeys().registerHotKey(kMacF13, 0, HotKeyId{1, 1});
    ASSERT_TRUE(mine);
    XGrabKey(client.display(), kXF13, LockMask, client.root(), False, GrabModeAsync, GrabModeAsync);
    XSync(client.display(), False);
    EXPECT_EQ(ClientErrors::last, BadAccess);
    ClientErrors::last = 0;
    mine.reset();
    XGrabKey(client.display(), kXF13, LockMask, client.root(), False, GrabModeAsync, GrabModeAsync);
    XSync(client.display(), False);
    EXPECT_EQ(ClientErrors::last, 0) << "the Caps Lock variant of the grab was left behind";
    EXPECT_FALSE(desktop->hotKeys().registerHotKey(999, 0, HotKeyId{1, 1})) << "a code with no key";
}

// ---- Pointer acceleration ----

TEST(AccelerationMapping, MeetsAtTheMiddleAndRisesEverywhere) {
    EXPECT_EQ(accelSpeedForScale(0), -1);
    EXPECT_EQ(accelSpeedForScale(0.6875), 0);
    EXPECT_EQ(accelSpeedForScale(3), 1);
    // Half way along each piece.
    EXPECT_DOUBLE_EQ(accelSpeedForScale(0.34375), -0.5);
    EXPECT_DOUBLE_EQ(accelSpeedForScale(1.84375), 0.5);
    EXPECT_EQ(accelSpeedForScale(-2), -1);
    EXPECT_EQ(accelSpeedForScale(7), 1);
    EXPECT_EQ(accelSpeedForScale(std::nan("")), 0);
    double previous = -2;
    for (double s = 0; s <= 3; s += 1.0 / 64) {
        const double v = accelSpeedForScale(s);
        EXPECT_GT(v, previous) << s;
        EXPECT_NEAR(scaleForAccelSpeed(v), s, 1e-12);
        previous = v;
    }
    const PointerControl middle = pointerControlForScale(0.6875);
    EXPECT_EQ(middle.numerator, 27);
    EXPECT_EQ(middle.denominator, 16);
    EXPECT_EQ(scaleForPointerControl({27, 16}), 0.6875);
    EXPECT_EQ(scaleForPointerControl({2, 1}), 1);
    EXPECT_EQ(scaleForPointerControl({1, 0}), 0.6875);
}

// The XTEST pointer given the property a libinput device has.
int giveSpeedProperty(TestClient& client, float speed) {
    int count = 0, found = -1;
    XIDeviceInfo* devices = XIQueryDevice(client.display(), XIAllDevices, &count);
    for (int i = 0; i < count; ++i)
        if (devices[i].use == XISlavePointer && std::strstr(devices[i].name, "XTEST"))
            found = devices[i].deviceid;
    XIFreeDeviceInfo(devices);
    unsigned char data[4];
    std::memcpy(data, &speed, 4);
    XIChangeProperty(client.display(), found, client.atom("libinput Accel Speed"),
                     client.atom("FLOAT"), 32, PropModeReplace, data, 1);
    XSync(client.display(), False);
    return found;
}

float speedOf(TestClient& client, int device) {
    Atom type = None;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    XIGetProperty(client.display(), device, client.atom("libinput Accel Speed"), 0, 1, False,
                  AnyPropertyType, &type, &format, &n, &after, &data);
    float v = -99;
    if (data) std::memcpy(&v, data, 4);
    if (data) XFree(data);
    return v;
}

TEST_F(X11ServicesTest, AccelerationGoesToLibinputsSpeedAndBack) {
    const int device = giveSpeedProperty(client, -0.5f);
    ASSERT_GE(device, 0);
    EXPECT_EQ(desktop->pointerAcceleration(), 0.34375);
    ASSERT_TRUE(desktop->setPointerAcceleration(0.6875));
    EXPECT_EQ(speedOf(client, device), 0.0f);
    ASSERT_TRUE(desktop->setPointerAcceleration(3));
    EXPECT_EQ(speedOf(client, device), 1.0f);
    ASSERT_TRUE(desktop->setPointerAcceleration(1.84375));
    EXPECT_EQ(speedOf(client, device), 0.5f);
    EXPECT_EQ(desktop->pointerAcceleration(), 1.84375);
    EXPECT_FALSE(desktop->setPointerAcceleration(std::nan("")));
}

TEST_F(X11ServicesTest, WithoutLibinputTheCorePointerControlTakesIt) {
    ASSERT_TRUE(desktop->setPointerAcceleration(0.6875));
    int numerator = 0, denominator = 0, threshold = 0;
    XGetPointerControl(client.display(), &numerator, &denominator, &threshold);
    EXPECT_EQ(numerator, 27);
    EXPECT_EQ(denominator, 16);
    ASSERT_TRUE(desktop->setPointerAcceleration(1));
    EXPECT_EQ(desktop->pointerAcceleration(), 1);
}

// ---- Cursor ----

Point themeHotSpot(Display* d, const char* name) {
    XcursorImage* image =
        XcursorLibraryLoadImage(name, XcursorGetTheme(d), XcursorGetDefaultSize(d));
    if (!image) return Point{-1, -1};
    Point p{double(image->xhot), double(image->yhot)};
    XcursorImageDestroy(image);
    return p;
}

TEST_F(X11ServicesTest, AShapeReplacesTheNamedCursorsUntilTheArrowIsBack) {
    Display* d = client.display();
    const Point arrow = themeHotSpot(d, "left_ptr");
    const Point grabbing = themeHotSpot(d, "grabbing");
    ASSERT_NE(arrow, grabbing) << "the theme's two cursors must be told apart";
    // A program's window with the arrow loaded by name, as toolkits do.
    TestClient::WindowSpec corner;
    corner.x = 0;
    corner.y = 0;
    const ::Window w = client.createWindow(corner);
    XDefineCursor(d, w, XcursorLibraryLoadCursor(d, "left_ptr"));
    client.movePointer(50, 50);
    ASSERT_TRUE(
        eventually([&] { return desktop->cursor().currentSystemCursorHotSpot() == arrow; }));

    desktop->cursor().set(CursorShape::ClosedHand);
    EXPECT_TRUE(
        eventually([&] { return desktop->cursor().currentSystemCursorHotSpot() == grabbing; }));
    desktop->cursor().set(CursorShape::Arrow);
    EXPECT_TRUE(
        eventually([&] { return desktop->cursor().currentSystemCursorHotSpot() == arrow; }));
    EXPECT_EQ(desktop->cursor().pointingHandHotSpot(), themeHotSpot(d, "pointer"));
}

// ---- XSETTINGS ----

TEST(XSettings, ReadsIntegersAmongOtherKindsInEitherByteOrder) {
    auto build = [](bool big) {
        std::vector<std::uint8_t> b;
        auto u16 = [&](unsigned v) {
            if (big)
                b.insert(b.end(), {std::uint8_t(v >> 8), std::uint8_t(v)});
            else
                b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
        };
        auto u32 = [&](std::uint32_t v) {
            for (int i = 0; i < 4; ++i) {
                const int shift = big ? 8 * (3 - i) : 8 * i;
                b.push_back(std::uint8_t(v >> shift));
            }
        };
        auto name = [&](const std::string& n) {
            u16(unsigned(n.size()));
            b.insert(b.end(), n.begin(), n.end());
            while (b.size() % 4) b.push_back(0);
        };
        b.insert(b.end(), {std::uint8_t(big ? 1 : 0), 0, 0, 0});
        u32(5);                     // serial
        u32(3);                     // settings
        b.insert(b.end(), {1, 0});  // a string
        name("Net/ThemeName");
        u32(0);
        u32(8);
        for (char c : std::string("Adwaita!")) b.push_back(std::uint8_t(c));
        b.insert(b.end(), {0, 0});  // an integer
        name("Net/DoubleClickTime");
        u32(0);
        u32(250);
        b.insert(b.end(), {2, 0});  // a colour, then the distance after it
        name("Gtk/Color");
        u32(0);
        for (int i = 0; i < 8; ++i) b.push_back(0xFF);
        return b;
    };
    for (bool big : {false, true}) {
        const auto bytes = build(big);
        const XSettings s = parseXSettings(bytes);
        EXPECT_EQ(s.integer("Net/DoubleClickTime"), 250) << big;
        EXPECT_EQ(s.integer("Net/ThemeName"), std::nullopt);
        // Cut short in the middle of the last setting: the first ones stay.
        EXPECT_EQ(
            parseXSettings(std::span(bytes).first(bytes.size() - 4)).integer("Net/DoubleClickTime"),
            250);
    }
    EXPECT_TRUE(parseXSettings(std::vector<std::uint8_t>(3, 0)).integers.empty());
}

}  // namespace
}  // namespace wexo::platform::x11
