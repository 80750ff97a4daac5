#include <gtest/gtest.h>

#include "app/AppTestDesktop.h"
#include "ui/AboutViewController.h"
#include "ui/SettingsViewController.h"
#include "ui/Updater.h"

namespace wexo::testing {
namespace {

using plist::Value;

const plist::Dictionary kNotFirst{{"allDisplaysScrollSettings", Value(plist::Dictionary{})}};

SettingsViewController& settingsOf(AppTestDesktop& t) {
    for (const auto& child : t.scroll().childViewControllers())
        if (child->screenName() == "Settings") return dynamic_cast<SettingsViewController&>(*child);
    throw std::logic_error("no Settings screen");
}

class SettingsScreenTest : public ::testing::Test {
  protected:
    explicit SettingsScreenTest(plist::Dictionary defaults = kNotFirst) : t(std::move(defaults)) {}

    SettingsViewController& settings() { return settingsOf(t); }
    double acceleration() { return *t.desktop.simHidSystem().parameter("HIDMouseAcceleration"); }
    void click(ui::Button& box, int state) {
        t.act([&] {
            box.setState(state);
            box.sendAction();
        });
    }
    void slide(double value, bool released) {
        t.act(
            [&] {
                settings().cursorAccelSliderOutlt.setDoubleValue(value);
                settings().cursorAccelSliderOutlt.sendAction();
            },
            released);
    }
    std::string knob() { return settings().cursorAccelSliderOutlt.knobText(); }

