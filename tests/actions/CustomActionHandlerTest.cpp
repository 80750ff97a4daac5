#include <gtest/gtest.h>

#include "ActionTestDesktop.h"
#include "actions/CustomActionHandler.h"
#include "actions/ExposeQuery.h"

namespace wexo::testing {
namespace {

constexpr std::uint64_t kCommand = 0x100000;
constexpr std::uint64_t kOption = 0x80000;
constexpr std::uint64_t kControl = 0x40000;
constexpr std::uint64_t kShift = 0x20000;

KxShortcut shortcut(std::optional<std::int64_t> key, bool command, bool control, bool shift,
                    bool option) {
    return KxShortcut(key, std::nullopt, command, control, shift, option, false);
}

CustomAction actionOfKind(std::optional<std::int64_t> kind) {
    return CustomAction("A", KxShortcut(8, "C", true, false, false, false, true), std::nullopt, 0,
                        "/Applications/Safari.app", kind);
}

using ShortcutTest = ActionTestDesktop;

// The catalogue entries cover one and two modifiers and the function keys.
TEST_F(ShortcutTest, AllModifiersInOrderPlainKeysWithoutFlagsAndSixteenBitKeyCodes) {
    CustomActionHandler::triggerShortcut(shortcut(4, true, true, true, true));
    const std::uint64_t all = kCommand | kOption | kControl | kShift;  // 0x1E0000
    // No modifiers and a key created without flags: none on the key events.
    CustomActionHandler::triggerShortcut(shortcut(8, false, false, false, false));
    CustomActionHandler::triggerShortcut(shortcut(0x10008, false, false, false, false));
    EXPECT_EQ(keyPosts(), (std::vector<KeyPost>{down(55), down(58), down(59), down(56),
                                                down(4, all), up(55), up(58), up(59), up(56),
                                                up(4, all), down(8), up(8), down(8), up(8)}));
}

TEST_F(ShortcutTest, NoKeyAndDoNothingPostNothing) {
    // An absent key used to read as key code 0, the A key.
    CustomActionHandler::triggerShortcut(shortcut(std::nullopt, false, true, false, false));
    CustomActionHandler::triggerShortcut(shortcut(std::nullopt, false, false, false, false));
    CustomActionHandler::triggerShortcut(shortcut(KxShortcut::kNoKey, true, true, true, true));
    desktop.advanceBySeconds(1);
    EXPECT_TRUE(desktop.records().empty());
}

// ---- Show all windows ----

class ShowAllWindowsTest : public ActionTestDesktop {
  protected:
    // The main screen with a 70-point Dock at the bottom and the menu bar.
    ShowAllWindowsTest() {
        platform::ScreenInfo main = platform::sim::SimScreens::defaultScreen();
        main.visibleFrame = platform::Rect(0, 70, 1920, 985);
        desktop.simScreens().setScreens({main});
    }
    void showAllWindows() {
        CustomActionHandler::triggerShortcut(
            shortcut(KxShortcut::kShowAllWindowsKey, false, false, false, false));
    }
    std::vector<std::int64_t> notificationTimes() const {
        std::vector<std::int64_t> out;
        for (const auto& r : desktop.records()) {
            if (auto* n = std::get_if<records::DockNotification>(&r.what)) {
                EXPECT_EQ(n->notification, "com.apple.expose.front.awake");
                EXPECT_EQ(n->argument, 0);
                out.push_back(r.time);
            }
        }
        return out;
    }
};

struct FixedExposeQuery : ExposeQuery {
    bool open = false;
    bool isExposeOpen() const override { return open; }
};

TEST_F(ShowAllWindowsTest, OverTheDockClicksTheIconThenShowsWindowsTenMillisecondsLater) {
    // Quartz y 1060 is 20 points above the bottom edge, inside the 70-point Dock.
    desktop.simEventStream().setPointer({960, 1060});
    showAllWindows();
    EXPECT_EQ(mousePosts(), (std::vector<MousePost>{{EventType::LeftMouseDown, {960, 1060}, 0, 1},
                                                    {EventType::LeftMouseUp, {960, 1060}, 0, 1}}));
    desktop.advanceBy(9'999'999);
    EXPECT_TRUE(notificationTimes().empty());
    desktop.advanceBy(1);
    EXPECT_EQ(notificationTimes(), std::vector<std::int64_t>{10'000'000});
}

TEST_F(ShowAllWindowsTest, ElsewhereOrWithTheViewOpenOnlyShowsTheWindows) {
    showAllWindows();  // pointer at (300, 200), far above the Dock

    FixedExposeQuery query;
    query.open = true;
    SharedInstallation<ExposeQuery> installed(&query);
    desktop.simEventStream().setPointer({960, 1060});
    showAllWindows();

    desktop.advanceBySeconds(0.01);
    EXPECT_TRUE(delivered().empty());
    EXPECT_EQ(notificationTimes(), (std::vector<std::int64_t>{10'000'000, 10'000'000}));
}

TEST_F(ShowAllWindowsTest, NoDelayedCallOutlivesTheProgram) {
    showAllWindows();
    root.reset();
    desktop.advanceBySeconds(1);
    EXPECT_TRUE(notificationTimes().empty());
}

// ---- The Dock hit test ----

class DockHitTest : public ActionTestDesktop {
  protected:
    void screens(platform::Rect visibleMain) {
        platform::ScreenInfo main = platform::sim::SimScreens::defaultScreen();
        main.visibleFrame = visibleMain;
        desktop.simScreens().setScreens({main});
    }
    // The pointer given in the screen list's coordinates (y up from the main
    // display's bottom edge, which is Quartz y 1080).
    bool onDockAt(double x, double yUp) {
        desktop.simEventStream().setPointer({x, 1080 - yUp});
        return CustomActionHandler::isClickOnDock();
    }
};

TEST_F(DockHitTest, BottomDockReachesItsHeightTimesOnePlusMagnification) {
    screens(platform::Rect(0, 70, 1920, 985));
    EXPECT_TRUE(onDockAt(500, 69));
    EXPECT_FALSE(onDockAt(500, 70));
    desktop.simDock().setMagnificationSize(0.5f);  // 1.5 x 70 = 105
    EXPECT_TRUE(onDockAt(500, 104));
    EXPECT_FALSE(onDockAt(500, 105));
}

TEST_F(DockHitTest, SideDocksMeasureTheWidthTheyTakeFromTheScreen) {
    screens(platform::Rect(80, 0, 1840, 1055));
    desktop.simDock().setOrientation(3);
    EXPECT_TRUE(onDockAt(79, 500));
    EXPECT_FALSE(onDockAt(80, 500));
    desktop.simDock().setMagnificationSize(1.0f);  // 2 x 80
    EXPECT_TRUE(onDockAt(159, 500));

    screens(platform::Rect(0, 0, 1840, 1055));
    desktop.simDock().setOrientation(4);
    desktop.simDock().setMagnificationSize(0.0f);
    EXPECT_TRUE(onDockAt(1841, 500));
    EXPECT_FALSE(onDockAt(1840, 500));
}

TEST_F(DockHitTest, HiddenDockUnknownOrientationAndNoDisplayAnswerNo) {
    screens(platform::Rect(0, 70, 1920, 985));
    desktop.simDock().setAutoHide(true);
    EXPECT_FALSE(onDockAt(500, 10));
    desktop.simDock().setAutoHide(false);
    desktop.simDock().setOrientation(1);
    EXPECT_FALSE(onDockAt(500, 10));
    desktop.simDock().setOrientation(2);
    EXPECT_FALSE(onDockAt(500, -10));  // below every display
    EXPECT_TRUE(loggedLines().empty());
}

TEST_F(DockHitTest, FailedDisplayLookupLogsAndAnswersNo) {
    screens(platform::Rect(0, 70, 1920, 985));
    desktop.simScreens().setDisplayQueriesFail(true);
    EXPECT_FALSE(onDockAt(500, 10));
    EXPECT_EQ(loggedLines(), std::vector<std::string>{"ERROR."});
}

TEST_F(DockHitTest, ScreensAboveAndBelowTheMainOneJudgeTheirOwnBottomEdge) {
    platform::ScreenInfo main = platform::sim::SimScreens::defaultScreen();
    main.visibleFrame = platform::Rect(0, 0, 1920, 1055);
    platform::ScreenInfo below;
    below.screenNumber = 2;
    below.frame = platform::Rect(0, -1080, 1920, 1080);
    below.visibleFrame = platform::Rect(0, -1010, 1920, 1010);  // the Dock is here
    platform::ScreenInfo above;
    above.screenNumber = 3;
    above.frame = platform::Rect(0, 1080, 1920, 1080);
    above.visibleFrame = above.frame;
    desktop.simScreens().setScreens({main, below, above});

    // Below: the Dock band is y -1080 to -1010, found through the pointer's
    // Quartz position (y 2130 for -1050).
    EXPECT_TRUE(onDockAt(500, -1050));
    EXPECT_FALSE(onDockAt(500, -1000));
    desktop.simDock().setMagnificationSize(0.5f);  // band up to -1080 + 105 = -975
    EXPECT_TRUE(onDockAt(500, -1000));
    // Above: no Dock on that screen at any magnification.
    EXPECT_FALSE(onDockAt(500, 1300));
}

// ---- Dispatch ----

using DispatchTest = ActionTestDesktop;

TEST_F(DispatchTest, EachKindRunsWhatItCarries) {
    CustomActionHandler::handleCustomAction(actionOfKind(1));  // auxKey 0: volume up
    CustomActionHandler::handleCustomAction(actionOfKind(2));
    CustomActionHandler::handleCustomAction(actionOfKind(3));
    CustomActionHandler::handleCustomAction(actionOfKind(4));  // auxKey 0: left click

    const auto hid = recordsOf<records::Hid>();
    ASSERT_EQ(hid.size(), 2u);
    EXPECT_EQ(hid[0].keyType, 0u);
    EXPECT_EQ(hid[0].keyDown, true);
    EXPECT_EQ(hid[1].keyDown, false);
    const auto posted = delivered();
    ASSERT_EQ(posted.size(), 6u);
    EXPECT_EQ(keyPosts()[1], down(8, kCommand));
    EXPECT_EQ(posted[4].type(), EventType::LeftMouseDown);
    EXPECT_EQ(posted[5].type(), EventType::LeftMouseUp);
    const auto launched = recordsOf<records::Launch>();
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].path, "/Applications/Safari.app");
}

