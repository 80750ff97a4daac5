#include <gtest/gtest.h>

#include "app/AppTestDesktop.h"
#include "events/MouseButtonListener.h"
#include "ui/ButtonAssignViewController.h"
#include "ui/MenuItem.h"

namespace wexo::testing {
namespace {

class KxMenuTest : public ::testing::Test {
  protected:
    KxMenuTest() {
        t.desktop.simScreens().setScreens(twoScreens());
        t.launch();
    }

    // Safari's entry in each display of the registry (null where it has none).
    std::vector<std::shared_ptr<AppWithScrollSettings>> safariEntries() {
        std::vector<std::shared_ptr<AppWithScrollSettings>> out;
        for (const auto& display : t.keeper().getAllDisplaysArray()) {
            auto it = display->apps.find("com.apple.Safari");
            out.push_back(it == display->apps.end() ? nullptr : it->second);
        }
        return out;
    }

    AppTestDesktop t;
};

TEST_F(KxMenuTest, TheMenuInItsOrderWithTheFrontApplicationNamed) {
    EXPECT_EQ(t.menuTitles(),
              (std::vector<std::string>{
                  "About", "-", "-", "Check For Updates...", "-", "Preferences...", "-",
                  "Disable Scroll", "Disable Scroll for Safari", "Disable Buttons", "-", "Quit"}));
    EXPECT_EQ(t.menu().disableEnableWheelListener()->tag(), 50);
    EXPECT_EQ(t.menu().disableEnableButtonsListener()->tag(), 60);
    EXPECT_TRUE(t.menu().statusItem().isVisible());
    ASSERT_TRUE(t.menu().statusItem().image());
    EXPECT_EQ(t.menu().statusItem().image()->name, "menuNoOpacity");
    EXPECT_TRUE(t.menu().statusItem().image()->isTemplate);
    // The built menu and the retitle once the front application was known.
    const auto menus = t.recordsOf<records::Menu>();
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].items[8], "Disable Scroll for ");
    EXPECT_EQ(menus[1].items[8], "Disable Scroll for Safari");

    t.desktop.simWorkspace().setFrontmost(502);
    EXPECT_EQ(t.menu().disableScrollInApp()->title(), "Disable Scroll for Mail");
}

TEST_F(KxMenuTest, TheSwitchItemsFollowTheirListeners) {
    t.act([&] { t.menu().wheelListenerDisabled(); });
    EXPECT_EQ(t.menu().disableEnableWheelListener()->title(), "Enable Scroll");
    EXPECT_EQ(t.menu().disableEnableWheelListener()->tag(), 51);
    t.act([&] { t.menu().buttonsListenerDisabled(); });
    EXPECT_EQ(t.menu().disableEnableButtonsListener()->title(), "Enable Buttons");
    EXPECT_EQ(t.menu().disableEnableButtonsListener()->tag(), 61);
    t.act([&] { t.menu().buttonsListenerEnabled(); });
    EXPECT_EQ(t.menu().disableEnableButtonsListener()->title(), "Disable Buttons");
    EXPECT_EQ(t.menu().disableEnableButtonsListener()->tag(), 60);
    // Every change of a title is a record of the whole menu.
    EXPECT_EQ(t.recordsOf<records::Menu>().back().items[9], "Disable Buttons");
}

TEST_F(KxMenuTest, ThePerApplicationToggleWorksOnEveryDisplay) {
    // Something set on All Screens' Global is what the new entries start from.
    auto& allScreens = *t.keeper().getAllCurrentDisplays().at("0-0-0");
    allScreens.apps.at("com.global")->scrollSettings.scrollSpeed = 900;

    ASSERT_TRUE(t.chooseMenuItem("Disable Scroll for Safari"));
    const auto entries = safariEntries();
    ASSERT_EQ(entries.size(), 3u);
    for (const auto& entry : entries) {
        ASSERT_NE(entry, nullptr);
        EXPECT_TRUE(entry->scrollSettings.isNativeScroll);
        EXPECT_EQ(entry->scrollSettings.scrollSpeed, 900);
        EXPECT_EQ(entry->prettyName, "Safari");
        EXPECT_EQ(entry->appImagePath, "/Applications/Safari.app");
        // After Global ("0") on each display.
        EXPECT_EQ(entry->listLocation, "1");
    }
    EXPECT_EQ(t.menu().disableScrollInApp()->title(), "Enable Scroll for Safari");
    // Stored, and shown in the Scroll screen's list.
    const auto stored = t.stored("allDisplaysScrollSettings");
    ASSERT_TRUE(stored && stored->asDictionary());
    for (const char* serial : {"0-0-0", "1-2-3", "1-2-4"}) {
        const auto& apps =
            *stored->asDictionary()->at(serial).asDictionary()->at("displayApps").asDictionary();
        const auto& settings =
            *apps.at("com.apple.Safari").asDictionary()->at("scrollSettings").asDictionary();
        EXPECT_EQ(settings.at("isNativeScroll"), plist::Value(true)) << serial;
    }
    EXPECT_EQ(t.scroll().selectedDisplayAppsArray().size(), 2u);

    ASSERT_TRUE(t.chooseMenuItem("Enable Scroll for Safari"));
    for (const auto& entry : safariEntries()) EXPECT_FALSE(entry->scrollSettings.isNativeScroll);
    EXPECT_EQ(t.menu().disableScrollInApp()->title(), "Disable Scroll for Safari");
}

