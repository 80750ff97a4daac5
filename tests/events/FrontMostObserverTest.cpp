#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "actions/ExposeQuery.h"
#include "app/CompositionRoot.h"
#include "events/FrontMostObserver.h"
#include "events/ScreenRegistry.h"
#include "platform/MemoryPreferenceStore.h"
#include "platform/sim/SimDesktop.h"
#include "settings/SettingsKeeper.h"

namespace wexo {
namespace {

using platform::Point;
using platform::Rect;
using platform::RunningApplication;
using platform::sim::SimDesktop;
using platform::sim::SimWindow;

RunningApplication app(pid_t pid, std::string bundle, std::string name,
                       std::uint64_t presentation = 0) {
    RunningApplication a;
    a.pid = pid;
    a.bundleIdentifier = std::move(bundle);
    a.localizedName = std::move(name);
    a.presentationOptions = presentation;
    return a;
}

constexpr pid_t kSafari = 501, kMail = 502, kDock = 50, kVlc = 503, kGame = 504, kOwn = 100;

// A desktop whose global domain says whether the menu bar hides itself.
std::unique_ptr<SimDesktop> makeDesktop(bool menuBarHidden = false) {
    auto store = std::make_unique<platform::MemoryPreferenceStore>(
        platform::sim::SimProcess::builtBundleIdentifier(), plist::Dictionary{},
        plist::Dictionary{{"_HIHideMenuBar", plist::Value(menuBarHidden)}});
    auto desktop = std::make_unique<SimDesktop>(std::move(store));
    desktop->simWorkspace().setApplications(
        {app(kSafari, "com.apple.Safari", "Safari"), app(kMail, "com.apple.mail", "Mail"),
         app(kDock, "com.apple.dock", "Dock"), app(kVlc, "org.videolan.vlc", "VLC"),
         app(kGame, "com.example.Game", "Game", platform::PresentationOptions::FullScreen)});
    return desktop;
}

class FrontMostObserverTest : public ::testing::Test {
  protected:
    std::unique_ptr<SimDesktop> desktop = makeDesktop();
    std::optional<CompositionRoot> root{std::in_place, *desktop};