TEST_F(DispatchTest, UnknownKindsAndMissingPartsDoNothing) {
    for (auto kind : {std::optional<std::int64_t>{0}, std::optional<std::int64_t>{5},
                      std::optional<std::int64_t>{-1}, std::optional<std::int64_t>{}})
        CustomActionHandler::handleCustomAction(actionOfKind(kind));

    CustomAction noPath = actionOfKind(3);
    noPath.path.reset();
    CustomAction emptyPath = actionOfKind(3);
    emptyPath.path = "";
    CustomAction noShortcut = actionOfKind(2);
    noShortcut.shortcut.reset();
    CustomAction noKey = actionOfKind(2);
    noKey.shortcut->key.reset();
    // Without an index a media or mouse action runs nothing, not entry 0.
    CustomAction mediaWithoutIndex = actionOfKind(1);
    mediaWithoutIndex.auxKey.reset();
    CustomAction mouseWithoutIndex = actionOfKind(4);
    mouseWithoutIndex.auxKey.reset();
    for (const auto& a :
         {noPath, emptyPath, noShortcut, noKey, mediaWithoutIndex, mouseWithoutIndex})
        CustomActionHandler::handleCustomAction(a);

    desktop.advanceBySeconds(1);
    EXPECT_TRUE(desktop.records().empty());
}

TEST_F(DispatchTest, IndexesOutsideTheCataloguesDoNothing) {
    for (std::int64_t index : {-1, 11, 1000}) {
        CustomAction media = actionOfKind(1);
        media.auxKey = index;
        CustomActionHandler::handleCustomAction(media);
    }
    for (std::int64_t index : {-1, 9, 1000}) {
        CustomAction mouse = actionOfKind(4);
        mouse.auxKey = index;
        CustomActionHandler::handleCustomAction(mouse);
    }
    desktop.advanceBySeconds(1);
    EXPECT_TRUE(desktop.records().empty());
}

}  // namespace
}  // namespace wexo::testing
