#include "settings/SettingsKeeper.h"

#include "platform/Shared.h"

namespace wexo {

SettingsKeeper& SettingsKeeper::shared() {
    return SharedSlot<SettingsKeeper>::require();
}

void SettingsKeeper::setGesturesFromApps(
    const std::vector<std::shared_ptr<AppWithGestures>>& apps) {
    GesturesDict gestures;
    for (const auto& app : apps) {
        if (!app) continue;
        std::map<std::string, std::shared_ptr<Gesture>> byKey;
        for (const auto& gesture : app->gestures) {
            if (!gesture) continue;
            // A gesture with neither directions nor a bound button could never
            // be triggered; it stays in the list but not in the index.
            if (auto key = gesture->lookupKey()) byKey[*key] = gesture;
        }
        gestures[app->bundleId] = std::move(byKey);
    }
    allGestures_ = std::move(gestures);
}

std::shared_ptr<Gesture> SettingsKeeper::fetchGestureByBundleWndDirections(
    const std::string& bundle, const std::string& wndDirections) {
    auto app = allGestures_.find(bundle);
    if (app == allGestures_.end()) return nullptr;
    auto gesture = app->second.find(wndDirections);
    if (gesture == app->second.end() || gesture->second->bindButton) return nullptr;
    return gesture->second;
}

std::shared_ptr<Gesture> SettingsKeeper::fetchGestureByBundleWithdBindNumberStr(
    const std::string& bundle, const std::string& withdBindNumberStr) {
    auto app = allGestures_.find(bundle);
    if (app == allGestures_.end()) return nullptr;
    auto gesture = app->second.find(withdBindNumberStr);
    if (gesture == app->second.end() || !gesture->second->bindButton) return nullptr;
    return gesture->second;
}

platform::Rect SettingsKeeper::getCurrentWindowRect() const {
    std::lock_guard lock(windowRectsMutex_);
    return currentWindowRect_;
}

void SettingsKeeper::setCurrentWindowRect(platform::Rect v) {
    std::lock_guard lock(windowRectsMutex_);
    currentWindowRect_ = v;
}

std::vector<platform::Rect> SettingsKeeper::getOverlappingRectsArray() const {
    std::lock_guard lock(windowRectsMutex_);
    return overlappingRectsArray_;
}

void SettingsKeeper::setOverlappingRectsArray(std::vector<platform::Rect> v) {
    std::lock_guard lock(windowRectsMutex_);
    overlappingRectsArray_ = std::move(v);
}

SettingsKeeper::WindowRects SettingsKeeper::getWindowRects() const {
    std::lock_guard lock(windowRectsMutex_);
    return {currentWindowRect_, overlappingRectsArray_};
}

void SettingsKeeper::setWindowRects(WindowRects v) {
    std::lock_guard lock(windowRectsMutex_);
    currentWindowRect_ = v.currentWindowRect;
    overlappingRectsArray_ = std::move(v.overlappingRectsArray);
}

}  // namespace wexo
