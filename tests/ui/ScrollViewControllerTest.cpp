#include <gtest/gtest.h>

#include "app/AppTestDesktop.h"
#include "easing/EasingCurveHelper.h"
#include "events/MouseButtonListener.h"
#include "scroll/ScrollAnimation.h"
#include "settings/DisplaysManager.h"
#include "ui/FullScreenScreenLink.h"
#include "ui/TextField.h"

namespace wexo::testing {
namespace {

std::shared_ptr<AppWithScrollSettings> entry(const std::string& name, const std::string& bundle,
                                             const std::string& location) {
    return std::make_shared<AppWithScrollSettings>(name, bundle, "/Applications/" + name + ".app",
                                                   location, std::nullopt);
}

// Two displays; All Screens lists Safari (1) and Mail (2), the left display
// Safari (1), the right one Mail (1), Chrome (2) and Safari (3).
class ScrollViewControllerTest : public ::testing::Test {
  protected:
    ScrollViewControllerTest() {
        t.desktop.simScreens().setScreens(twoScreens());
        t.launch();
        auto& displays = t.keeper().getAllCurrentDisplays();
        all().apps["com.apple.Safari"] = entry("Safari", "com.apple.Safari", "1");
        all().apps["com.apple.mail"] = entry("Mail", "com.apple.mail", "2");
        displays.at("1-2-3")->apps["com.apple.Safari"] = entry("Safari", "com.apple.Safari", "1");
        auto& right = *displays.at("1-2-4");
        right.apps["com.apple.mail"] = entry("Mail", "com.apple.mail", "1");
        right.apps["com.google.Chrome"] = entry("Chrome", "com.google.Chrome", "2");
        right.apps["com.apple.Safari"] = entry("Safari", "com.apple.Safari", "3");
        t.act([&] {
            s().setArrayForApps();
            s().reloadAppList();
        });
    }

    ScrollViewController& s() { return t.scroll(); }
    SingleDisplay& all() { return *t.keeper().getAllCurrentDisplays().at("0-0-0"); }
    SingleDisplay& left() { return *t.keeper().getAllCurrentDisplays().at("1-2-3"); }
    SingleDisplay& right() { return *t.keeper().getAllCurrentDisplays().at("1-2-4"); }

    void selectRow(std::ptrdiff_t row) {
        t.act([&] { s().appNameTableView.selectRow(row); });
    }
    void chooseDisplay(std::size_t index) {
        t.act([&] { s().screensPopUpOutlt.chooseItemAtIndex(index); });
    }
    void click(ui::Button& button, int state) {
        t.act([&] {
            button.setState(state);
            button.sendAction();
        });
    }
    void typeIntoKnob(ui::KxSlider& slider, const std::string& text) {
        t.act(
            [&] {
                slider.beginEditingKnob();
                slider.knobField().setStringValue(text);
                slider.knobField().endEditing();
            },
            false);
    }
    ui::TableCellView& cell(std::size_t row) { return *s().appNameTableView.viewAt(row); }

