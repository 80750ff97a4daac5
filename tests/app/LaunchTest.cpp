#include <gtest/gtest.h>

#include <filesystem>

#include "app/AccessibilityViewController.h"
#include "app/AppTestDesktop.h"
#include "platform/FilePreferenceStore.h"
#include "platform/TempFolder.h"
#include "platform/sim/SimProcess.h"

namespace wexo::testing {
namespace {

using platform::TempFolder;
using platform::sim::SimProcess;

std::vector<platform::WindowInfo> programWindows(platform::sim::SimDesktop& desktop) {
    std::vector<platform::WindowInfo> out;
    for (const auto& w : desktop.windowList().onScreenWindows())
        if (w.ownerPid == SimProcess::kPid) out.push_back(w);
    return out;
}

TEST(LaunchTest, FirstLaunchStoresItsKeysJoinsTheLoginItemsAndShowsThePreferences) {
    AppTestDesktop t;
    t.launch();

    EXPECT_TRUE(t.delegate().wasFirstLaunch());
    EXPECT_EQ(t.stored("scrollingEnabled"), plist::Value(true));
    EXPECT_EQ(t.stored("showOnLaunch"), plist::Value(false));
    // The Scroll screen stored the settings the program starts with.
    const auto registry = t.stored("allDisplaysScrollSettings");
    ASSERT_TRUE(registry && registry->asDictionary());
    EXPECT_TRUE(registry->asDictionary()->count("0-0-0"));
    EXPECT_TRUE(registry->asDictionary()->count("1-2-3"));
    EXPECT_EQ(t.desktop.simLoginItems().items(), std::vector<std::string>{SimProcess::kBundlePath});
    EXPECT_EQ(t.windowRecords(), std::vector<std::string>{"Preferences shown"});
    EXPECT_EQ(t.userInterface.lastActivationPolicy(), ui::ActivationPolicy::Regular);

    // Listed by the window server under the program: 760 x 520 centred on the
    // 1920 x 1080 display.
    const auto windows = programWindows(t.desktop);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].bounds, Rect(580, 280, 760, 520));
    EXPECT_EQ(windows[0].ownerName, "Wexo");
    EXPECT_EQ(windows[0].layer, 0);
}

TEST(LaunchTest, ALaterLaunchShowsNothingAndKeepsOneLoginItem) {
    AppTestDesktop t;
    t.launch();
    // The same user defaults, a new process.
    t.root.reset();
    t.desktop.clearRecords();
    t.launch();
    EXPECT_FALSE(t.delegate().wasFirstLaunch());
    EXPECT_TRUE(t.windowRecords().empty());
    EXPECT_TRUE(t.recordsOf<records::LoginItems>().empty());
    EXPECT_FALSE(t.delegate().isPreferencesWindowVisible());
}

TEST(LaunchTest, AnUnreadableSettingsFileIsKeptAsideAndToldOfOnce) {
    TempFolder folder;
    const auto file = folder.path() / "com.wexo.Wexo.plist";
    const std::string cut =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">"
        "<dict><key>scrollingEnabled</key><fal";
    TempFolder::write(file, cut);
    const auto openStore = [&] {
        return std::make_unique<platform::FilePreferenceStore>(
            platform::sim::SimProcess::builtBundleIdentifier(),
            platform::FilePreferenceStore::Options{folder.path(), {}});
    };
    const auto asideFiles = [&] {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            if (entry.path().filename().string().rfind("com.wexo.Wexo.plist.corrupt-", 0) == 0)
                found.push_back(entry.path());
        return found;
    };

    AppTestDesktop t(openStore());
    t.launch();
    const auto aside = asideFiles();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(TempFolder::read(aside[0]), cut);
    const auto alerts = t.recordsOf<records::Alert>();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message,
              "Wexo could not read its settings file and started with the default settings. "
              "The old file is now \"" +
                  aside[0].string() + "\".");
    EXPECT_EQ(alerts[0].buttons, std::vector<std::string>{"Ok"});
    EXPECT_TRUE(t.userInterface.answerAlert("Ok"));
    // The defaults made it a first launch, and its keys went to a new file.
    EXPECT_TRUE(t.delegate().wasFirstLaunch());
    EXPECT_EQ(t.windowRecords(), std::vector<std::string>{"Preferences shown"});
    EXPECT_EQ(openStore()->objectForKey("scrollingEnabled"), plist::Value(true));

    // Launching again, in this run or the next, says nothing and moves nothing.
    t.root.reset();
    t.desktop.clearRecords();
    t.launch();
    EXPECT_TRUE(t.recordsOf<records::Alert>().empty());
    AppTestDesktop next(openStore());
    next.launch();
    EXPECT_TRUE(next.recordsOf<records::Alert>().empty());
    EXPECT_EQ(asideFiles(), aside);
}

