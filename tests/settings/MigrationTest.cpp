#include <gtest/gtest.h>

#include "SettingsTestDesktop.h"
#include "settings/DisplaysManager.h"
#include "settings/KxDefaults.h"

namespace wexo {
namespace {

class MigrationTest : public testing::SettingsTestDesktop {};

TEST_F(MigrationTest, EveryOldKeyFillsItsField) {
    KxDefaults::setScrollNative(true);
    KxDefaults::setEnableMultiplyLines(true);
    KxDefaults::setEnableDivideLines(true);
    KxDefaults::setScrollAnimationContinuous(false);
    KxDefaults::setScrollAnimate(false);
    KxDefaults::setHorzScrollAnimate(false);
    KxDefaults::setVerScrollAnimate(false);
    KxDefaults::setScrollLinesNumber(3.5);
    KxDefaults::setHorzScrollLinesNumber(1.5);
    KxDefaults::setMultiplyLinesNumber(4);
    KxDefaults::setDivideLinesNumber(6);
    KxDefaults::setScrollSpeed(350);
    KxDefaults::setContinDelta(0.9);
    KxDefaults::setScrollAnimationSelected(8);
    KxDefaults::setReverseMouseHorizontal(true);
    KxDefaults::setReverseMouse(true);
    auto s = SingleScrollSettingsObject::withMigration();
    EXPECT_TRUE(s.isNativeScroll);
    EXPECT_TRUE(s.isMultiplyLines);
    EXPECT_TRUE(s.isDivideLines);
    EXPECT_FALSE(s.isContinuous);
    EXPECT_FALSE(s.isAnimatingScroll);
    EXPECT_FALSE(s.isAnimatingHorizontalScroll);
    EXPECT_FALSE(s.isAnimatingVerticalScroll);
    EXPECT_EQ(s.verticalLinesNumber, 3.5);
    EXPECT_EQ(s.horizontalLinesNumber, 1.5);
    EXPECT_EQ(s.multiplyLinesNumber, 4);
    EXPECT_EQ(s.divideLinesNumber, 6);
    EXPECT_EQ(s.scrollSpeed, 350);
    EXPECT_EQ(s.contidDelta, 0.9);
    EXPECT_EQ(s.scrollAnimationIndex, 8);
    EXPECT_TRUE(s.isReverseHorizontal);
    EXPECT_TRUE(s.isReverseVertical);
}

TEST_F(MigrationTest, AbsentOldKeysFallBackAndTheLineFactorsAreOff) {
    auto s = SingleScrollSettingsObject::withMigration();
    SingleScrollSettingsObject expected;
    expected.isMultiplyLines = false;
    expected.isDivideLines = false;
    EXPECT_TRUE(s.sameSettingsAs(expected));
}

TEST_F(MigrationTest, TheOldSetReachesEveryDisplaysGlobalEntryOnce) {
    auto screens = desktop().simScreens().screens();
    auto second = screens.front();
    second.screenNumber = 2;
    second.serialNumber = 99;
    second.frame = platform::Rect(1920, 0, 1920, 1080);
    screens.push_back(second);
    desktop().simScreens().setScreens(screens);
    DisplaysManager::setupDisplays();
    ASSERT_EQ(keeper().getAllDisplaysArray().size(), 3u);

    KxDefaults::setScrollLinesNumber(4);
    KxDefaults::setScrollNative(true);
    KxDefaults::setScrollSpeed(200);
    auto migrated = DisplaysManager::migrateSingleSetKeys();
    ASSERT_TRUE(migrated);
    EXPECT_TRUE(migrated->isNativeScroll);

    std::vector<const AppWithScrollSettings*> globals;
    for (const auto& display : keeper().getAllDisplaysArray()) {
        const auto& global = display->apps.at("com.global");
        EXPECT_EQ(global->scrollSettings.verticalLinesNumber, 4.0);
        EXPECT_EQ(global->scrollSettings.scrollSpeed, 200);
        EXPECT_TRUE(global->scrollSettings.isNativeScroll);
        EXPECT_EQ(global->prettyName, "Global");
        globals.push_back(global.get());
    }
    EXPECT_NE(globals[0], globals[1]);
    EXPECT_NE(globals[1], globals[2]);
    EXPECT_FALSE(store().objectForKey("scrollLinesNumber"));
    EXPECT_GE(memoryStore().synchronizeCount(), 1);
    // The other old keys are left; only the trigger goes.
    EXPECT_EQ(KxDefaults::getScrollSpeed(), 200);

    EXPECT_FALSE(DisplaysManager::migrateSingleSetKeys());
}

TEST_F(MigrationTest, AnUnreadableTriggerStillMigratesAndIsRemoved) {
    DisplaysManager::setupDisplays();
    store().setObjectForKey("scrollLinesNumber", "three");
    auto migrated = DisplaysManager::migrateSingleSetKeys();
    ASSERT_TRUE(migrated);
    EXPECT_EQ(migrated->verticalLinesNumber, 2.0);
    EXPECT_FALSE(KxDefaults::hasScrollLinesNumber());
}

}  // namespace
}  // namespace wexo
