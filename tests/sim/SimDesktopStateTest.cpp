#include <gtest/gtest.h>

#include <cstring>

#include "SimTestDesktop.h"

namespace wexo::platform::sim::testing {
namespace {

TEST(SimScreensTest, QuartzBoundsComeFromScreenListFrames) {
    SimTestDesktop t;
    // Main 1440 x 900; a second 1920 x 1080 screen to its left whose top is
    // 100 points above the main display's top (screen-list y goes up).
    ScreenInfo main;
    main.screenNumber = 7;
    main.frame = Rect(0, 0, 1440, 900);
    main.visibleFrame = Rect(0, 70, 1440, 808);
    ScreenInfo left;
    left.screenNumber = 9;
    left.frame = Rect(-1920, -80, 1920, 1080);
    left.vendorNumber = 4;
    left.productNames = {{"en_US", "Side"}};
    t.desktop.simScreens().setScreens({main, left});

    Screens& s = t.desktop.screens();
    EXPECT_EQ(s.mainDisplayId(), 7u);
    EXPECT_EQ(s.displayBounds(7), Rect(0, 0, 1440, 900));
    // Top edge at 900 - (-80 + 1080) = -100 in Quartz coordinates.
    EXPECT_EQ(s.displayBounds(9), Rect(-1920, -100, 1920, 1080));
    EXPECT_EQ(s.displayBounds(3), Rect());
    EXPECT_EQ(s.displaysWithPoint(Point{-5, -50}, 4), (std::vector<DisplayId>{9}));
    EXPECT_EQ(s.displaysWithPoint(Point{1440, 10}, 4), (std::vector<DisplayId>{}));
    EXPECT_EQ(s.displayVendorNumber(9), 4u);
    const auto services = s.displayServices();
    ASSERT_TRUE(services && services->size() == 2);
    EXPECT_FALSE((*services)[0].productNames.has_value());
    EXPECT_EQ((*services)[1].productNames->at("en_US"), "Side");
    t.desktop.simScreens().setDisplayQueriesFail(true);
    EXPECT_FALSE(s.displaysWithPoint(Point{0, 0}, 1).has_value());
}

TEST(SimScreensTest, DefaultDesktopIsOneFullHdScreenWithThePointerInItsCentre) {
    SimTestDesktop t;
    const auto screens = t.desktop.screens().screens();
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0].screenNumber, 1u);
    EXPECT_EQ(screens[0].frame, Rect(0, 0, 1920, 1080));
    EXPECT_EQ(screens[0].visibleFrame, screens[0].frame);
    EXPECT_EQ(t.desktop.eventStream().pointerLocation(), (Point{960, 540}));
}

TEST(SimAccessibilityTest, FrontWindowThenMostSpecificElementWithRoleAndParent) {
    SimTestDesktop t;
    auto& ax = t.desktop.simAccessibility();
    ax.setElements({
        {Rect(0, 0, 800, 600), "AXWindow", std::nullopt},     // 0, front window
        {Rect(0, 0, 400, 600), "AXScrollArea", 0},            // 1
        {Rect(10, 10, 100, 100), std::nullopt, 1},            // 2, no role
        {Rect(500, 0, 300, 300), "AXGroup", 0},               // 3
        {Rect(0, 0, 50, 50), "AXButton", std::nullopt},       // 4, behind window 0
        {Rect(1000, 0, 200, 200), "AXWindow", std::nullopt},  // 5, another window
    });
    Accessibility& a = t.desktop.accessibility();
    const AXElement root = a.systemWideElement();
    EXPECT_EQ(a.elementAtPosition(root, Point{20, 20}), SimAccessibility::elementForIndex(2));
    EXPECT_EQ(a.elementAtPosition(root, Point{5, 5}), SimAccessibility::elementForIndex(1));
    EXPECT_EQ(a.elementAtPosition(root, Point{600, 10}), SimAccessibility::elementForIndex(3));
    EXPECT_EQ(a.elementAtPosition(root, Point{1100, 10}), SimAccessibility::elementForIndex(5));
    EXPECT_EQ(a.elementAtPosition(root, Point{900, 10}), std::nullopt);
    EXPECT_EQ(a.elementAtPosition(SimAccessibility::elementForIndex(0), Point{20, 20}),
              std::nullopt);

    const AXElement noRole = SimAccessibility::elementForIndex(2);
    EXPECT_EQ(a.attributeNames(noRole), (std::vector<std::string>{"AXParent"}));
    EXPECT_FALSE(a.attributeValue(noRole, "AXRole").has_value());
    const auto parent = a.attributeValue(noRole, "AXParent");
    ASSERT_TRUE(parent.has_value());
    const AXElement scrollArea = std::get<AXElement>(*parent);
    EXPECT_EQ(std::get<std::string>(*a.attributeValue(scrollArea, "AXRole")), "AXScrollArea");

    ax.setTrusted(false);
    EXPECT_FALSE(a.isProcessTrusted(true));
    EXPECT_EQ(ax.promptCount(), 1);
    EXPECT_EQ(a.elementAtPosition(root, Point{20, 20}), std::nullopt);
}

