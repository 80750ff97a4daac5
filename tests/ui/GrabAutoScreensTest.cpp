#include <gtest/gtest.h>

#include "actions/KxShortcutsKeeper.h"
#include "app/AppTestDesktop.h"
#include "events/KeyListener.h"
#include "ui/AutoScrollViewController.h"
#include "ui/GrabViewController.h"

namespace wexo::testing {
namespace {

using plist::Value;

// The whole program, launched for the first time (the preferences window is
// on screen), with the Grab and Auto screens embedded in it.
class GrabAutoScreensTest : public ::testing::Test {
  protected:
    explicit GrabAutoScreensTest(plist::Dictionary defaults = {}) : t(std::move(defaults)) {
        t.launch();
    }

    template <class Screen>
    Screen& embedded(const char* name) {
        for (const auto& child : t.scroll().childViewControllers())
            if (child->screenName() == name) return dynamic_cast<Screen&>(*child);
        throw std::logic_error(name);
    }
    GrabViewController& grab() { return embedded<GrabViewController>("Grab"); }
    AutoScrollViewController& autoScroll() { return embedded<AutoScrollViewController>("Auto"); }

    static std::shared_ptr<MouseButton> button(std::int64_t number) {
        return KxShortcutsKeeper::getPreDdefinedButtonsByNumber(number);
    }
    // The alerts shown so far (each shows after the event that caused it).
    std::vector<std::string> alerts() {
        t.advance(0);
        std::vector<std::string> out;
        for (const auto& a : t.recordsOf<records::Alert>()) out.push_back(a.message);
        return out;
    }
    void click(ui::Button& box, int state) {
        t.act([&] {
            box.setState(state);
            box.sendAction();
        });
    }
    void slide(ui::KxSlider& slider, double value, bool released) {
        t.act(
            [&] {
                slider.setDoubleValue(value);
                slider.sendAction();
            },
            released);
    }
    void type(ui::KxSlider& slider, const std::string& text) {
        t.act(
            [&] {
                slider.beginEditingKnob();
                slider.knobField().setStringValue(text);
                slider.knobField().endEditing();
            },
            false);
    }