TEST_F(KxMenuTest, WithoutAFrontApplicationTheToggleChangesNothing) {
    t.desktop.simWorkspace().setFrontmost(0);
    const auto before = t.stored("allDisplaysScrollSettings");
    ASSERT_TRUE(t.chooseMenuItem("Disable Scroll for Safari"));
    EXPECT_EQ(t.loggedErrors(), std::vector<std::string>{"Can't add nil as app"});
    EXPECT_EQ(t.stored("allDisplaysScrollSettings"), before);
    for (const auto& entry : safariEntries()) EXPECT_EQ(entry, nullptr);
}

TEST_F(KxMenuTest, TheScrollSwitchItemTogglesTheScrollScreen) {
    ASSERT_TRUE(t.chooseMenuItem("Disable Scroll"));
    EXPECT_FALSE(t.scroll().isScrollingEnabled());
    EXPECT_EQ(t.stored("scrollingEnabled"), plist::Value(false));
    EXPECT_EQ(t.menu().disableEnableWheelListener()->tag(), 51);
    EXPECT_TRUE(t.scroll().settingsArea.isHidden());
    EXPECT_FALSE(t.scroll().scrollHelpLbl.isHidden());

    ASSERT_TRUE(t.chooseMenuItem("Enable Scroll"));
    EXPECT_TRUE(t.scroll().isScrollingEnabled());
    EXPECT_EQ(t.stored("scrollingEnabled"), plist::Value(true));
    EXPECT_EQ(t.menu().disableEnableWheelListener()->title(), "Disable Scroll");
    EXPECT_EQ(t.menu().disableEnableWheelListener()->tag(), 50);
}

TEST_F(KxMenuTest, UpdatesPreferencesAndQuit) {
    ASSERT_TRUE(t.chooseMenuItem("Check For Updates..."));
    // The alert comes after the menu's event.
    EXPECT_TRUE(t.recordsOf<records::Alert>().empty());
    t.advance(0);
    ASSERT_EQ(t.recordsOf<records::Alert>().size(), 1u);
    EXPECT_EQ(t.recordsOf<records::Alert>()[0].message,
              "You are running Wexo " + platform::sim::SimProcess::builtVersion() + ".");
    EXPECT_EQ(t.recordsOf<records::Alert>()[0].buttons, std::vector<std::string>{"Ok"});
    EXPECT_TRUE(t.userInterface.answerAlert("Ok"));

    ASSERT_TRUE(t.chooseMenuItem("Preferences..."));
    EXPECT_TRUE(t.delegate().isPreferencesWindowVisible());

    ASSERT_TRUE(t.chooseMenuItem("Quit"));
    EXPECT_EQ(t.recordsOf<records::Terminate>().size(), 1u);
}

TEST_F(KxMenuTest, DisableThenEnableButtonsRestoresButtonHandling) {
    auto* buttons = dynamic_cast<ButtonAssignViewController*>(t.menu().registeredScreen("Buttons"));
    ASSERT_TRUE(buttons);
    EXPECT_EQ(t.menu().buttonsVC(), static_cast<ButtonsScreenLink*>(buttons));
    EXPECT_TRUE(MouseButtonListener::shared().isListening());

    ASSERT_TRUE(t.chooseMenuItem("Disable Buttons"));
    EXPECT_FALSE(MouseButtonListener::shared().isListening());
    EXPECT_EQ(t.stored("buttonsNative")->asBool(), true);
    EXPECT_EQ(t.menu().disableEnableButtonsListener()->title(), "Enable Buttons");
    EXPECT_EQ(t.menu().disableEnableButtonsListener()->tag(), 61);
    EXPECT_EQ(buttons->nativeButtonsOutlt.state(), ui::kStateOn);
    EXPECT_TRUE(buttons->mouseButtonsScrollView.isHidden());
    EXPECT_TRUE(buttons->buttonsTableHeader.isHidden());
    EXPECT_TRUE(buttons->buttonsHelpLbl.isHidden());

    ASSERT_TRUE(t.chooseMenuItem("Enable Buttons"));
    EXPECT_TRUE(MouseButtonListener::shared().isListening());
    EXPECT_EQ(t.stored("buttonsNative")->asBool(), false);
    EXPECT_EQ(t.menu().disableEnableButtonsListener()->title(), "Disable Buttons");
    EXPECT_EQ(t.menu().disableEnableButtonsListener()->tag(), 60);
    EXPECT_EQ(buttons->wexoButtonsOutlt.state(), ui::kStateOn);
    EXPECT_FALSE(buttons->mouseButtonsScrollView.isHidden());
    EXPECT_FALSE(buttons->buttonsHelpLbl.isHidden());
}

TEST_F(KxMenuTest, TheRegistryFindsScreensByName) {
    EXPECT_EQ(t.menu().scrollVC(), static_cast<ScrollScreenLink*>(&t.scroll()));
    EXPECT_EQ(t.menu().registeredScreen("Scroll"), &t.scroll());
    EXPECT_EQ(t.menu().fullScreenVC(),
              dynamic_cast<FullScreenLink*>(
                  t.delegate().fullScreenGestureWindowController()->contentViewController()));
    EXPECT_NE(t.menu().gesturesVC(), nullptr);
    t.menu().unregisterScreen(t.scroll());
    EXPECT_EQ(t.menu().scrollVC(), nullptr);
}

}  // namespace
}  // namespace wexo::testing
