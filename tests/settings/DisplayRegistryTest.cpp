#include <gtest/gtest.h>

#include "SettingsTestDesktop.h"
#include "settings/DictConvertor.h"
#include "settings/DisplaysManager.h"
#include "settings/KxDefaults.h"

namespace wexo {
namespace {

platform::ScreenInfo screen(platform::DisplayId id, platform::Rect frame, std::uint32_t vendor,
                            std::uint32_t model, std::uint32_t serial,
                            std::map<std::string, std::string> names = {}) {
    platform::ScreenInfo s;
    s.screenNumber = id;
    s.frame = frame;
    s.visibleFrame = frame;
    s.vendorNumber = vendor;
    s.modelNumber = model;
    s.serialNumber = serial;
    s.productNames = std::move(names);
    return s;
}

// A main display of 1920 x 1080 and, to its right, a 1280 x 1024 display
// aligned at the bottom: in Quartz terms it spans x 1920..3200, y 56..1080.
class DisplayRegistryTest : public testing::SettingsTestDesktop {
  protected:
    DisplayRegistryTest() {
        desktop().simScreens().setScreens(
            {screen(1, platform::Rect(0, 0, 1920, 1080), 1610, 41001, 7,
                    {{"en_US", "DELL U2720Q"}, {"de_DE", "DELL-Monitor"}}),
             screen(2, platform::Rect(1920, 0, 1280, 1024), 4268, 8, 0)});
    }

    std::shared_ptr<SingleDisplay> entry(const std::string& serial) {
        auto& registry = keeper().getAllCurrentDisplays();
        auto it = registry.find(serial);
        return it == registry.end() ? nullptr : it->second;
    }

    // Stores a registry holding the given displays.
    void storeRegistry(const std::vector<std::shared_ptr<SingleDisplay>>& displays) {
        DisplaysDict dict;
        for (const auto& d : displays) dict[d->serial] = d;
        KxDefaults::setAllDisplaysScrollSettings(
            DictConvertor::createDictFromDictOfDisplayObjects(dict));
    }

    static std::shared_ptr<SingleDisplay> storedDisplay(
        const std::string& serial, std::vector<std::shared_ptr<AppWithScrollSettings>> apps) {
        auto d = std::make_shared<SingleDisplay>();
        d->serial = serial;
        d->displayName = "stale name";
        d->listLocation = "9";
        for (auto& app : apps) d->apps[app->bundleId] = app;
        return d;
    }

    static std::shared_ptr<AppWithScrollSettings> app(const std::string& bundleId,
                                                      const std::string& location,
                                                      std::int64_t speed) {
        SingleScrollSettingsObject s;
        s.scrollSpeed = speed;
        return std::make_shared<AppWithScrollSettings>(bundleId, bundleId, "/Applications/x.app",
                                                       location, s);
    }
};

TEST_F(DisplayRegistryTest, AFirstLaunchBuildsAllScreensAndOneEntryPerScreen) {
    DisplaysManager::setupDisplays();
    auto& registry = keeper().getAllCurrentDisplays();
    ASSERT_EQ(registry.size(), 3u);

    auto all = entry("0-0-0");
    ASSERT_TRUE(all);
    EXPECT_EQ(all->displayName, "All Screens");
    EXPECT_EQ(all->listLocation, "0");
    EXPECT_EQ(all->screenID, 0u);
    ASSERT_EQ(all->apps.size(), 1u);
    const auto& global = all->apps.at("com.global");
    EXPECT_EQ(global->prettyName, "Global");
    EXPECT_EQ(global->listLocation, "0");
    EXPECT_EQ(global->appImagePath, "");
    EXPECT_TRUE(global->scrollSettings.sameSettingsAs(SingleScrollSettingsObject()));

    auto dell = entry("1610-41001-7");
    ASSERT_TRUE(dell);
    EXPECT_EQ(dell->displayName, "1. DELL U2720Q");
    EXPECT_EQ(dell->listLocation, "1");
    EXPECT_EQ(dell->screenID, 1u);
    auto second = entry("4268-8-0");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->displayName, "2. unknown");  // no product name reported
    EXPECT_EQ(second->listLocation, "2");