    AppTestDesktop t;
};

TEST_F(ScrollViewControllerTest, LoadsOnAllScreensWithItsGlobalEntry) {
    EXPECT_TRUE(s().selectedDisplay()->isAllScreens());
    EXPECT_EQ(s().displayNameField.stringValue(), "All Screens");
    EXPECT_EQ(s().screensCounterLbl.stringValue(), "2");
    EXPECT_EQ(s().lastSelectedApp()->bundleId, "com.global");
    EXPECT_EQ(s().appNameTableView.selectedRow(), 0);
    EXPECT_EQ(s().lastPressedTopBarButton(), 0u);
    EXPECT_TRUE(s().isTabOn(PreferencesTab::Scroll));
    EXPECT_FALSE(s().settingsArea.isHidden());
    EXPECT_TRUE(s().scrollHelpLbl.isHidden());
    // The list by position: Global, Safari, Mail.
    ASSERT_EQ(s().selectedDisplayAppsArray().size(), 3u);
    EXPECT_EQ(s().selectedDisplayAppsArray()[1]->prettyName, "Safari");
    EXPECT_EQ(s().selectedDisplayAppsArray()[2]->prettyName, "Mail");
    // Row 0 is Global's, without a delete button; the others have one.
    EXPECT_EQ(cell(0).imageView().image(), ui::Image::named("global_b"));
    EXPECT_EQ(cell(0).deleteButton(), nullptr);
    EXPECT_EQ(cell(1).imageView().image(), ui::Image::iconForFile("/Applications/Safari.app"));
    EXPECT_NE(cell(1).deleteButton(), nullptr);
    EXPECT_EQ(cell(0).textField().textColor(), ui::Color::dirtyWhite());
    EXPECT_EQ(cell(1).textField().textColor(), ui::Color::disabledGray());
    // The display menu: All Screens first, then the displays, each in a
    // custom item view.
    ASSERT_EQ(s().screensPopUpOutlt.menu().numberOfItems(), 3u);
    EXPECT_EQ(s().screensPopUpOutlt.menu().itemAtIndex(2)->title(), "2. Right");
    EXPECT_NE(s().screensPopUpOutlt.menu().itemAtIndex(2)->view(), nullptr);
    EXPECT_TRUE(s().screensPopUpOutlt.menu().isDark());
    // The knobs show their values in their formats.
    EXPECT_EQ(s().settings.speedOutlt.knobText(), "700");
    EXPECT_EQ(s().settings.linesSliderOutlt.knobText(), "2.00");
    EXPECT_EQ(s().settings.continDeltaLbl.stringValue(), "0.500000");
}

TEST_F(ScrollViewControllerTest, AllScreensEditsReachEveryDisplayAtItsOwnPlace) {
    selectRow(1);  // Safari
    click(s().settings.reverseMouseOutlt, ui::kStateOn);

    for (SingleDisplay* d : {&all(), &left(), &right()})
        EXPECT_TRUE(d->apps.at("com.apple.Safari")->scrollSettings.isReverseVertical);
    EXPECT_EQ(left().apps.at("com.apple.Safari")->listLocation, "1");
    EXPECT_EQ(right().apps.at("com.apple.Safari")->listLocation, "3");
    EXPECT_TRUE(
        right()
            .apps.at("com.apple.Safari")
            ->scrollSettings.sameSettingsAs(all().apps.at("com.apple.Safari")->scrollSettings));

    // Mail, which the left display lacks, goes there after its last entry.
    selectRow(2);
    click(s().settings.multiLinesOutlt, ui::kStateOff);
    EXPECT_EQ(left().apps.at("com.apple.mail")->listLocation, "2");
    EXPECT_EQ(right().apps.at("com.apple.mail")->listLocation, "1");
    EXPECT_FALSE(left().apps.at("com.apple.mail")->scrollSettings.isMultiplyLines);
    EXPECT_FALSE(s().settings.multiplySliderOutlt.isEnabled());

    // Written through to the stored registry.
    const auto stored = t.stored("allDisplaysScrollSettings");
    const auto& rightApps =
        *stored->asDictionary()->at("1-2-4").asDictionary()->at("displayApps").asDictionary();
    EXPECT_EQ(rightApps.at("com.apple.Safari").asDictionary()->at("listLocation"),
              plist::Value("3"));
}

TEST_F(ScrollViewControllerTest, DifferentSettingsOnTheDisplaysShowAWarningForFiveSeconds) {
    right().apps.at("com.apple.Safari")->scrollSettings.isReverseVertical = true;
    t.advance(1);
    selectRow(1);
    ui::View& warning = s().differentSettingsWarning;
    EXPECT_FALSE(warning.isHidden());
    EXPECT_EQ(warning.alphaValue(), 1);
    t.advance(4.99);
    EXPECT_EQ(warning.alphaValue(), 1);
    t.advance(0.01);
    // Fading out over 0.4 s.
    EXPECT_EQ(warning.alphaValue(), 0);
    EXPECT_EQ(warning.alphaAnimationDuration(), 0.4);
    EXPECT_FALSE(warning.isHidden());
    t.advance(0.4);
    EXPECT_TRUE(warning.isHidden());

    // An entry with the same settings everywhere shows none.
    selectRow(0);
    EXPECT_TRUE(warning.isHidden());
    // Nor does a single display.
    chooseDisplay(2);
    t.act([&] { s().appNameTableView.selectRow(3); });
    EXPECT_TRUE(warning.isHidden());
}

TEST_F(ScrollViewControllerTest, DeletingUnderOneDisplayLeavesTheOthers) {
    chooseDisplay(1);  // Left
    ASSERT_EQ(s().selectedDisplay().get(), &left());
    t.act([&] { cell(1).deleteButton()->sendAction(); });
    EXPECT_FALSE(left().apps.count("com.apple.Safari"));
    EXPECT_TRUE(right().apps.count("com.apple.Safari"));
    EXPECT_TRUE(all().apps.count("com.apple.Safari"));
    EXPECT_EQ(s().appNameTableView.selectedRow(), 0);
    EXPECT_EQ(s().lastSelectedApp()->bundleId, "com.global");
    const auto stored = t.stored("allDisplaysScrollSettings");
    EXPECT_FALSE(stored->asDictionary()
                     ->at("1-2-3")
                     .asDictionary()
                     ->at("displayApps")
                     .asDictionary()
                     ->count("com.apple.Safari"));
}

TEST_F(ScrollViewControllerTest, DeletingUnderAllScreensRemovesEverywhere) {
    selectRow(1);
    t.act([&] { cell(1).deleteButton()->sendAction(); });
    for (SingleDisplay* d : {&all(), &left(), &right()})
        EXPECT_FALSE(d->apps.count("com.apple.Safari"));
    EXPECT_EQ(s().lastSelectedApp()->bundleId, "com.global");
}

TEST_F(ScrollViewControllerTest, ChoosingADisplayKeepsTheApplicationAndNamesTheDisplay) {
    selectRow(1);  // Safari
    chooseDisplay(2);
    EXPECT_EQ(s().selectedDisplay().get(), &right());
    EXPECT_EQ(s().displayNameField.stringValue(), "2. Right");
    EXPECT_EQ(s().appNameTableView.selectedRow(), 3);
    EXPECT_EQ(s().lastSelectedApp(), right().apps.at("com.apple.Safari"));

    // The overlay covers the right display, floating, without shadow.
    GestureWindow& overlay = t.delegate().gestureWindow();
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_EQ(overlay.frame(), Rect(1920, 0, 1280, 800));
    EXPECT_EQ(overlay.level(), kFloatingWindowLevel);
    EXPECT_FALSE(overlay.hasShadow());
    EXPECT_EQ(t.windowRecords().back(), "Overlay shown");
    const auto windows = t.desktop.windowList().onScreenWindows();
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows[0].layer, 3);
    EXPECT_EQ(windows[0].bounds, Rect(1920, 280, 1280, 800));