    AppTestDesktop t;
};

TEST_F(GrabAutoScreensTest, TheGestureGrabAndAutoScrollButtonsStayThreeDifferentButtons) {
    t.keeper().setGestureNumber(2);  // as the Gestures screen caches it
    t.act([&] { autoScroll().setAutoScrollButton(button(3)); });
    t.act([&] { grab().setGrabButton(button(2), std::nullopt); });
    t.act([&] { grab().setGrabButton(button(3), std::nullopt); });
    EXPECT_FALSE(t.stored("grabButtonNumber"));
    EXPECT_FALSE(t.keeper().getGrabButtonNumber());
    EXPECT_FALSE(grab().grabHelpLbl.isHidden());
    EXPECT_TRUE(grab().grabControlsView.isHidden());

    t.act([&] { grab().setGrabButton(button(4), std::nullopt); });
    t.act([&] { autoScroll().setAutoScrollButton(button(2)); });
    t.act([&] { autoScroll().setAutoScrollButton(button(4)); });
    EXPECT_EQ(t.stored("autoScrollButtonNumber"), Value(3));
    EXPECT_EQ(t.keeper().getAutoScrollButtonNumber(), 3);
    EXPECT_EQ(alerts(), (std::vector<std::string>{
                            "The gestures button can't also be used as the grab button",
                            "The auto scroll button can't also be used as the grab button",
                            "The gestures button can't also be used as the auto scroll button",
                            "The grab button can't also be used as the auto scroll button"}));
    EXPECT_EQ(t.recordsOf<records::Alert>()[0].buttons, std::vector<std::string>{"Ok"});
}

TEST_F(GrabAutoScreensTest, AButtonThenAKeyWhileTheWindowIsVisible) {
    t.act([&] { grab().setGrabButton(button(3), std::nullopt); });
    EXPECT_TRUE(alerts().empty());
    EXPECT_EQ(t.stored("grabButtonNumber"), Value(3));
    EXPECT_EQ(t.keeper().getGrabButtonNumber(), 3);
    // The first trigger writes the first-use options.
    EXPECT_EQ(t.stored("grabAccelNumber"), Value(1.0));
    EXPECT_EQ(t.stored("disableGrabAction"), Value(false));
    EXPECT_EQ(t.stored("throwDuration"), Value(100.0));
    EXPECT_EQ(t.stored("animateThrow"), Value(true));
    EXPECT_EQ(t.stored("grabReverseMouse"), Value(false));
    EXPECT_EQ(t.stored("reverseGrabMouseHorizontal"), Value(false));
    EXPECT_TRUE(t.keeper().getIsAnimateThrow());
    EXPECT_EQ(grab().grabButtonLbl.stringValue(), "Grab Button: Side 3");
    EXPECT_EQ(grab().disableActionOutlt.title(), " Disable Side 3 action");
    EXPECT_FALSE(grab().dontMoveCursor.isHidden());

    type(grab().grabAccelOutlt, "4");
    t.act([&] { grab().setGrabButton(nullptr, 5); });
    EXPECT_EQ(alerts(), std::vector<std::string>{"Setting a keyboard key as a Grab & Drag button "
                                                 "will cause a delay while typing that key."});
    EXPECT_EQ(t.stored("grabKeyNumber"), Value(5));
    EXPECT_FALSE(t.stored("grabButtonNumber"));
    EXPECT_FALSE(t.keeper().getGrabButtonNumber());
    EXPECT_TRUE(grab().dontMoveCursor.isHidden());
    EXPECT_EQ(grab().grabButtonLbl.stringValue(), "Grab Key: G");
    // A later trigger keeps the options chosen.
    EXPECT_EQ(t.keeper().getGrabAccelNumber(), 4);
}

TEST_F(GrabAutoScreensTest, TheGrabScreenRunsTheKeyListener) {
    KeyListener& listener = KeyListener::shared();
    // On screen without a trigger: the key pressed on the Grab tab, with the
    // program in front, becomes the grab key at once.
    EXPECT_TRUE(listener.isCapturingGrabKey());
    t.desktop.simWorkspace().setFrontmost(platform::sim::SimProcess::kPid);
    t.act([&] { t.scroll().tabs.showGrabOutlt.performClick(); });
    t.desktop.inject(platform::Event::keyboard(5, true));
    EXPECT_EQ(t.stored("grabKeyNumber"), Value(5));
    EXPECT_EQ(alerts().size(), 1u);
    EXPECT_TRUE(listener.isHotKeyRegistered());
    EXPECT_FALSE(listener.isCapturingGrabKey());
    // A grab key keeps its hot key with the window closed.
    t.act([&] { t.scroll().closeWindow(); });
    EXPECT_TRUE(listener.isHotKeyRegistered());

    t.act([&] { grab().removeGrabOutlt.performClick(); });
    EXPECT_FALSE(t.keeper().getGrabKeyNumber());
    EXPECT_FALSE(listener.isHotKeyRegistered());
    EXPECT_FALSE(listener.isCapturingGrabKey());
    EXPECT_FALSE(grab().grabHelpLbl.isHidden());
    t.advance(0.1);
    EXPECT_TRUE(listener.isCapturingGrabKey());
    // Without a trigger, the capture ends as the screen leaves the screen.
    t.act([&] { t.delegate().showWindow(); });
    t.act([&] { t.scroll().closeWindow(); });
    EXPECT_FALSE(listener.isCapturingGrabKey());
}

class StoredGrabKeyTest : public GrabAutoScreensTest {
  protected:
    StoredGrabKeyTest()
        : GrabAutoScreensTest({{"allDisplaysScrollSettings", Value(plist::Dictionary{})},
                               {"grabKeyNumber", Value(5)},
                               {"grabAccelNumber", Value(3)},
                               {"animateThrow", Value(false)},
                               {"autoScrollButtonNumber", Value(2)},
                               {"autoScrollAccelNumber", Value(12)},
                               {"autoScrollSuperSlowDownNumber", Value(4)}}) {}
};

TEST_F(StoredGrabKeyTest, LoadingFillsTheCacheAndRegistersTheKey) {
    EXPECT_TRUE(KeyListener::shared().isHotKeyRegistered());
    EXPECT_EQ(t.keeper().getGrabKeyNumber(), 5);
    EXPECT_EQ(t.keeper().getGrabAccelNumber(), 3);
    EXPECT_FALSE(t.keeper().getIsAnimateThrow());
    // The throw's length alone is written whenever it is missing.
    EXPECT_EQ(t.stored("throwDuration"), Value(100.0));
    EXPECT_FALSE(grab().throwDurationOutlt.isEnabled());

    EXPECT_EQ(t.keeper().getAutoScrollButtonNumber(), 2);
    EXPECT_EQ(t.keeper().getAutoScrollAccelNumber(), 12);
    EXPECT_EQ(t.keeper().getAutoScrollSuperSlowDownNumber(), 4);
    // Smart auto-scroll counts as on while it was never stored.
    EXPECT_TRUE(t.keeper().getIsSmartAutoScroll());
    EXPECT_FALSE(t.stored("smartAutoScroll"));
    EXPECT_EQ(autoScroll().autoButtonLbl.stringValue(), "Auto Scroll Button: Middle");
    EXPECT_TRUE(alerts().empty());
}

TEST_F(GrabAutoScreensTest, TheFirstAutoScrollButtonWritesTheDefaultsOnce) {
    t.act([&] { autoScroll().setAutoScrollButton(button(2)); });
    EXPECT_EQ(t.stored("autoScrollButtonNumber"), Value(2));
    EXPECT_EQ(t.stored("autoScrollAccelNumber"), Value(10.0));
    EXPECT_EQ(t.stored("releaseDuration"), Value(100.0));
    for (const char* on : {"animateRelease", "smartAutoScroll", "overLinkActAsButton"})
        EXPECT_EQ(t.stored(on), Value(true)) << on;
    for (const char* off :
         {"holdToActivate", "autoScrollReverseVertical", "autoScrollReverseHorizontal"})
        EXPECT_EQ(t.stored(off), Value(false)) << off;
    EXPECT_EQ(t.keeper().getAutoScrollAccelNumber(), 10);
    EXPECT_TRUE(t.keeper().getIsOverLinkActAsButtonOutlt());

    // Another button later keeps what the person chose for the first.
    click(autoScroll().holdToActivateOutlt, ui::kStateOn);
    t.act([&] { autoScroll().removeAutoOutlt.performClick(); });
    EXPECT_FALSE(t.stored("autoScrollButtonNumber"));
    EXPECT_FALSE(autoScroll().autoHelpLbl.isHidden());
    t.act([&] { autoScroll().setAutoScrollButton(button(4)); });
    EXPECT_EQ(t.stored("holdToActivate"), Value(true));
    EXPECT_TRUE(t.keeper().getIsHoldToActivate());
    EXPECT_EQ(autoScroll().autoButtonLbl.stringValue(), "Auto Scroll Button: Side 4");
}

TEST_F(GrabAutoScreensTest, SuperSlowDownAndTheEasedReleaseExcludeEachOther) {
    t.act([&] { autoScroll().setAutoScrollButton(button(2)); });
    AutoScrollViewController& a = autoScroll();
    slide(a.superSlowDownOutlt, 5, /*released=*/true);
    EXPECT_EQ(t.stored("autoScrollSuperSlowDownNumber"), Value(5));
    EXPECT_EQ(t.keeper().getAutoScrollSuperSlowDownNumber(), 5);
    EXPECT_EQ(t.stored("animateRelease"), Value(false));
    EXPECT_FALSE(t.keeper().getIsAnimateRelease());
    EXPECT_FALSE(a.animateReleaseOutlt.isOn());
    EXPECT_FALSE(a.releaseDurationOutlt.isEnabled());

    click(a.animateReleaseOutlt, ui::kStateOn);
    EXPECT_EQ(t.stored("autoScrollSuperSlowDownNumber"), Value(0));
    EXPECT_EQ(t.keeper().getAutoScrollSuperSlowDownNumber(), 0);
    EXPECT_EQ(a.superSlowDownOutlt.doubleValue(), 0);
    EXPECT_TRUE(a.releaseDurationOutlt.isEnabled());

    // A typed amount is a whole number and follows the same rule.
    type(a.superSlowDownOutlt, "2.9");
    EXPECT_EQ(t.keeper().getAutoScrollSuperSlowDownNumber(), 2);
    EXPECT_FALSE(t.keeper().getIsAnimateRelease());
    // Back to none turns the eased release on again.
    slide(a.superSlowDownOutlt, 0, /*released=*/true);
    EXPECT_TRUE(t.keeper().getIsAnimateRelease());
}

TEST_F(GrabAutoScreensTest, SlidersWriteAtTheEndOfTheDragAndTypedValuesWithinTheirRange) {
    t.act([&] { grab().setGrabButton(button(3), std::nullopt); });
    t.act([&] { autoScroll().setAutoScrollButton(button(2)); });
    slide(grab().grabAccelOutlt, 7, /*released=*/false);
    slide(autoScroll().autoScrollAccelOutlt, 15, /*released=*/false);
    EXPECT_EQ(grab().grabAccelOutlt.knobText(), "7");
    EXPECT_EQ(t.stored("grabAccelNumber"), Value(1.0));
    EXPECT_EQ(t.keeper().getGrabAccelNumber(), 1);
    EXPECT_EQ(t.stored("autoScrollAccelNumber"), Value(10.0));
    slide(grab().grabAccelOutlt, 7, /*released=*/true);
    slide(autoScroll().autoScrollAccelOutlt, 15, /*released=*/true);
    EXPECT_EQ(t.stored("grabAccelNumber"), Value(7.0));
    EXPECT_EQ(t.keeper().getAutoScrollAccelNumber(), 15);

    // The auto-scroll speed stays below 21, the engine's divisor being 21
    // minus the speed.
    type(autoScroll().autoScrollAccelOutlt, "21");
    type(autoScroll().autoScrollAccelOutlt, "fast");
    EXPECT_EQ(t.keeper().getAutoScrollAccelNumber(), 15);
    EXPECT_EQ(autoScroll().autoScrollAccelOutlt.knobText(), "15");
    type(autoScroll().autoScrollAccelOutlt, "20");
    EXPECT_EQ(t.stored("autoScrollAccelNumber"), Value(20.0));
    EXPECT_EQ(t.keeper().getAutoScrollAccelNumber(), 20);
    type(grab().throwDurationOutlt, "250");
    EXPECT_EQ(t.stored("throwDuration"), Value(250.0));
    EXPECT_EQ(t.keeper().getThrowDuration(), 250);
}

}  // namespace
}  // namespace wexo::testing