    const auto& array = keeper().getAllDisplaysArray();
    ASSERT_EQ(array.size(), 3u);
    EXPECT_EQ(array[0], all);
    EXPECT_EQ(array[1], dell);
    EXPECT_EQ(array[2], second);
}

TEST_F(DisplayRegistryTest, ANewDisplayGetsCopiesOfTheAllScreensEntries) {
    storeRegistry(
        {storedDisplay("0-0-0", {app("com.global", "0", 300), app("com.apple.Safari", "1", 250)})});
    DisplaysManager::setupDisplays();
    auto all = entry("0-0-0");
    auto dell = entry("1610-41001-7");
    ASSERT_EQ(dell->apps.size(), 2u);
    for (const char* bundleId : {"com.global", "com.apple.Safari"}) {
        const auto& mine = dell->apps.at(bundleId);
        const auto& template_ = all->apps.at(bundleId);
        EXPECT_NE(mine.get(), template_.get()) << bundleId;
        EXPECT_TRUE(mine->scrollSettings.sameSettingsAs(template_->scrollSettings));
        EXPECT_EQ(mine->listLocation, template_->listLocation);
    }
    EXPECT_EQ(dell->apps.at("com.apple.Safari")->scrollSettings.scrollSpeed, 250);
    // Editing the copy leaves the template (and the other display) alone.
    dell->apps.at("com.apple.Safari")->scrollSettings.scrollSpeed = 999;
    EXPECT_EQ(all->apps.at("com.apple.Safari")->scrollSettings.scrollSpeed, 250);
    EXPECT_EQ(entry("4268-8-0")->apps.at("com.apple.Safari")->scrollSettings.scrollSpeed, 250);
}

TEST_F(DisplayRegistryTest, AKnownDisplayKeepsItsStoredTableButNotItsStoredName) {
    storeRegistry({storedDisplay("0-0-0", {app("com.global", "0", 300)}),
                   storedDisplay("1610-41001-7",
                                 {app("com.global", "0", 100), app("com.apple.mail", "1", 150)})});
    DisplaysManager::setupDisplays();
    auto dell = entry("1610-41001-7");
    EXPECT_EQ(dell->displayName, "1. DELL U2720Q");
    EXPECT_EQ(dell->listLocation, "1");
    ASSERT_EQ(dell->apps.size(), 2u);
    EXPECT_EQ(dell->apps.at("com.global")->scrollSettings.scrollSpeed, 100);
    EXPECT_EQ(dell->apps.at("com.apple.mail")->scrollSettings.scrollSpeed, 150);
    // The display not stored yet starts from All Screens.
    EXPECT_EQ(entry("4268-8-0")->apps.at("com.global")->scrollSettings.scrollSpeed, 300);
}

TEST_F(DisplayRegistryTest, ASaveDropsDisplaysThatAreNotConnected) {
    storeRegistry({storedDisplay("0-0-0", {app("com.global", "0", 300)}),
                   storedDisplay("9-9-9", {app("com.global", "0", 123)})});
    DisplaysManager::setupDisplays();
    EXPECT_FALSE(entry("9-9-9"));
    ASSERT_TRUE(DisplaysManager::saveAllDisplays());
    auto stored = KxDefaults::getAllDisplaysScrollSettings();
    ASSERT_TRUE(stored);
    EXPECT_FALSE(stored->count("9-9-9"));
    EXPECT_EQ(stored->size(), 3u);
    EXPECT_EQ(memoryStore().synchronizeCount(), 1);
}

TEST_F(DisplayRegistryTest, IdenticalMonitorsShareOneEntry) {
    desktop().simScreens().setScreens({screen(1, platform::Rect(0, 0, 1920, 1080), 5, 6, 7),
                                       screen(2, platform::Rect(1920, 0, 1920, 1080), 5, 6, 7)});
    DisplaysManager::setupDisplays();
    EXPECT_EQ(keeper().getAllCurrentDisplays().size(), 2u);
    EXPECT_EQ(keeper().getAllDisplaysArray().size(), 2u);
    ASSERT_TRUE(entry("5-6-7"));
}

TEST_F(DisplayRegistryTest, ADisplayWithoutIdentityDoesNotReplaceAllScreens) {
    desktop().simScreens().setScreens({screen(1, platform::Rect(0, 0, 1920, 1080), 0, 0, 0),
                                       screen(2, platform::Rect(1920, 0, 1920, 1080), 5, 6, 7)});
    DisplaysManager::setupDisplays();
    auto all = entry("0-0-0");
    ASSERT_TRUE(all);
    EXPECT_EQ(all->displayName, "All Screens");
    EXPECT_EQ(all->screenID, 0u);
    EXPECT_EQ(entry("5-6-7")->listLocation, "2");
    EXPECT_EQ(keeper().getAllDisplaysArray().front(), all);
    // The pointer on it finds the All Screens settings.
    desktop().simEventStream().setPointer({100, 100});
    EXPECT_EQ(DisplaysManager::getDisplayForClick(), all);
}

TEST_F(DisplayRegistryTest, TheDisplayUnderThePointer) {
    DisplaysManager::setupDisplays();
    desktop().simEventStream().setPointer({2000, 500});
    EXPECT_EQ(DisplaysManager::getDisplayForClick(), entry("4268-8-0"));
    desktop().simEventStream().setPointer({100, 100});
    EXPECT_EQ(DisplaysManager::getDisplayForClick(), entry("1610-41001-7"));
    // Above the lower display, outside every screen.
    desktop().simEventStream().setPointer({2000, 20});
    EXPECT_FALSE(DisplaysManager::getDisplayForClick());
    EXPECT_TRUE(logged(platform::LogLevel::Error).empty());

    desktop().simScreens().setDisplayQueriesFail(true);
    desktop().simEventStream().setPointer({100, 100});
    EXPECT_FALSE(DisplaysManager::getDisplayForClick());
    EXPECT_EQ(logged(platform::LogLevel::Error), std::vector<std::string>{"ERROR."});
}

TEST_F(DisplayRegistryTest, TheFrameOfADisplay) {
    DisplaysManager::setupDisplays();
    EXPECT_EQ(DisplaysManager::getRectForDisplay(*entry("4268-8-0")),
              platform::Rect(1920, 0, 1280, 1024));
    EXPECT_TRUE(DisplaysManager::getRectForDisplay(*entry("0-0-0")).isZero());
}

TEST_F(DisplayRegistryTest, AnApplicationWithoutItsOwnEntryUsesTheDisplaysGlobalSet) {
    storeRegistry(
        {storedDisplay("0-0-0", {app("com.global", "0", 300), app("com.apple.Safari", "1", 250)}),
         storedDisplay("1610-41001-7", {app("com.global", "0", 100)})});
    DisplaysManager::setupDisplays();
    auto dell = entry("1610-41001-7");
    auto chosen = DisplaysManager::getAppForDisplay(*dell, "com.apple.Safari");
    EXPECT_EQ(chosen, dell->apps.at("com.global"));
    EXPECT_EQ(chosen->scrollSettings.scrollSpeed, 100);
    EXPECT_EQ(DisplaysManager::getAppForDisplay(*entry("0-0-0"), "com.apple.Safari")
                  ->scrollSettings.scrollSpeed,
              250);
    SingleDisplay empty;
    EXPECT_FALSE(DisplaysManager::getAppForDisplay(empty, "com.apple.Safari"));
}

TEST_F(DisplayRegistryTest, AStoredTableWithoutGlobalGetsAFreshOne) {
    storeRegistry({storedDisplay("0-0-0", {app("com.apple.Safari", "1", 250)})});
    DisplaysManager::setupDisplays();
    auto all = entry("0-0-0");
    ASSERT_TRUE(all->apps.count("com.global"));
    EXPECT_TRUE(
        all->apps.at("com.global")->scrollSettings.sameSettingsAs(SingleScrollSettingsObject()));
    EXPECT_EQ(all->apps.at("com.apple.Safari")->scrollSettings.scrollSpeed, 250);
}

TEST(NextListPosition, IsOneMoreThanTheLargestTakenAsANumber) {
    SingleDisplay display;
    EXPECT_EQ(DisplaysManager::getLocationForDisplayLastApp(display), "1");
    for (int i = 0; i <= 10; ++i) {
        auto a = std::make_shared<AppWithScrollSettings>();
        a->listLocation = std::to_string(i);
        display.apps["app" + std::to_string(i)] = a;
    }
    // As text "9" sorts after "10"; as numbers 10 is the largest.
    EXPECT_EQ(DisplaysManager::getLocationForDisplayLastApp(display), "11");
    display.apps["odd"] = std::make_shared<AppWithScrollSettings>();
    display.apps["odd"]->listLocation = "not a number";
    EXPECT_EQ(DisplaysManager::getLocationForDisplayLastApp(display), "11");
}

TEST_F(DisplayRegistryTest, ProductNames) {
    EXPECT_EQ(SingleDisplay::screenNameForDisplay(1), "DELL U2720Q");
    EXPECT_EQ(SingleDisplay::screenNameForDisplay(2), "unknown");   // no names reported
    EXPECT_EQ(SingleDisplay::screenNameForDisplay(77), "unknown");  // no such display
    EXPECT_NE(SingleDisplay::IOServicePortFromCGDisplayID(1),
              SingleDisplay::IOServicePortFromCGDisplayID(2));
    // Only an English name counts.
    desktop().simScreens().setScreens(
        {screen(1, platform::Rect(0, 0, 800, 600), 1, 1, 1, {{"de_DE", "Bildschirm"}})});
    EXPECT_EQ(SingleDisplay::screenNameForDisplay(1), "unknown");
    desktop().simScreens().setScreens(
        {screen(1, platform::Rect(0, 0, 800, 600), 1, 1, 1, {{"en_US", "Panel"}})});
    EXPECT_EQ(SingleDisplay::screenNameForDisplay(1), "Panel");
    desktop().simScreens().setDisplayServicesFail(true);
    EXPECT_EQ(SingleDisplay::IOServicePortFromCGDisplayID(1), 0u);
    EXPECT_EQ(SingleDisplay::screenNameForDisplay(1), "unknown");
}

}  // namespace
}  // namespace wexo