    // A display without the application falls back to Global.
    chooseDisplay(2);
    t.act([&] { s().appNameTableView.selectRow(2); });  // Chrome
    chooseDisplay(1);
    EXPECT_EQ(s().appNameTableView.selectedRow(), 0);
    EXPECT_EQ(s().lastSelectedApp()->bundleId, "com.global");
}

// The drawing screen of the overlay, as far as the display name goes.
class NameLabelScreen : public ui::ViewController, public ui::FullScreenScreenLink {
  public:
    NameLabelScreen() : ui::ViewController("FullScreen") {}
    void setViewsState(int state) override { lastState = state; }
    void readyForDragSettings(platform::Point) override {}
    void drawLineWithPosition(platform::Point) override {}
    void foundDirection(std::uint64_t) override {}
    void removeAllLines() override {}
    void setAutoScrollAnchorPoint(platform::Point) override {}
    ui::TextField& displayNameLabelOutlt() override { return label; }
    int lastState = -1;
    ui::TextField label;
};

TEST_F(ScrollViewControllerTest, TheDisplaysNameFadesAfterThreeSeconds) {
    NameLabelScreen names;
    t.menu().registerScreen(names);
    chooseDisplay(1);
    EXPECT_EQ(names.lastState, 3);
    EXPECT_EQ(
        names.label.attributedStringValue(),
        (std::vector<ui::TextRun>{{"1. Left", ui::Color::white(), 0, ui::Color::smurfBlue(), -3}}));
    EXPECT_EQ(names.label.alphaValue(), 1);
    t.advance(2);
    // Another display within the three seconds starts them again.
    chooseDisplay(2);
    EXPECT_EQ(names.label.stringValue(), "2. Right");
    t.advance(2.9);
    EXPECT_EQ(names.label.alphaValue(), 1);
    t.advance(0.1);
    EXPECT_EQ(names.label.alphaValue(), 0);
    EXPECT_TRUE(t.delegate().gestureWindow().isVisible());
    t.advance(0.4);
    EXPECT_FALSE(t.delegate().gestureWindow().isVisible());
    EXPECT_EQ(t.windowRecords().back(), "Overlay closed");
    t.menu().unregisterScreen(names);
}

TEST_F(ScrollViewControllerTest, ADisplayChangeFallsBackToAllScreens) {
    chooseDisplay(2);
    t.desktop.simScreens().setScreens({twoScreens()[0]});
    t.advance(0);
    EXPECT_TRUE(s().selectedDisplay()->isAllScreens());
    EXPECT_EQ(s().displayNameField.stringValue(), "All Screens");
    EXPECT_EQ(s().appNameTableView.selectedRow(), 0);
    EXPECT_EQ(s().lastSelectedApp()->bundleId, "com.global");
    EXPECT_EQ(s().screensCounterLbl.stringValue(), "1");
    EXPECT_EQ(s().screensPopUpOutlt.menu().numberOfItems(), 2u);
    EXPECT_EQ(s().screensPopUpOutlt.indexOfSelectedItem(), 0);
}

TEST_F(ScrollViewControllerTest, TypedKnobValuesWithinTheRangeAreTaken) {
    auto& settings = s().lastSelectedApp()->scrollSettings;
    typeIntoKnob(s().settings.linesSliderOutlt, "3.5");
    EXPECT_EQ(settings.verticalLinesNumber, 3.5);
    EXPECT_EQ(s().settings.linesSliderOutlt.doubleValue(), 3.5);
    EXPECT_EQ(s().settings.linesSliderOutlt.knobText(), "3.50");
    EXPECT_FALSE(s().settings.linesSliderOutlt.knobField().isEditable());
    // Rounded to the nearest integer.
    typeIntoKnob(s().settings.multiplySliderOutlt, "4.6");
    EXPECT_EQ(settings.multiplyLinesNumber, 5);
    EXPECT_EQ(s().settings.multiplySliderOutlt.doubleValue(), 5);
    // An integer, its fraction cut off.
    typeIntoKnob(s().settings.speedOutlt, "850.9");
    EXPECT_EQ(settings.scrollSpeed, 850);
    // The ends of the range count.
    typeIntoKnob(s().settings.divideSliderOutlt, "10");
    EXPECT_EQ(settings.divideLinesNumber, 10);
    // Out of range, or not a number: nothing changes, and the knob shows the
    // value again.
    typeIntoKnob(s().settings.speedOutlt, "1501");
    typeIntoKnob(s().settings.speedOutlt, "fast");
    EXPECT_EQ(settings.scrollSpeed, 850);
    EXPECT_EQ(s().settings.speedOutlt.knobField().stringValue(), "850");
    // Single precision, as the setting is kept.
    typeIntoKnob(s().settings.continDeltaSliderOutlt, "0.7");
    EXPECT_EQ(settings.contidDelta, static_cast<double>(0.7f));
    EXPECT_EQ(s().settings.continDeltaLbl.stringValue(), "0.700000");
    // Global under All Screens: every display's Global took the values.
    EXPECT_EQ(right().apps.at("com.global")->scrollSettings.scrollSpeed, 850);
}

TEST_F(ScrollViewControllerTest, ASliderWritesOnlyAtTheEndOfItsDrag) {
    auto& slider = s().settings.speedOutlt;
    t.act(
        [&] {
            slider.setDoubleValue(900);
            slider.sendAction();
        },
        false);
    EXPECT_EQ(s().lastSelectedApp()->scrollSettings.scrollSpeed, 700);
    EXPECT_EQ(slider.knobText(), "900");
    t.act([&] {
        slider.setDoubleValue(910.6);
        slider.sendAction();
    });
    EXPECT_EQ(s().lastSelectedApp()->scrollSettings.scrollSpeed, 910);
}

TEST_F(ScrollViewControllerTest, TheRowCheckBoxesSwitchEntriesToNativeScrolling) {
    // A row that is not the edited one: its entry, and under All Screens the
    // same application on every display.
    click(*cell(2).checkBox(), ui::kStateOff);
    EXPECT_TRUE(all().apps.at("com.apple.mail")->scrollSettings.isNativeScroll);
    EXPECT_TRUE(right().apps.at("com.apple.mail")->scrollSettings.isNativeScroll);
    EXPECT_FALSE(left().apps.count("com.apple.mail"));
    // Drawn dimmed after the reload.
    EXPECT_EQ(cell(2).textField().alphaValue(), 0.4);
    EXPECT_EQ(cell(2).checkBox()->state(), ui::kStateOff);

    // The edited row: the controls follow.
    selectRow(1);
    click(*cell(1).checkBox(), ui::kStateOff);
    EXPECT_TRUE(s().lastSelectedApp()->scrollSettings.isNativeScroll);
    EXPECT_FALSE(s().settings.linesSliderOutlt.isEnabled());
    EXPECT_FALSE(s().settings.speedOutlt.isEnabled());
    EXPECT_EQ(s().settings.animateScrollOutlt.alternateImage(),
              ui::Image::named("checkbox_on_gray"));
    EXPECT_TRUE(left().apps.at("com.apple.Safari")->scrollSettings.isNativeScroll);
    click(*cell(1).checkBox(), ui::kStateOn);
    EXPECT_TRUE(s().settings.linesSliderOutlt.isEnabled());
    EXPECT_EQ(s().settings.animateScrollOutlt.alternateImage(), ui::Image::named("checkbox_on"));
}

TEST_F(ScrollViewControllerTest, TheSmoothNativeRadiosChooseForTheEditedEntryAndAreKept) {
    selectRow(1);  // Safari under All Screens
    EXPECT_EQ(s().smoothScrollOutlt.state(), ui::kStateOn);
    EXPECT_EQ(s().nativeScrollOutlt.state(), ui::kStateOff);

    t.act([&] { s().nativeScrollOutlt.performClick(); });
    EXPECT_EQ(s().nativeScrollOutlt.tag(), 50);
    EXPECT_EQ(s().smoothScrollOutlt.state(), ui::kStateOff);
    EXPECT_FALSE(s().settings.linesSliderOutlt.isEnabled());
    // Every display's Safari, and the stored registry, not only the one in memory.
    EXPECT_TRUE(left().apps.at("com.apple.Safari")->scrollSettings.isNativeScroll);
    EXPECT_TRUE(right().apps.at("com.apple.Safari")->scrollSettings.isNativeScroll);
    auto storedNative = [&](const char* display) {
        const auto stored = t.stored("allDisplaysScrollSettings");
        return stored->asDictionary()
            ->at(display)
            .asDictionary()
            ->at("displayApps")
            .asDictionary()
            ->at("com.apple.Safari")
            .asDictionary()
            ->at("scrollSettings")
            .asDictionary()
            ->at("isNativeScroll");
    };
    EXPECT_EQ(storedNative("1-2-4"), plist::Value(true));
    // The row's check box follows: a native entry's box is cleared.
    EXPECT_EQ(cell(1).checkBox()->state(), ui::kStateOff);

    // Another row shows its own choice; back on Safari, smooth again.
    selectRow(2);
    EXPECT_EQ(s().smoothScrollOutlt.state(), ui::kStateOn);
    selectRow(1);
    EXPECT_EQ(s().nativeScrollOutlt.state(), ui::kStateOn);
    t.act([&] { s().smoothScrollOutlt.performClick(); });
    EXPECT_TRUE(s().settings.linesSliderOutlt.isEnabled());
    EXPECT_EQ(storedNative("0-0-0"), plist::Value(false));
    EXPECT_EQ(cell(1).checkBox()->state(), ui::kStateOn);
}

TEST_F(ScrollViewControllerTest, AnimationAndContinuousBoxesEnableTheirControls) {
    click(s().settings.animateScrollOutlt, ui::kStateOff);
    EXPECT_FALSE(s().lastSelectedApp()->scrollSettings.isAnimatingScroll);
    EXPECT_FALSE(s().settings.speedOutlt.isEnabled());
    EXPECT_FALSE(s().settings.selectAnimationOutlt.isEnabled());
    click(s().settings.continuousAnimOutlt, ui::kStateOff);
    click(s().settings.animateScrollOutlt, ui::kStateOn);
    EXPECT_TRUE(s().settings.speedOutlt.isEnabled());
    // The acceleration slider stays off while the continuous mode is.
    EXPECT_FALSE(s().settings.continDeltaSliderOutlt.isEnabled());
    click(s().settings.continuousAnimOutlt, ui::kStateOn);
    EXPECT_TRUE(s().settings.continDeltaSliderOutlt.isEnabled());
    EXPECT_TRUE(s().lastSelectedApp()->scrollSettings.isContinuous);
}

TEST_F(ScrollViewControllerTest, TheCurveChooserSetsTheEditedEntrysCurve) {
    t.act([&] { s().setSelecteadAnimationOutlet(2); });
    EXPECT_EQ(s().lastSelectedApp()->scrollSettings.scrollAnimationIndex, 2);
    EXPECT_EQ(s().settings.selectedAnimationLbl.stringValue(),
              EasingCurveHelper::getGraphName(2).value());
    EXPECT_EQ(left().apps.at("com.global")->scrollSettings.scrollAnimationIndex, 2);
}

TEST_F(ScrollViewControllerTest, TabsShowTheirContainers) {
    t.act([&] { s().tabs.showButtonsOutlt.performClick(); });
    EXPECT_EQ(s().lastPressedTopBarButton(), 1u);
    EXPECT_TRUE(s().isTabOn(PreferencesTab::Buttons));
    EXPECT_FALSE(s().isTabOn(PreferencesTab::Scroll));
    EXPECT_FALSE(s().tabs.buttonsContainer.isHidden());
    EXPECT_TRUE(s().tabs.scrollContainer.isHidden());
    EXPECT_FALSE(s().view().toolTipsEnabled());
    // Coming back to the window re-selects the tab last chosen.
    s().tabs.showGrabOutlt.setState(ui::kStateOn);
    t.act([&] { s().refreshLastPressedTopBarButton(); });
    EXPECT_FALSE(s().isTabOn(PreferencesTab::Grab));
    EXPECT_TRUE(s().isTabOn(PreferencesTab::Buttons));
    t.act([&] { s().tabs.showScrollOutlt.performClick(); });
    EXPECT_TRUE(s().view().toolTipsEnabled());
    EXPECT_TRUE(s().tabs.buttonsContainer.isHidden());
}

TEST_F(ScrollViewControllerTest, AddingAnApplicationUnderAllScreensAddsItEverywhere) {
    t.desktop.simWorkspace().setApplications({runningApp(501, "com.apple.Safari", "Safari"),
                                              runningApp(502, "com.apple.mail", "Mail"),
                                              runningApp(503, "com.apple.Notes", "Notes")});
    all().apps.at("com.global")->scrollSettings.scrollSpeed = 1000;
    t.act([&] { s().addAppOutlt.performClick(); });
    ASSERT_NE(t.userInterface.currentOpenPanel(), nullptr);
    EXPECT_EQ(t.userInterface.currentOpenPanel()->directory, "/Applications");
    EXPECT_FALSE(t.userInterface.currentOpenPanel()->canChooseDirectories);
    t.act([&] { t.userInterface.answerOpenPanel("/Applications/Notes.app"); });

    EXPECT_EQ(all().apps.at("com.apple.Notes")->listLocation, "3");
    EXPECT_EQ(left().apps.at("com.apple.Notes")->listLocation, "2");
    EXPECT_EQ(right().apps.at("com.apple.Notes")->listLocation, "4");
    EXPECT_EQ(right().apps.at("com.apple.Notes")->prettyName, "Notes");
    EXPECT_EQ(right().apps.at("com.apple.Notes")->scrollSettings.scrollSpeed, 1000);
    EXPECT_EQ(s().appNameTableView.selectedRow(), 3);
    EXPECT_EQ(s().lastSelectedApp()->bundleId, "com.apple.Notes");
    EXPECT_EQ(s().addAppOutlt.state(), ui::kStateOff);
    EXPECT_TRUE(t.stored("allDisplaysScrollSettings")
                    ->asDictionary()
                    ->at("1-2-4")
                    .asDictionary()
                    ->at("displayApps")
                    .asDictionary()
                    ->count("com.apple.Notes"));
}

TEST_F(ScrollViewControllerTest, AFileThatIsNoApplicationIsRefusedAndCancelChangesNothing) {
    t.act([&] { s().addAppOutlt.performClick(); });
    t.act([&] { t.userInterface.answerOpenPanel("/Users/me/notes.txt"); });
    t.advance(0);
    ASSERT_EQ(t.recordsOf<records::Alert>().size(), 1u);
    EXPECT_EQ(t.recordsOf<records::Alert>()[0].message, "\"notes\" is not an application.");
    EXPECT_EQ(all().apps.size(), 3u);

    t.act([&] { s().addAppOutlt.performClick(); });
    EXPECT_EQ(s().addAppOutlt.state(), ui::kStateOn);
    t.act([&] { t.userInterface.answerOpenPanel(std::nullopt); });
    EXPECT_EQ(s().addAppOutlt.state(), ui::kStateOff);
    EXPECT_EQ(all().apps.size(), 3u);
}

TEST_F(ScrollViewControllerTest, AddingUnderOneDisplayAddsItThereOnly) {
    chooseDisplay(1);
    t.act([&] { s().addAppOutlt.performClick(); });
    t.act([&] { t.userInterface.answerOpenPanel("/Applications/Mail.app"); });
    EXPECT_EQ(left().apps.at("com.apple.mail")->listLocation, "2");
    EXPECT_EQ(right().apps.at("com.apple.mail")->listLocation, "1");
    EXPECT_EQ(all().apps.at("com.apple.mail")->listLocation, "2");
}

TEST_F(ScrollViewControllerTest, SwitchingScrollingOffAndOnMakesAFreshEngine) {
    ScrollAnimation* first = s().scroller();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ScrollAnimation::shared(), first);
    EXPECT_EQ(t.delegate().scroller(), first);
    EXPECT_EQ(t.root->scrollAnimation(), first);
    // The engine's two taps, the wheel tap and its pass-through tap, beside
    // the mouse tap.
    ASSERT_EQ(t.desktop.simEventStream().taps().size(), 3u);