    struct W {
        pid_t pid;
        int layer;
        Rect bounds;
    };
    void windows(const std::vector<W>& frontToBack) {
        std::vector<SimWindow> list;
        for (const auto& w : frontToBack) list.push_back(SimWindow{w.pid, w.layer, w.bounds, {}});
        desktop->simWindowList().setWindows(std::move(list));
    }
    void pointer(double x, double y) { desktop->simEventStream().setPointer(Point{x, y}); }
    pid_t underMouse() {
        auto found = FrontMostObserver::underMouseApp();
        return found ? found->pid : 0;
    }
    Rect currentRect() { return SettingsKeeper::shared().getCurrentWindowRect(); }
    std::vector<Rect> overlapping() { return SettingsKeeper::shared().getOverlappingRectsArray(); }
};

// Records what the status menu is told.
class MenuSpy : public ScreenRegistry {
  public:
    ScrollScreenLink* scrollVC() override { return nullptr; }
    ButtonsScreenLink* buttonsVC() override { return nullptr; }
    GesturesScreenLink* gesturesVC() override { return nullptr; }
    GrabScreenLink* grabVC() override { return nullptr; }
    AutoScreenLink* autoVC() override { return nullptr; }
    FullScreenLink* fullScreenVC() override { return nullptr; }
    void changeActiveAppDisabledStateMenu(const std::optional<RunningApplication>& a) override {
        told.push_back(a ? a->bundleIdentifier : "none");
    }
    std::vector<std::string> told;
};

TEST_F(FrontMostObserverTest, FollowsTheFrontMostApplicationAndTellsTheMenu) {
    root.reset();
    MenuSpy menu;
    SharedInstallation<ScreenRegistry> menuInstallation(&menu);
    desktop->simWorkspace().setFrontmost(kSafari);
    root.emplace(*desktop);
    // The present value arrives when observation starts.
    EXPECT_EQ(FrontMostObserver::frontMostBundle(), "com.apple.Safari");
    desktop->simWorkspace().setFrontmost(kMail);
    EXPECT_EQ(FrontMostObserver::frontMostBundle(), "com.apple.mail");
    EXPECT_EQ(FrontMostObserver::shared().current()->pid, kMail);
    desktop->simWorkspace().setFrontmost(0);
    EXPECT_EQ(FrontMostObserver::frontMostBundle(), "error");
    EXPECT_EQ(menu.told, (std::vector<std::string>{"com.apple.Safari", "com.apple.mail", "none"}));

    FrontMostObserver::shared().stopObserving();
    desktop->simWorkspace().setFrontmost(kSafari);
    EXPECT_EQ(FrontMostObserver::frontMostBundle(), "error");
    EXPECT_EQ(menu.told.size(), 3u);

    root.reset();
    EXPECT_EQ(FrontMostObserver::frontMostBundle(), "error");
}

TEST_F(FrontMostObserverTest, BackWindowWhereTheFrontOneDoesNotCoverIt) {
    const Rect front(0, 0, 400, 300), back(200, 100, 600, 500), elsewhere(1000, 0, 100, 100);
    windows({{kMail, 0, elsewhere}, {kSafari, 0, front}, {kMail, 0, back}});
    pointer(500, 400);  // inside back only
    EXPECT_EQ(underMouse(), kMail);
    EXPECT_EQ(currentRect(), back);
    // The window that does not touch the found one is left out.
    EXPECT_EQ(overlapping(), std::vector<Rect>{front});
    EXPECT_TRUE(FrontMostObserver::isInWindow({kMail, 0, "Mail", back}));
    EXPECT_FALSE(FrontMostObserver::isInWindow({kSafari, 0, "Safari", front}));
    EXPECT_EQ(FrontMostObserver::getRectFromDict({kMail, 0, "Mail", back}), back);

    pointer(100, 100);  // on the front one
    EXPECT_EQ(underMouse(), kSafari);
    EXPECT_EQ(currentRect(), front);
    EXPECT_TRUE(overlapping().empty());
}

TEST_F(FrontMostObserverTest, OnlyNormalAndFloatingLevelsCount) {
    const Rect statusItem(0, 0, 800, 30), panel(0, 0, 300, 300), doc(0, 0, 1000, 800);
    windows({{kMail, 25, statusItem}, {kSafari, 3, panel}, {kMail, 0, doc}});
    pointer(10, 10);  // inside all three
    EXPECT_EQ(underMouse(), kSafari);
    EXPECT_EQ(currentRect(), panel);
    EXPECT_TRUE(overlapping().empty());

    pointer(500, 10);  // status item and document
    EXPECT_EQ(underMouse(), kMail);
    EXPECT_EQ(currentRect(), doc);
    // The panel in front intersects the document; the status item is looked through.
    EXPECT_EQ(overlapping(), std::vector<Rect>{panel});
}

TEST_F(FrontMostObserverTest, TheProgramsOwnWindowsAreLookedThrough) {
    const Rect overlay(0, 0, 1920, 1080), prefs(100, 100, 600, 400), doc(50, 50, 800, 600);
    windows({{kOwn, 3, overlay}, {kOwn, 0, prefs}, {kSafari, 0, doc}});
    pointer(300, 300);
    EXPECT_EQ(underMouse(), kSafari);
    EXPECT_EQ(currentRect(), doc);
    // Own windows that were under the pointer are not counted as in front.
    EXPECT_TRUE(overlapping().empty());
}

TEST_F(FrontMostObserverTest, DockInFrontIsReturnedWithTheOutputsReset) {
    SettingsKeeper::shared().setWindowRects({Rect(1, 2, 3, 4), {Rect(5, 6, 7, 8)}});
    const Rect dock(0, 1000, 1920, 80), doc(0, 0, 1920, 1080);
    windows({{kDock, 20, dock}, {kSafari, 0, doc}});
    pointer(500, 1040);
    EXPECT_EQ(underMouse(), kDock);
    EXPECT_TRUE(currentRect().isZero());
    EXPECT_TRUE(overlapping().empty());
}

TEST_F(FrontMostObserverTest, DockWithAHiddenMenuBarIsAnOrdinaryWindow) {
    root.reset();
    desktop = makeDesktop(/*menuBarHidden=*/true);
    root.emplace(*desktop);
    const Rect dock(0, 1000, 1920, 80), doc(0, 0, 1920, 1080);
    windows({{kDock, 20, dock}, {kSafari, 0, doc}});
    pointer(500, 1040);
    EXPECT_EQ(underMouse(), kSafari);
}

TEST_F(FrontMostObserverTest, FullScreenFrontWindowWinsWhateverItsLevel) {
    const Rect screen(0, 0, 1920, 1080);
    windows({{kGame, 25, screen}, {kSafari, 0, screen}});
    pointer(10, 10);
    EXPECT_EQ(underMouse(), kGame);

    // Hiding the Dock alone is not a full-screen presentation; both hidden is.
    auto hideDock = app(kGame, "com.example.Game", "Game", platform::PresentationOptions::HideDock);
    desktop->simWorkspace().setApplications({hideDock, app(kSafari, "com.apple.Safari", "Safari")});
    EXPECT_EQ(underMouse(), kSafari);
    hideDock.presentationOptions |= platform::PresentationOptions::HideMenuBar;
    desktop->simWorkspace().setApplications({hideDock, app(kSafari, "com.apple.Safari", "Safari")});
    EXPECT_EQ(underMouse(), kGame);
}

TEST_F(FrontMostObserverTest, FrontMostMediaPlayerIsFoundAtAnyLevel) {
    const Rect video(0, 0, 1280, 720), doc(0, 0, 1920, 1080);
    windows({{kSafari, 0, Rect(1500, 0, 100, 100)}, {kVlc, 101, video}, {kSafari, 0, doc}});
    pointer(100, 100);
    EXPECT_EQ(underMouse(), kSafari);  // not front-most: its level hides it
    desktop->simWorkspace().setFrontmost(kVlc);
    EXPECT_EQ(underMouse(), kVlc);
}

TEST_F(FrontMostObserverTest, GoneOwnerOrNoWindowGivesNothing) {
    windows({{777, 0, Rect(0, 0, 500, 500)}, {kSafari, 0, Rect(0, 0, 1920, 1080)}});
    pointer(100, 100);
    EXPECT_EQ(underMouse(), 0);
    pointer(1000, 1000);
    EXPECT_EQ(underMouse(), kSafari);

    SettingsKeeper::shared().setWindowRects({Rect(1, 2, 3, 4), {Rect(5, 6, 7, 8)}});
    windows({});
    EXPECT_EQ(underMouse(), 0);
    EXPECT_TRUE(currentRect().isZero());
    EXPECT_TRUE(overlapping().empty());
}

TEST_F(FrontMostObserverTest, ThreeDockWindowsMeanTheOverviewIsOpen) {
    const Rect r(0, 0, 10, 10);
    windows({{kDock, 20, r}, {kSafari, 0, r}, {kDock, 20, r}});
    EXPECT_FALSE(isExposeOpen());
    windows({{kDock, 20, r}, {kSafari, 0, r}, {kDock, 20, r}, {kDock, 20, r}});
    // Answered through the query the action executor uses.
    EXPECT_TRUE(isExposeOpen());
    root.reset();
    EXPECT_FALSE(isExposeOpen());
}

}  // namespace
}  // namespace wexo