TEST(LaunchTest, ShowOnLaunchCountsAsAFirstLaunchOnceAndIsCleared) {
    AppTestDesktop t({{"allDisplaysScrollSettings", plist::Value(plist::Dictionary{})},
                      {"showOnLaunch", plist::Value(true)},
                      {"scrollingEnabled", plist::Value(false)}});
    t.launch();
    EXPECT_TRUE(t.delegate().wasFirstLaunch());
    EXPECT_EQ(t.stored("showOnLaunch"), plist::Value(false));
    EXPECT_EQ(t.stored("scrollingEnabled"), plist::Value(true));
    EXPECT_EQ(t.windowRecords(), std::vector<std::string>{"Preferences shown"});
}

TEST(LaunchTest, WithoutPermissionOnlyThePermissionScreenAndAShortMenu) {
    AppTestDesktop t;
    t.desktop.simAccessibility().setTrusted(false);
    t.launch();

    EXPECT_EQ(t.windowRecords(), std::vector<std::string>{"Permission shown"});
    EXPECT_EQ(t.delegate().mainAppWindowController(), nullptr);
    EXPECT_EQ(t.menu().scrollVC(), nullptr);
    EXPECT_EQ(t.menuTitles(), (std::vector<std::string>{"About", "-", "-", "Check For Updates...",
                                                        "-", "-", "Quit"}));
    EXPECT_EQ(t.menu().disableEnableWheelListener(), nullptr);
    // Nothing of a first launch happens and nothing is stored.
    EXPECT_FALSE(t.delegate().wasFirstLaunch());
    EXPECT_TRUE(t.desktop.preferences().persistentDomain().empty());
    EXPECT_TRUE(t.desktop.simLoginItems().items().empty());
    EXPECT_EQ(t.userInterface.lastActivationPolicy(), ui::ActivationPolicy::Regular);
    // The permission window is grey, borderless and movable by its background.
    ui::Window* window = t.delegate().window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->name(), "Permission");
    EXPECT_EQ(window->backgroundColor(), ui::Color::grey(0.1));
    EXPECT_TRUE(window->isBorderless());
    EXPECT_TRUE(window->isMovableByWindowBackground());
    EXPECT_TRUE(window->canBecomeKeyWindow());
}