    click(s().scrollingEnableOutlt, ui::kStateOff);
    EXPECT_EQ(s().scroller(), nullptr);
    EXPECT_EQ(t.delegate().scroller(), nullptr);
    EXPECT_EQ(t.menu().disableEnableWheelListener()->title(), "Enable Scroll");

    click(s().scrollingEnableOutlt, ui::kStateOn);
    ASSERT_NE(s().scroller(), nullptr);
    EXPECT_EQ(ScrollAnimation::shared(), s().scroller());
    EXPECT_EQ(t.delegate().scroller(), s().scroller());
    EXPECT_EQ(t.menu().disableEnableWheelListener()->title(), "Disable Scroll");
    EXPECT_EQ(t.menu().disableEnableWheelListener()->tag(), 50);
}

TEST_F(ScrollViewControllerTest, TheGlobalSwitchStoresItsStateAndSwapsTheArea) {
    click(s().scrollingEnableOutlt, ui::kStateOff);
    EXPECT_FALSE(s().isScrollingEnabled());
    EXPECT_EQ(t.stored("scrollingEnabled"), plist::Value(false));
    EXPECT_TRUE(s().settingsArea.isHidden());
    EXPECT_EQ(t.menu().disableEnableWheelListener()->title(), "Enable Scroll");
    // The other tabs keep their containers while the switch changes.
    t.act([&] { s().tabs.showAutoOutlt.performClick(); });
    t.act([&] { s().tabs.showScrollOutlt.performClick(); });
    EXPECT_TRUE(s().settingsArea.isHidden());
    EXPECT_FALSE(s().scrollHelpLbl.isHidden());
}