    AppTestDesktop t;
};

TEST_F(SettingsScreenTest, TheEnableBoxHandsTheAccelerationBackToTheSystemAndTakesItAgain) {
    // An acceleration stored by a version without the switch counts as on.
    t.desktop.preferences().setObjectForKey("cursorAccel", Value(2.5));
    t.launch();
    EXPECT_EQ(t.stored("cursorAccelEnabled"), Value(true));
    EXPECT_EQ(acceleration(), 2.5);
    EXPECT_EQ(knob(), "2.500");
    EXPECT_TRUE(settings().cursorEnabledOutlt.isOn());
    EXPECT_EQ(settings().cursorAccelSliderOutlt.toolTipKey(), "settingsAcceleration");

    click(settings().cursorEnabledOutlt, ui::kStateOff);
    EXPECT_EQ(acceleration(), 0.875);
    EXPECT_EQ(t.stored("cursorAccelEnabled"), Value(false));
    EXPECT_FALSE(settings().cursorAccelSliderOutlt.isEnabled());
    click(settings().cursorEnabledOutlt, ui::kStateOn);
    EXPECT_EQ(acceleration(), 2.5);
    EXPECT_TRUE(settings().cursorAccelSliderOutlt.isEnabled());
}

TEST_F(SettingsScreenTest, WithoutAStoredChoiceTheSystemsValueShowsAndStaysUntouched) {
    t.launch();
    EXPECT_FALSE(t.stored("cursorAccelEnabled"));
    EXPECT_FALSE(settings().cursorAccelSliderOutlt.isEnabled());
    EXPECT_EQ(knob(), "0.688");  // the system's 0.6875
    EXPECT_TRUE(t.recordsOf<records::Acceleration>().empty());

    click(settings().cursorEnabledOutlt, ui::kStateOn);
    // The knob follows a drag; the system and the store take its end only.
    slide(3, /*released=*/false);
    EXPECT_EQ(knob(), "3");
    EXPECT_FALSE(t.stored("cursorAccel"));
    EXPECT_EQ(acceleration(), 0.6875);
    slide(3, /*released=*/true);
    EXPECT_EQ(t.stored("cursorAccel"), Value(3.0));
    EXPECT_EQ(acceleration(), 3);
    slide(2.5, /*released=*/true);
    EXPECT_EQ(knob(), "2.500");

    // Typed values within 0 to 3.
    for (const char* text : {"3.5", "0"})
        t.act(
            [&] {
                settings().cursorAccelSliderOutlt.beginEditingKnob();
                settings().cursorAccelSliderOutlt.knobField().setStringValue(text);
                settings().cursorAccelSliderOutlt.knobField().endEditing();
            },
            false);
    EXPECT_EQ(t.recordsOf<records::Acceleration>().back().value, 0);
    EXPECT_EQ(t.recordsOf<records::Acceleration>().size(), 3u);  // 3, 2.5, 0
    EXPECT_EQ(t.stored("cursorAccel"), Value(0.0));
    EXPECT_EQ(knob(), "0");
}

TEST_F(SettingsScreenTest, TheSwitchesFollowTheirSettingsBeforeEachAppearance) {
    t.desktop.preferences().setObjectForKey("hiddenMenubarIcon", Value(true));
    t.launch();
    t.act([&] { t.delegate().showWindow(); });
    EXPECT_TRUE(settings().hideMenubarIconOutlt.isOn());
    EXPECT_FALSE(settings().launchAtLoginOutlt.isOn());

    t.act([&] { settings().launchAtLoginOutlt.performClick(); });
    t.act([&] { settings().checkUpdatesWeeklyOutlt.performClick(); });
    t.act([&] { settings().hideMenubarIconOutlt.performClick(); });
    EXPECT_EQ(t.recordsOf<records::LoginItems>().back().items,
              std::vector<std::string>{"/Applications/Wexo.app"});
    EXPECT_TRUE(ui::Updater::automaticallyChecksForUpdates());
    EXPECT_EQ(t.stored("hiddenMenubarIcon"), Value(false));
    t.act([&] { settings().launchAtLoginOutlt.performClick(); });
    EXPECT_TRUE(t.recordsOf<records::LoginItems>().back().items.empty());
    EXPECT_FALSE(settings().launchAtLoginOutlt.isOn());
}

TEST_F(SettingsScreenTest, ResetRemovesEverythingAndTheNextStartIsAFirstLaunch) {
    t.desktop.preferences().setObjectForKey("cursorAccel", Value(2.0));
    t.desktop.preferences().setObjectForKey("grabButtonNumber", Value(3));
    t.launch();
    t.act([&] { settings().resetSettingsOutlt.performClick(); });
    t.advance(0);
    ASSERT_NE(t.userInterface.currentAlert(), nullptr);
    EXPECT_EQ(t.userInterface.currentAlert()->messageText,
              "All your custom settings will be removed. Are you sure?");
    EXPECT_EQ(t.userInterface.currentAlert()->buttons, (std::vector<std::string>{"Yes", "Cancel"}));
    t.act([&] { t.userInterface.answerAlert("Cancel"); });
    EXPECT_EQ(t.stored("grabButtonNumber"), Value(3));
    EXPECT_TRUE(t.recordsOf<records::Relaunch>().empty());

    t.act([&] { settings().resetSettingsOutlt.performClick(); });
    t.advance(0);
    t.act([&] { t.userInterface.answerAlert("Yes"); });
    EXPECT_TRUE(t.desktop.preferences().persistentDomain().empty());
    EXPECT_EQ(acceleration(), 0.875);
    EXPECT_EQ(t.recordsOf<records::Relaunch>().size(), 1u);
    ASSERT_EQ(t.recordsOf<records::Exit>().size(), 1u);
    EXPECT_EQ(t.recordsOf<records::Exit>()[0].status, 0);

    AppTestDesktop next(t.desktop.preferences().persistentDomain());
    next.launch();
    EXPECT_TRUE(next.delegate().wasFirstLaunch());
    EXPECT_EQ(next.windowRecords(), std::vector<std::string>{"Preferences shown"});
}

TEST_F(SettingsScreenTest, AConflictingUtilityRunningAtLaunchShowsTheWarning) {
    t.launch();
    EXPECT_TRUE(settings().otherDriverWarningView.isHidden());

    AppTestDesktop other(kNotFirst);
    other.desktop.simWorkspace().setApplications(
        {runningApp(501, "com.apple.Safari", "Safari"),
         runningApp(503, "com.pilotmoon.scroll-reverser", "Scroll Reverser")});
    other.launch();
    EXPECT_FALSE(settingsOf(other).otherDriverWarningView.isHidden());
}

TEST_F(SettingsScreenTest, AboutShowsTheVersionAndOpensTheContactLinks) {
    t.launch();
    t.act([&] { t.delegate().showWindow(); });
    t.act([&] { settings().showAboutOutlt.performClick(); });
    auto presented = t.scroll().presentedViewControllers();
    ASSERT_EQ(presented.size(), 1u);
    auto& about = dynamic_cast<AboutViewController&>(*presented[0]);
    const std::string version = t.desktop.process().version();
    EXPECT_EQ(about.nameAndVersionLbl.stringValue(), "Wexo " + version);
    EXPECT_TRUE(about.window()->areZoomAndMiniaturizeButtonsHidden());
    t.act([&] { about.emailOutlt.performClick(); });
    t.act([&] { about.websiteOutlt.performClick(); });
    const auto opened = t.recordsOf<records::OpenUrl>();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].url,
              "mailto:support@wexo.com?subject=Hey%20there%2C%20I%27ve%20been%20using%20Wexo%20" +
                  version + "%20and..");
    EXPECT_EQ(opened[1].url, "https://wexo.com");
}

}  // namespace
}  // namespace wexo::testing