TEST(SimCursorTest, BackgroundPermissionHotSpotsAndHiding) {
    SimTestDesktop t;
    t.desktop.simWorkspace().setApplications({{501, "com.example.App", "App", "", 0, false}});
    t.desktop.simWorkspace().setFrontmost(501);
    Cursor& c = t.desktop.cursor();
    t.desktop.simCursor().setSystemCursor(CursorShape::PointingHand);
    EXPECT_EQ(c.currentSystemCursorHotSpot(), c.pointingHandHotSpot());

    c.set(CursorShape::ClosedHand);  // another application is in front
    EXPECT_EQ(t.desktop.simCursor().current(), CursorShape::PointingHand);
    c.allowSetInBackground();
    c.set(CursorShape::ClosedHand);
    EXPECT_NE(c.currentSystemCursorHotSpot(), c.pointingHandHotSpot());
    c.hide();
    c.unhide();
    std::vector<std::string> styles;
    for (const auto& r : t.recordsOf<records::CursorChange>()) styles.push_back(r.style);
    EXPECT_EQ(styles, (std::vector<std::string>{"closedHand", "hide", "unhide"}));
}

TEST(SimHidSystemTest, MediaKeyRecordsAccelerationAndUnavailability) {
    SimTestDesktop t;
    HidSystem& hid = t.desktop.hidSystem();
    const auto connection = hid.openConnection();
    ASSERT_TRUE(connection.has_value());
    auto record = [](std::uint32_t data) {
        SystemDefinedRecord r;
        const std::uint16_t subtype = 8;
        std::memcpy(r.bytes.data() + 2, &subtype, 2);
        std::memcpy(r.bytes.data() + 4, &data, 4);
        return r;
    };
    // Play (key type 16): down then up.
    EXPECT_TRUE(hid.postEvent(*connection, 14, Point{}, record((16u << 16) | 0x0A00), 2, 0, 0));
    EXPECT_TRUE(hid.postEvent(*connection, 14, Point{}, record((16u << 16) | 0x0B00), 2, 0, 0));
    EXPECT_FALSE(hid.postEvent(*connection + 1, 14, Point{}, record(0x0A00), 2, 0, 0));
    const auto posted = t.recordsOf<records::Hid>();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].subtype, 8);
    EXPECT_EQ(posted[0].keyType, 16u);
    EXPECT_EQ(posted[0].keyDown, true);
    EXPECT_EQ(posted[1].keyDown, false);

    EXPECT_TRUE(hid.setAcceleration("HIDMouseAcceleration", 1.5));
    EXPECT_EQ(hid.getAcceleration("HIDMouseAcceleration"), 1.5);
    EXPECT_EQ(t.recordsOf<records::Acceleration>().at(0).value, 1.5);
    t.desktop.simHidSystem().setAvailable(false);
    EXPECT_FALSE(hid.openConnection().has_value());
    EXPECT_FALSE(hid.getAcceleration("HIDMouseAcceleration").has_value());
    EXPECT_FALSE(hid.setAcceleration("HIDMouseAcceleration", 2));
    EXPECT_EQ(t.recordsOf<records::Acceleration>().size(), 1u);
}