TEST(ScrollViewControllerLoadTest, ScrollingSwitchedOffStartsNoEngine) {
    AppTestDesktop t({{"scrollingEnabled", plist::Value(false)},
                      {"allDisplaysScrollSettings", plist::Value(plist::Dictionary{})}});
    t.launch();
    EXPECT_EQ(t.scroll().scroller(), nullptr);
    EXPECT_EQ(ScrollAnimation::shared(), nullptr);
    // No tap but the mouse tap.
    const auto taps = t.desktop.simEventStream().taps();
    ASSERT_EQ(taps.size(), 1u);
    EXPECT_EQ(taps[0].mask, MouseButtonListener::kMouseEventMask);
    EXPECT_EQ(t.menu().disableEnableWheelListener()->title(), "Enable Scroll");
    EXPECT_TRUE(t.scroll().settingsArea.isHidden());
}

TEST(ScrollViewControllerLoadTest, SettingsOfOlderVersionsMoveIntoTheRegistry) {
    AppTestDesktop t({{"scrollLinesNumber", plist::Value(3.0)},
                      {"scrollNative", plist::Value(true)},
                      {"scrollingEnabled", plist::Value(true)}});
    t.launch();
    EXPECT_FALSE(t.scroll().isScrollingEnabled());
    EXPECT_EQ(t.stored("scrollingEnabled"), plist::Value(false));
    EXPECT_FALSE(t.stored("scrollLinesNumber"));
    for (const auto& display : t.keeper().getAllDisplaysArray()) {
        const auto& global = display->apps.at("com.global")->scrollSettings;
        EXPECT_EQ(global.verticalLinesNumber, 3.0);
        EXPECT_TRUE(global.isNativeScroll);
    }
    EXPECT_EQ(t.menu().disableEnableWheelListener()->title(), "Enable Scroll");
}

TEST(ScrollViewControllerLoadTest, AnotherMouseUtilityMarksTheSettingsTab) {
    AppTestDesktop t;
    t.desktop.simWorkspace().setApplications(
        {runningApp(501, "com.apple.Safari", "Safari"), runningApp(510, "com.logi.ghub", "G HUB")});
    t.launch();
    EXPECT_TRUE(t.scroll().isOtherDriverDetected());
    EXPECT_EQ(t.scroll().tabs.showSettingsOutlt.image(), ui::Image::named("gear_w_off"));
    EXPECT_EQ(t.scroll().tabs.showSettingsOutlt.alternateImage(), ui::Image::named("gear_w_on"));

    AppTestDesktop alone;
    alone.launch();
    EXPECT_FALSE(alone.scroll().isOtherDriverDetected());
}

}  // namespace
}  // namespace wexo::testing
