#include <gtest/gtest.h>

#include <memory>

#include "platform/FilePreferenceStore.h"
#include "platform/Platform.h"
#include "platform/TempFolder.h"
#include "platform/sim/SimDesktop.h"
#include "settings/ButtonAssignments.h"
#include "settings/DictConvertor.h"
#include "settings/DisplaysManager.h"
#include "settings/KxDefaults.h"
#include "settings/SettingsKeeper.h"

namespace wexo {
namespace {

// One run of the program: a desktop whose user defaults are the XML file in
// the given folder, and a fresh cache.
class ProgramRun {
  public:
    explicit ProgramRun(const std::filesystem::path& folder)
        : desktop_(std::make_unique<platform::FilePreferenceStore>(
              platform::sim::SimProcess::builtBundleIdentifier(),
              platform::FilePreferenceStore::Options{folder, {}})),
          platformInstallation_(&desktop_),
          keeperInstallation_(&keeper_) {}

    platform::sim::SimDesktop& desktop() { return desktop_; }
    SettingsKeeper& keeper() { return keeper_; }

  private:
    platform::sim::SimDesktop desktop_;
    SharedInstallation<platform::Platform> platformInstallation_;
    SettingsKeeper keeper_;
    SharedInstallation<SettingsKeeper> keeperInstallation_;
};

TEST(StoreRoundTrip, ScrollSettingsOfEveryDisplayComeBackFromTheFile) {
    platform::TempFolder folder;
    {
        ProgramRun first(folder.path());
        DisplaysManager::setupDisplays();
        auto& registry = first.keeper().getAllCurrentDisplays();
        ASSERT_EQ(registry.size(), 2u);
        auto display = registry.at("1-2-3");
        SingleScrollSettingsObject s;
        s.isReverseHorizontal = true;
        s.isDivideLines = false;
        s.verticalLinesNumber = 1.25;
        s.scrollSpeed = std::nullopt;  // an empty number is saved without failing
        s.contidDelta = 0.8;
        display->apps["com.apple.Safari"] = std::make_shared<AppWithScrollSettings>(
            "Safari", "com.apple.Safari", "/Applications/Safari.app",
            DisplaysManager::getLocationForDisplayLastApp(*display), s);
        display->apps.at("com.global")->scrollSettings.scrollAnimationIndex = 9;
        ASSERT_TRUE(DisplaysManager::saveAllDisplays());
    }
    ProgramRun second(folder.path());
    DisplaysManager::setupDisplays();
    auto display = second.keeper().getAllCurrentDisplays().at("1-2-3");
    EXPECT_EQ(display->displayName, "1. Display");
    ASSERT_EQ(display->apps.size(), 2u);
    const auto& safari = *display->apps.at("com.apple.Safari");
    EXPECT_EQ(safari.prettyName, "Safari");
    EXPECT_EQ(safari.appImagePath, "/Applications/Safari.app");
    EXPECT_EQ(safari.listLocation, "1");
    EXPECT_TRUE(safari.scrollSettings.isReverseHorizontal);
    EXPECT_FALSE(safari.scrollSettings.isDivideLines);
    EXPECT_EQ(safari.scrollSettings.verticalLinesNumber, 1.25);
    EXPECT_EQ(safari.scrollSettings.contidDelta, 0.8);
    EXPECT_EQ(safari.scrollSettings.scrollSpeed,
              700);  // the empty number reads as the default
    EXPECT_EQ(display->apps.at("com.global")->scrollSettings.scrollAnimationIndex, 9);
    // All Screens was saved untouched.
    EXPECT_TRUE(second.keeper()
                    .getAllCurrentDisplays()
                    .at("0-0-0")
                    ->apps.at("com.global")
                    ->scrollSettings.sameSettingsAs(SingleScrollSettingsObject()));
}

TEST(StoreRoundTrip, AssignmentsAndGesturesComeBackFromTheFile) {
    platform::TempFolder folder;
    CustomAction paste(std::nullopt, KxShortcut(9, "V", true, false, false, false, false),
                       std::nullopt, std::nullopt, std::nullopt, 2);
    CustomAction mail("Mail", std::nullopt, "📬", std::nullopt, "/Applications/Mail.app", 3);
    {
        ProgramRun first(folder.path());
        plist::Dictionary byModifier{{"0", DictConvertor::createDictFromAction(paste)},
                                     {"1572864", DictConvertor::createDictFromAction(mail)}};
        KxDefaults::setButtonAssignDict({{"4", byModifier}});
        KxDefaults::setModifiersOn(true);

        auto global = AppWithGestures::makeGlobal();
        auto drawn = std::make_shared<Gesture>(
            plist::Dictionary{{"gestureDirections", "31"},
                              {"prettyName", ""},
                              {"gestureImagePath", "/s/com.global/31.jpg"},
                              {"isActive", 1}},
            mail);
        auto rocker = std::make_shared<Gesture>(plist::Dictionary{{"bindButton", 0}}, paste);
        global->gestures = {drawn, rocker};
        KxDefaults::setGesturesAppsArray(DictConvertor::createAarrayOfDictFromObjecsArray(
            {global, std::make_shared<AppWithGestures>("Mail", "com.apple.mail", std::nullopt,
                                                       std::nullopt)}));
        ASSERT_TRUE(KxDefaults::sync());
    }
    ProgramRun second(folder.path());
    ButtonAssignments::loadIntoSettingsKeeper();
    const auto& table = second.keeper().getMouseButtonsDict();
    ASSERT_EQ(table.at("4").size(), 2u);
    EXPECT_EQ(table.at("4").at("0")->action, paste);
    EXPECT_EQ(table.at("4").at("1572864")->action, mail);
    EXPECT_EQ(table.at("4").at("1572864")->modifiers, 0x180000);

    auto stored = KxDefaults::getGesturesAppsArray();
    ASSERT_TRUE(stored);
    auto apps = DictConvertor::createAarrayOfAppsFromDictArray(*stored);
    ASSERT_EQ(apps.size(), 2u);
    second.keeper().setGesturesFromApps(apps);
    auto drawn = second.keeper().fetchGestureByBundleWndDirections("com.global", "31");
    ASSERT_TRUE(drawn);
    EXPECT_EQ(drawn->action, mail);
    EXPECT_EQ(drawn->gestureImagePath, "/s/com.global/31.jpg");
    EXPECT_EQ(drawn->isActive, 1);
    auto rocker = second.keeper().fetchGestureByBundleWithdBindNumberStr("com.global", "0");
    ASSERT_TRUE(rocker);
    EXPECT_EQ(rocker->bindButton->prettyName, "Left");
    EXPECT_EQ(rocker->action, paste);
    EXPECT_TRUE(apps[1]->gestures.empty());
}

TEST(StoreRoundTrip, AHandEditedFileWithWrongTypesStillLoadsTheRest) {
    platform::TempFolder folder;
    platform::TempFolder::write(
        folder.path() / (platform::sim::SimProcess::builtBundleIdentifier() + ".plist"),
        R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
  <key>grabButtonNumber</key><string>two</string>
  <key>autoScrollButtonNumber</key><integer>2</integer>
  <key>allDisplaysScrollSettings</key>
  <dict>
    <key>1-2-3</key>
    <dict>
      <key>displayApps</key>
      <dict>
        <key>com.global</key>
        <dict>
          <key>bundleId</key><string>com.global</string>
          <key>scrollSettings</key>
          <dict>
            <key>scrollSpeed</key><string>slow</string>
            <key>isReverseVertical</key><true/>
            <key>verticalLinesNumber</key><real>4.5</real>
          </dict>
        </dict>
        <key>com.apple.mail</key><array/>
      </dict>
    </dict>
  </dict>
  <key>buttonAssignDict</key><array><string>3</string></array>
  <key>gesturesAppsArray</key><dict/>
</dict>
</plist>
)");
    ProgramRun run(folder.path());
    EXPECT_FALSE(KxDefaults::getGrabButtonNumber());
    EXPECT_EQ(KxDefaults::getAutoScrollButtonNumber(), 2);
    DisplaysManager::setupDisplays();
    auto display = run.keeper().getAllCurrentDisplays().at("1-2-3");
    ASSERT_EQ(display->apps.size(), 1u);
    const auto& global = display->apps.at("com.global")->scrollSettings;
    EXPECT_TRUE(global.isReverseVertical);
    EXPECT_EQ(global.verticalLinesNumber, 4.5);
    EXPECT_EQ(global.scrollSpeed, 700);
    EXPECT_TRUE(global.isAnimatingVerticalScroll);

    ButtonAssignments::loadIntoSettingsKeeper();
    EXPECT_TRUE(run.keeper().getMouseButtonsDict().empty());
    EXPECT_FALSE(KxDefaults::getGesturesAppsArray());
    // Saving writes a registry that reads back cleanly.
    ASSERT_TRUE(DisplaysManager::saveAllDisplays());
    auto saved = KxDefaults::getAllDisplaysScrollSettings();
    ASSERT_TRUE(saved);
    auto reread = DictConvertor::createDictOfObjectsFromDict(*saved);
    EXPECT_EQ(reread.at("1-2-3")->apps.at("com.global")->scrollSettings.scrollSpeed, 700);
}

}  // namespace
}  // namespace wexo
