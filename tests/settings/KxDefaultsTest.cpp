#include <gtest/gtest.h>

#include <cmath>

#include "SettingsTestDesktop.h"
#include "settings/KxDefaults.h"

namespace wexo {
namespace {

using testing::SettingsTestDesktop;

struct BoolKey {
    std::optional<bool> (*get)();
    bool (*set)(bool);
    const char* key;
};
struct IntegerKey {
    std::optional<std::int64_t> (*get)();
    bool (*set)(std::optional<std::int64_t>);
    const char* key;
};
struct RealKey {
    std::optional<double> (*get)();
    bool (*set)(std::optional<double>);
    const char* key;
};

const BoolKey kBoolKeys[] = {
    {&KxDefaults::getScrollingEnabled, &KxDefaults::setScrollingEnabled, "scrollingEnabled"},
    {&KxDefaults::getScrollNative, &KxDefaults::setScrollNative, "scrollNative"},
    {&KxDefaults::getScrollAnimate, &KxDefaults::setScrollAnimate, "scrollAnimate"},
    {&KxDefaults::getHorzScrollAnimate, &KxDefaults::setHorzScrollAnimate, "horzScrollAnimate"},
    {&KxDefaults::getVerScrollAnimate, &KxDefaults::setVerScrollAnimate, "verScrollAnimate"},
    {&KxDefaults::getScrollAnimationContinuous, &KxDefaults::setScrollAnimationContinuous,
     "scrollAnimationContinuous"},
    {&KxDefaults::getReverseMouse, &KxDefaults::setReverseMouse, "reverseMouse"},
    {&KxDefaults::getReverseMouseHorizontal, &KxDefaults::setReverseMouseHorizontal,
     "reverseMouseHorizontal"},
    {&KxDefaults::getEnableMultiplyLines, &KxDefaults::setEnableMultiplyLines,
     "enableMultiplyLines"},
    {&KxDefaults::getEnableDivideLines, &KxDefaults::setEnableDivideLines, "enableDivideLines"},
    {&KxDefaults::getButtonsNative, &KxDefaults::setButtonsNative, "buttonsNative"},
    {&KxDefaults::getModifiersOn, &KxDefaults::setModifiersOn, "modifiersOn"},
    {&KxDefaults::getHideDrawing, &KxDefaults::setHideDrawing, "hideDrawing"},
    {&KxDefaults::getHideOverlay, &KxDefaults::setHideOverlay, "hideOverlay"},
    {&KxDefaults::getDisableGrabAction, &KxDefaults::setDisableGrabAction, "disableGrabAction"},
    {&KxDefaults::getDisableMoveCursor, &KxDefaults::setDisableMoveCursor, "disableMoveGrabCursor"},
    {&KxDefaults::getAnimateThrow, &KxDefaults::setAnimateThrow, "animateThrow"},
    {&KxDefaults::getGrabReverseMouse, &KxDefaults::setGrabReverseMouse, "grabReverseMouse"},
    {&KxDefaults::getGrabReverseMouseHorizontal, &KxDefaults::setGrabReverseMouseHorizontal,
     "reverseGrabMouseHorizontal"},
    {&KxDefaults::getAnimateRelease, &KxDefaults::setAnimateRelease, "animateRelease"},
    {&KxDefaults::getSmartScroll, &KxDefaults::setSmartScroll, "smartAutoScroll"},
    {&KxDefaults::getOverLinkActAsButtonOutlt, &KxDefaults::setOverLinkActAsButtonOutlt,
     "overLinkActAsButton"},
    {&KxDefaults::getHoldToActivate, &KxDefaults::setHoldToActivate, "holdToActivate"},
    {&KxDefaults::getAutoScrollReverseVertical, &KxDefaults::setAutoScrollReverseVertical,
     "autoScrollReverseVertical"},
    {&KxDefaults::getAutoScrollReverseHorizontal, &KxDefaults::setAutoScrollReverseHorizontal,
     "autoScrollReverseHorizontal"},
    {&KxDefaults::getShowOnLaunch, &KxDefaults::setShowOnLaunch, "showOnLaunch"},
    {&KxDefaults::getHideMenubarIcon, &KxDefaults::setHideMenubarIcon, "hiddenMenubarIcon"},
    {&KxDefaults::getCursorAccelEnabled, &KxDefaults::setCursorAccelEnabled, "cursorAccelEnabled"},
};

const IntegerKey kIntegerKeys[] = {
    {&KxDefaults::getScrollAnimationSelected, &KxDefaults::setScrollAnimationSelected,
     "scrollAnimationSelected"},
    {&KxDefaults::getScrollSpeed, &KxDefaults::setScrollSpeed, "scrollSpeed"},
    {&KxDefaults::getMultiplyLinesNumber, &KxDefaults::setMultiplyLinesNumber,
     "multiplyLinesNumber"},
    {&KxDefaults::getDivideLinesNumber, &KxDefaults::setDivideLinesNumber, "divideLinesNumber"},
    {&KxDefaults::getGestureButtonNumber, &KxDefaults::setGestureButtonNumber, "gestureNumber"},
    {&KxDefaults::getGrabButtonNumber, &KxDefaults::setGrabButtonNumber, "grabButtonNumber"},
    {&KxDefaults::getGrabKeyNumber, &KxDefaults::setGrabKeyNumber, "grabKeyNumber"},
    {&KxDefaults::getAutoScrollButtonNumber, &KxDefaults::setAutoScrollButtonNumber,
     "autoScrollButtonNumber"},
    {&KxDefaults::getAutoScrollSuperSlowDownNumber, &KxDefaults::setAutoScrollSuperSlowDownNumber,
     "autoScrollSuperSlowDownNumber"},
};

const RealKey kRealKeys[] = {
    {&KxDefaults::getScrollLinesNumber, &KxDefaults::setScrollLinesNumber, "scrollLinesNumber"},
    {&KxDefaults::getHorzScrollLinesNumber, &KxDefaults::setHorzScrollLinesNumber,
     "scrollHorzLinesNumber"},
    {&KxDefaults::getContinDelta, &KxDefaults::setContinDelta, "continDelta"},
    {&KxDefaults::getGrabAccelNumber, &KxDefaults::setGrabAccelNumber, "grabAccelNumber"},
    {&KxDefaults::getThrowDuration, &KxDefaults::setThrowDuration, "throwDuration"},
    {&KxDefaults::getAutoScrollNumber, &KxDefaults::setAutoScrollAccelNumber,
     "autoScrollAccelNumber"},
    {&KxDefaults::getReleaseDuration, &KxDefaults::setReleaseDuration, "releaseDuration"},
    {&KxDefaults::getCursorAccel, &KxDefaults::setCursorAccel, "cursorAccel"},
};

class KxDefaultsTest : public SettingsTestDesktop {};

TEST_F(KxDefaultsTest, AFreshStoreAnswersNothingForEveryKey) {
    for (const auto& k : kBoolKeys) EXPECT_FALSE(k.get()) << k.key;
    for (const auto& k : kIntegerKeys) EXPECT_FALSE(k.get()) << k.key;
    for (const auto& k : kRealKeys) EXPECT_FALSE(k.get()) << k.key;
    EXPECT_FALSE(KxDefaults::getAllDisplaysScrollSettings());
    EXPECT_FALSE(KxDefaults::getDisabledAppsArray());
    EXPECT_FALSE(KxDefaults::getButtonAssignDict());
    EXPECT_FALSE(KxDefaults::getGesturesAppsArray());
    EXPECT_FALSE(KxDefaults::getSupportDirectoryPath());
    EXPECT_FALSE(KxDefaults::hasScrollLinesNumber());
    EXPECT_TRUE(store().persistentDomain().empty());
}

TEST_F(KxDefaultsTest, FlagsLiveUnderTheirKeys) {
    for (const auto& k : kBoolKeys) {
        ASSERT_TRUE(k.set(true)) << k.key;
        EXPECT_EQ(store().objectForKey(k.key), plist::Value(true)) << k.key;
        EXPECT_EQ(k.get(), true) << k.key;
        ASSERT_TRUE(k.set(false));
        EXPECT_EQ(k.get(), false) << k.key;
        // A flag written as a number by someone else still reads as a flag.
        store().setObjectForKey(k.key, 1);
        EXPECT_EQ(k.get(), true) << k.key;
    }
}

TEST_F(KxDefaultsTest, NumbersLiveUnderTheirKeysAndNothingRemovesThem) {
    for (const auto& k : kIntegerKeys) {
        ASSERT_TRUE(k.set(3)) << k.key;
        EXPECT_EQ(store().objectForKey(k.key), plist::Value(3)) << k.key;
        EXPECT_EQ(k.get(), 3) << k.key;
        store().setObjectForKey(k.key, 4.0);
        EXPECT_EQ(k.get(), 4) << k.key;
        ASSERT_TRUE(k.set(std::nullopt));
        EXPECT_FALSE(store().objectForKey(k.key)) << k.key;
    }
    for (const auto& k : kRealKeys) {
        ASSERT_TRUE(k.set(2.5)) << k.key;
        EXPECT_EQ(store().objectForKey(k.key), plist::Value(2.5)) << k.key;
        EXPECT_EQ(k.get(), 2.5) << k.key;
        store().setObjectForKey(k.key, 7);
        EXPECT_EQ(k.get(), 7.0) << k.key;
        ASSERT_TRUE(k.set(std::nullopt));
        EXPECT_FALSE(store().objectForKey(k.key)) << k.key;
    }
}

TEST_F(KxDefaultsTest, AValueOfTheWrongTypeReadsAsAbsentAndSparesTheOthers) {
    store().setObjectForKey("gestureNumber", "3");
    store().setObjectForKey("scrollingEnabled", plist::Array{});
    store().setObjectForKey("throwDuration", "fast");
    store().setObjectForKey("buttonAssignDict", plist::Array{1, 2});
    store().setObjectForKey("gesturesAppsArray", plist::Dictionary{});
    store().setObjectForKey("supportDirectoryPath", 12);
    store().setObjectForKey("grabButtonNumber", 4);
    EXPECT_FALSE(KxDefaults::getGestureButtonNumber());
    EXPECT_FALSE(KxDefaults::getScrollingEnabled());
    EXPECT_FALSE(KxDefaults::getThrowDuration());
    EXPECT_FALSE(KxDefaults::getButtonAssignDict());
    EXPECT_FALSE(KxDefaults::getGesturesAppsArray());
    EXPECT_FALSE(KxDefaults::getSupportDirectoryPath());
    EXPECT_EQ(KxDefaults::getGrabButtonNumber(), 4);
    // The wrong type is reported, naming the key.
    bool reported = false;
    for (const auto& line : logged(platform::LogLevel::Warning))
        reported = reported || line.find("\"gestureNumber\"") != std::string::npos;
    EXPECT_TRUE(reported);
}

TEST_F(KxDefaultsTest, ANumberTheStoreCannotHoldIsRefused) {
    EXPECT_FALSE(KxDefaults::setGrabAccelNumber(std::nan("")));
    EXPECT_FALSE(KxDefaults::getGrabAccelNumber());
    store().setObjectForKey("cursorAccel", 1.5);
    EXPECT_FALSE(KxDefaults::setCursorAccel(INFINITY));
    EXPECT_EQ(KxDefaults::getCursorAccel(), 1.5);
}

TEST_F(KxDefaultsTest, TextsCollectionsRemoversAndSync) {
    KxDefaults::setSupportDirectoryPath("/support/com.wexo.Wexo");
    KxDefaults::setButtonAssignDict({{"3", plist::Dictionary{}}});
    KxDefaults::setAllDisplaysScrollSettings({{"0-0-0", plist::Dictionary{}}});
    KxDefaults::setGesturesAppsArray({plist::Dictionary{}});
    KxDefaults::setDisabledAppsArray({"org.videolan.vlc"});
    EXPECT_EQ(store().objectForKey("supportDirectoryPath"), plist::Value("/support/com.wexo.Wexo"));
    EXPECT_EQ(KxDefaults::getButtonAssignDict()->count("3"), 1u);
    EXPECT_EQ(KxDefaults::getAllDisplaysScrollSettings()->count("0-0-0"), 1u);
    EXPECT_EQ(KxDefaults::getGesturesAppsArray()->size(), 1u);
    EXPECT_EQ(store().objectForKey("disabledAppsArray"),
              plist::Value(plist::Array{"org.videolan.vlc"}));
    // Members that are not bundle identifiers are left out.
    store().setObjectForKey("disabledAppsArray", plist::Array{"a.b", 3, plist::Array{}, "c.d"});
    EXPECT_EQ(KxDefaults::getDisabledAppsArray(), (std::vector<std::string>{"a.b", "c.d"}));

    KxDefaults::setScrollNative(true);
    KxDefaults::setScrollLinesNumber(3);
    EXPECT_TRUE(KxDefaults::hasScrollLinesNumber());
    KxDefaults::deleteScrollNative();
    KxDefaults::deleteScrollLinesNumber();
    KxDefaults::removeButtonAssignDict();
    EXPECT_FALSE(store().objectForKey("scrollNative"));
    EXPECT_FALSE(KxDefaults::hasScrollLinesNumber());
    EXPECT_FALSE(store().objectForKey("buttonAssignDict"));
    EXPECT_TRUE(KxDefaults::getSupportDirectoryPath());

    EXPECT_TRUE(KxDefaults::sync());
    EXPECT_EQ(memoryStore().synchronizeCount(), 1);
    EXPECT_EQ(memoryStore().synchronizedDomain(), store().persistentDomain());
}

}  // namespace
}  // namespace wexo