TEST(SimLoginItemsTest, ChangesAreRecordedWithTheWholeList) {
    SimTestDesktop t;
    t.desktop.simLoginItems().setItems({"/Applications/Other.app"});
    LoginItems& items = t.desktop.loginItems();
    EXPECT_TRUE(items.insertLast("/Applications/Wexo.app"));
    EXPECT_FALSE(items.remove("/Applications/Missing.app"));
    EXPECT_TRUE(items.remove("/Applications/Other.app"));
    const auto changes = t.recordsOf<records::LoginItems>();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].items,
              (std::vector<std::string>{"/Applications/Other.app", "/Applications/Wexo.app"}));
    EXPECT_EQ(changes[1].items, (std::vector<std::string>{"/Applications/Wexo.app"}));
    t.desktop.simLoginItems().setAvailable(false);
    EXPECT_FALSE(items.snapshot().has_value());
    EXPECT_FALSE(items.insertLast("/x.app"));
}

TEST(SimWorkspaceTest, FrontmostObservationWindowsAndRecordedRequests) {
    SimTestDesktop t;
    auto& ws = t.desktop.simWorkspace();
    ws.setApplications({{501, "com.example.A", "Alpha", "/Applications/A.app", 0, false},
                        {502, "com.apple.dock", "Dock", "/System/Dock.app", 0, false}});
    ws.setFrontmost(501);
    std::vector<std::string> seen;
    auto observation = t.desktop.workspace().observeFrontmostApplication(
        [&](const std::optional<RunningApplication>& app) {
            seen.push_back(app ? app->bundleIdentifier : "none");
        });
    ws.setFrontmost(501);  // no change, no notification
    ws.setFrontmost(SimProcess::kPid);
    ws.setFrontmost(0);
    observation.reset();
    ws.setFrontmost(502);
    EXPECT_EQ(seen, (std::vector<std::string>{"com.example.A", SimProcess::builtBundleIdentifier(),
                                              "none"}));
    EXPECT_TRUE(t.desktop.workspace().frontmostApplication()->active);

    int spaceChanges = 0;
    auto space = t.desktop.workspace().observeActiveSpaceDidChange([&] { ++spaceChanges; });
    ws.fireActiveSpaceDidChange();
    EXPECT_EQ(spaceChanges, 1);

    t.desktop.simWindowList().setWindows({{502, 20, Rect(0, 1000, 1920, 80), std::nullopt},
                                          {501, 0, Rect(10, 10, 300, 300), "Renamed"}});
    t.desktop.simWindowList().addWindow({SimProcess::kPid, 0, Rect(0, 0, 50, 50), std::nullopt});
    const auto windows = t.desktop.windowList().onScreenWindows();
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[0].ownerName, "Wexo");
    EXPECT_EQ(windows[1].ownerName, "Dock");
    EXPECT_EQ(windows[1].layer, 20);
    EXPECT_EQ(windows[2].ownerName, "Renamed");

    EXPECT_EQ(t.desktop.workspace().bundleIdentifierAtPath("/Applications/A.app"), "com.example.A");
    EXPECT_TRUE(t.desktop.workspace().launchApplication("/Applications/A.app"));
    EXPECT_TRUE(t.desktop.workspace().openURL("x-apple.systempreferences:x"));
    EXPECT_FALSE(t.desktop.workspace().launchApplication(""));
    t.desktop.dock().sendNotification("com.apple.expose.front.awake", 0);
    EXPECT_EQ(t.recordsOf<records::Launch>().at(0).path, "/Applications/A.app");
    EXPECT_EQ(t.recordsOf<records::OpenUrl>().at(0).url, "x-apple.systempreferences:x");
    EXPECT_EQ(t.recordsOf<records::DockNotification>().at(0).notification,
              "com.apple.expose.front.awake");
}

}  // namespace
}  // namespace wexo::platform::sim::testing