TEST(LaunchTest, PermissionGrantedWithinTheMinuteRestartsAtTheNextPoll) {
    AppTestDesktop t;
    t.desktop.simAccessibility().setTrusted(false);
    t.launch();
    t.advance(10.5);
    t.desktop.simAccessibility().setTrusted(true);
    t.advance(1.0);

    // Polls run every second from the launch: the eleventh, at 11 s, sees it.
    const auto relaunches = t.recordsOf<records::Relaunch>();
    ASSERT_EQ(relaunches.size(), 1u);
    EXPECT_EQ(relaunches[0].delay, 0);
    ASSERT_EQ(t.recordsOf<records::Exit>().size(), 1u);
    EXPECT_EQ(t.recordsOf<records::Exit>()[0].status, 0);
    for (const auto& r : t.desktop.records()) {
        if (std::holds_alternative<records::Exit>(r.what)) {
            EXPECT_EQ(r.time, 11'000'000'000);
        }
    }
    EXPECT_EQ(t.loggedErrors(), std::vector<std::string>{"run command: open -n " +
                                                         std::string(SimProcess::kBundlePath)});
}

TEST(LaunchTest, PermissionGrantedLaterRestartsWhenTheApplicationBecomesActive) {
    AppTestDesktop t;
    t.desktop.simAccessibility().setTrusted(false);
    t.launch();
    t.advance(70);
    auto* permission = dynamic_cast<AccessibilityViewController*>(
        t.delegate().accessibilityController()->contentViewController());
    ASSERT_NE(permission, nullptr);
    EXPECT_EQ(permission->counter(), 61);
    EXPECT_FALSE(permission->isPolling());

    t.desktop.simAccessibility().setTrusted(true);
    t.advance(5);
    EXPECT_TRUE(t.recordsOf<records::Relaunch>().empty());
    // The person comes back to the application.
    t.desktop.simWorkspace().setFrontmost(SimProcess::kPid);
    EXPECT_EQ(t.recordsOf<records::Relaunch>().size(), 1u);
    EXPECT_EQ(t.recordsOf<records::Exit>().size(), 1u);
}

TEST(LaunchTest, ThePermissionScreensButtons) {
    AppTestDesktop t;
    t.desktop.simAccessibility().setTrusted(false);
    t.launch();
    auto& permission = *t.delegate().accessibilityController()->contentViewController();
    ui::Button sender;
    t.act([&] { permission.performAction("openPerferencesBtn:", sender); });
    ASSERT_EQ(t.recordsOf<records::OpenUrl>().size(), 1u);
    EXPECT_EQ(t.recordsOf<records::OpenUrl>()[0].url,
              "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility");
    // Closing ends the process at once, without the relaunch.
    t.act([&] { permission.performAction("closeWindow:", sender); });
    ASSERT_EQ(t.recordsOf<records::Exit>().size(), 1u);
    EXPECT_EQ(t.recordsOf<records::Exit>()[0].status, 0);
    EXPECT_TRUE(t.recordsOf<records::Relaunch>().empty());
    // The ended program's windows are gone from the window list.
    EXPECT_TRUE(programWindows(t.desktop).empty());
}

TEST(LaunchTest, WithoutASettingsPageThePermissionScreenShowsWhatIsMissingAndCopiesTheCommand) {
    AppTestDesktop t;
    t.desktop.simAccessibility().setTrusted(false);
    {
        // Without a guide: the settings page's instructions, no command.
        t.launch();
        auto* permission = dynamic_cast<AccessibilityViewController*>(
            t.delegate().accessibilityController()->contentViewController());
        ASSERT_NE(permission, nullptr);
        EXPECT_NE(permission->instructionsLbl.stringValue().find("Accessibility"),
                  std::string::npos);
        EXPECT_TRUE(permission->commandField.isHidden());
        t.root.reset();
    }
    platform::TrustGuide guide;
    guide.missing = {"/dev/uinput: No such file or directory",
                     "/dev/input/event3 (a mouse): Permission denied"};
    guide.explanation = "The rule does it.";
    guide.command = "sudo udevadm trigger";
    guide.afterwards = "Log in again.";
    t.desktop.simAccessibility().setTrustGuide(guide);
    t.launch();
    auto* permission = dynamic_cast<AccessibilityViewController*>(
        t.delegate().accessibilityController()->contentViewController());
    ASSERT_NE(permission, nullptr);
    EXPECT_EQ(permission->instructionsLbl.stringValue(),
              "Wexo cannot open:\n    /dev/uinput: No such file or directory\n"
              "    /dev/input/event3 (a mouse): Permission denied\n\nThe rule does it.");
    EXPECT_EQ(permission->commandField.stringValue(), "sudo udevadm trigger");
    EXPECT_FALSE(permission->commandField.isHidden());
    EXPECT_FALSE(permission->commandField.isEditable());
    EXPECT_EQ(permission->afterwardsLbl.stringValue(), "Log in again.");
    EXPECT_EQ(permission->openPerferencesOutlt.title(), "Copy Command");

    ui::Button sender;
    t.act([&] { permission->performAction("openPerferencesBtn:", sender); });
    EXPECT_EQ(t.userInterface.pasteboard(), "sudo udevadm trigger");
    EXPECT_TRUE(t.recordsOf<records::OpenUrl>().empty());
    // It still polls, and restarts once access comes.
    t.desktop.simAccessibility().setTrusted(true);
    t.advance(1);
    EXPECT_EQ(t.recordsOf<records::Relaunch>().size(), 1u);
}

TEST(LaunchTest, TheMovieRepeatsAfterAPause) {
    AppTestDesktop t;
    t.desktop.simAccessibility().setTrusted(false);
    t.launch();
    auto* permission = dynamic_cast<AccessibilityViewController*>(
        t.delegate().accessibilityController()->contentViewController());
    ui::MovieView& movie = permission->playerView;
    EXPECT_EQ(movie.movieName(), "wexo_access_clip");
    EXPECT_EQ(movie.cornerRadius(), 10);
    EXPECT_TRUE(movie.isPlaying());
    t.act([&] { movie.didPlayToEnd(12); });
    EXPECT_FALSE(movie.isPlaying());
    t.advance(2.9);
    EXPECT_FALSE(movie.isPlaying());
    t.advance(0.1);
    EXPECT_TRUE(movie.isPlaying());
    EXPECT_EQ(movie.position(), 0);
}

TEST(LaunchTest, AHiddenIconStaysHiddenUntilTheApplicationIsOpenedAgain) {
    AppTestDesktop t({{"allDisplaysScrollSettings", plist::Value(plist::Dictionary{})},
                      {"hiddenMenubarIcon", plist::Value(true)}});
    t.launch();
    EXPECT_FALSE(t.menu().statusItem().isVisible());
    EXPECT_EQ(t.userInterface.lastActivationPolicy(), ui::ActivationPolicy::Accessory);
    EXPECT_TRUE(t.windowRecords().empty());

    t.advance(1);
    t.act([&] { t.userInterface.reopen(); });
    EXPECT_TRUE(t.menu().statusItem().isVisible());
    EXPECT_EQ(t.recordsOf<records::StatusItem>().back().visible, true);
    EXPECT_EQ(t.userInterface.lastActivationPolicy(), ui::ActivationPolicy::Regular);
    EXPECT_EQ(t.windowRecords(), std::vector<std::string>{"Preferences shown"});

    // 0.3 s later the window comes in front of a window placed meanwhile.
    t.desktop.simWindowList().addWindow({501, 0, Rect(0, 0, 1920, 1080), std::nullopt});
    t.advance(0.29);
    EXPECT_EQ(t.desktop.windowList().onScreenWindows()[0].ownerPid, 501);
    t.advance(0.01);
    EXPECT_EQ(t.desktop.windowList().onScreenWindows()[0].ownerPid, SimProcess::kPid);

    // Closing it hides the icon again and gives up the Dock icon.
    ui::Button close;
    t.act([&] { t.scroll().performAction("closeWindow:", close); });
    EXPECT_FALSE(t.menu().statusItem().isVisible());
    EXPECT_EQ(t.userInterface.lastActivationPolicy(), ui::ActivationPolicy::Accessory);
    EXPECT_EQ(t.windowRecords().back(), "Preferences closed");
}

TEST(LaunchTest, DisplayChangesRebuildTheRegistry) {
    AppTestDesktop t;
    t.launch();
    EXPECT_EQ(t.keeper().getAllDisplaysArray().size(), 2u);
    t.desktop.simScreens().setScreens(twoScreens());
    // The notification reaches the program on its run loop.
    EXPECT_EQ(t.keeper().getAllDisplaysArray().size(), 2u);
    t.advance(0);
    EXPECT_EQ(t.keeper().getAllDisplaysArray().size(), 3u);
    EXPECT_EQ(t.scroll().screensCounterLbl.stringValue(), "2");
}

TEST(LaunchTest, RelaunchAfterADelayTerminatesNormally) {
    AppTestDesktop t;
    t.launch();
    t.act([&] { t.scroll().relaunchApp(); });
    ASSERT_EQ(t.recordsOf<records::Relaunch>().size(), 1u);
    EXPECT_EQ(t.recordsOf<records::Relaunch>()[0].delay, 1.0);
    EXPECT_EQ(t.recordsOf<records::Terminate>().size(), 1u);
    EXPECT_TRUE(t.recordsOf<records::Exit>().empty());
}

}  // namespace
}  // namespace wexo::testing
