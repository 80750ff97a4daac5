#include "settings/DisplaysManager.h"

#include <algorithm>

#include "actions/StoredValues.h"
#include "platform/Log.h"
#include "platform/ObjcFormat.h"
#include "platform/Platform.h"
#include "settings/DictConvertor.h"
#include "settings/KxDefaults.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

namespace {
// A list position as a number, reading the leading integer of the text the
// way the position was written; anything else counts as 0.
std::int64_t positionValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t end = i;
    if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    return StoredValues::decimalKey(std::string_view(text).substr(i, end - i)).value_or(0);
}
}  // namespace

void DisplaysManager::setupDisplays() {
    auto& keeper = SettingsKeeper::shared();
    keeper.setAllCurrentDisplays({});
    DisplaysDict stored;
    if (auto dict = KxDefaults::getAllDisplaysScrollSettings())
        stored = DictConvertor::createDictOfObjectsFromDict(*dict);
    // All Screens first: the displays created next copy its table.
    auto allScreens = std::make_shared<SingleDisplay>(std::nullopt, std::nullopt, stored);
    keeper.getAllCurrentDisplays()[allScreens->serial] = allScreens;

    std::int64_t counter = 1;
    for (const auto& screen : installedPlatform().screens().screens()) {
        auto display = std::make_shared<SingleDisplay>(screen.screenNumber,
                                                       objcFormat("%ld", counter), stored);
        ++counter;
        // A display reporting no vendor, model or serial number has the serial
        // of All Screens; it must not take All Screens' place, so it goes by
        // the All Screens settings.
        if (display->isAllScreens()) {
            platform::Log::write(platform::LogLevel::Warning, __FILE__, __LINE__,
                                 objcFormat("Display %u reports no identity; it uses the "
                                            "settings of All Screens",
                                            screen.screenNumber));
            continue;
        }
        keeper.getAllCurrentDisplays()[display->serial] = display;
    }
    setArrayForDisplays();
}

void DisplaysManager::setArrayForDisplays() {
    auto& keeper = SettingsKeeper::shared();
    SettingsKeeper::DisplaysArray array;
    for (const auto& [serial, display] : keeper.getAllCurrentDisplays()) array.push_back(display);
    std::stable_sort(array.begin(), array.end(), [](const auto& a, const auto& b) {
        return positionValue(a->listLocation) < positionValue(b->listLocation);
    });
    keeper.setAllDisplaysArray(std::move(array));
}

std::shared_ptr<SingleDisplay> DisplaysManager::getDisplayForClick() {
    auto& platform = installedPlatform();
    const platform::Point pointer = platform.eventStream().pointerLocation();
    auto found = platform.screens().displaysWithPoint(pointer, 1);
    if (!found) {
        WEXO_LOG_ERROR("ERROR.");
        return nullptr;
    }
    if (found->empty()) return nullptr;
    const platform::DisplayId displayId = found->front();
    for (const auto& screen : platform.screens().screens()) {
        if (screen.screenNumber != displayId) continue;
        const auto& registry = SettingsKeeper::shared().getAllCurrentDisplays();
        auto it = registry.find(SingleDisplay::serialNumberStringForDisplay(displayId));
        return it == registry.end() ? nullptr : it->second;
    }
    return nullptr;
}

platform::Rect DisplaysManager::getRectForDisplay(const SingleDisplay& display) {
    for (const auto& screen : installedPlatform().screens().screens()) {
        if (screen.screenNumber == display.screenID) return screen.frame;
    }
    return platform::Rect();
}

std::string DisplaysManager::getLocationForDisplayLastApp(const SingleDisplay& display) {
    std::int64_t largest = 0;
    for (const auto& [bundleId, app] : display.apps) {
        if (app) largest = std::max(largest, positionValue(app->listLocation));
    }
    return objcFormat("%ld", largest + 1);
}

std::shared_ptr<AppWithScrollSettings> DisplaysManager::getAppForDisplay(
    const SingleDisplay& display, const std::string& bundleId) {
    if (auto it = display.apps.find(bundleId); it != display.apps.end()) return it->second;
    if (auto it = display.apps.find(AppWithScrollSettings::kGlobalBundleId);
        it != display.apps.end())
        return it->second;
    return nullptr;
}

bool DisplaysManager::saveAllDisplays() {
    const auto& registry = SettingsKeeper::shared().getAllCurrentDisplays();
    bool stored = KxDefaults::setAllDisplaysScrollSettings(
        DictConvertor::createDictFromDictOfDisplayObjects(registry));
    return KxDefaults::sync() && stored;
}

std::optional<SingleScrollSettingsObject> DisplaysManager::migrateSingleSetKeys() {
    if (!KxDefaults::hasScrollLinesNumber()) return std::nullopt;
    const auto migrated = SingleScrollSettingsObject::withMigration();
    for (const auto& display : SettingsKeeper::shared().getAllDisplaysArray()) {
        auto& global = display->apps[AppWithScrollSettings::kGlobalBundleId];
        if (global)
            global->scrollSettings = migrated;
        else
            global = std::make_shared<AppWithScrollSettings>(
                "Global", AppWithScrollSettings::kGlobalBundleId, "", "0", migrated);
    }
    KxDefaults::deleteScrollLinesNumber();
    KxDefaults::sync();
    return migrated;
}

}  // namespace wexo
