#include "events/FrontMostObserver.h"

#include <utility>
#include <vector>

#include "events/ScreenRegistry.h"
#include "platform/Platform.h"
#include "platform/Shared.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

namespace {

constexpr const char* kDockBundle = "com.apple.dock";
constexpr const char* kVlcBundle = "org.videolan.vlc";
constexpr const char* kDockOwnerName = "Dock";

// Presentation options that mean the front-most window covers the screen:
// full screen or a disabled application menu (either), or the Dock and the
// menu bar both hidden.
constexpr std::uint64_t kFullScreenAny =
    platform::PresentationOptions::FullScreen | platform::PresentationOptions::DisableAppleMenu;
constexpr std::uint64_t kHiddenBoth =
    platform::PresentationOptions::HideDock | platform::PresentationOptions::HideMenuBar;

// Window levels that hold applications' content: normal and floating panels.
constexpr int kNormalWindowLevel = 0;
constexpr int kFloatingWindowLevel = 3;

// "_HIHideMenuBar" as the standard user defaults read it: the application's
// domain first, then the global one.
bool menuBarAutoHidden() {
    auto& store = installedPlatform().preferences();
    auto value = store.objectForKey("_HIHideMenuBar");
    if (!value) value = store.globalObjectForKey("_HIHideMenuBar");
    return value && value->asBool().value_or(false);
}

}  // namespace

FrontMostObserver::~FrontMostObserver() {
    stopObserving();
}

FrontMostObserver& FrontMostObserver::shared() {
    return SharedSlot<FrontMostObserver>::require();
}

void FrontMostObserver::startObserving() {
    observation_ = installedPlatform().workspace().observeFrontmostApplication(
        [this](const std::optional<platform::RunningApplication>& app) {
            setCurrent(app);
            if (auto* menu = screenRegistry()) menu->changeActiveAppDisabledStateMenu(app);
        });
}

void FrontMostObserver::stopObserving() {
    observation_.reset();
}

std::optional<platform::RunningApplication> FrontMostObserver::current() const {
    std::lock_guard lock(currentMutex_);
    return current_;
}

void FrontMostObserver::setCurrent(const std::optional<platform::RunningApplication>& app) {
    std::lock_guard lock(currentMutex_);
    current_ = app;
}

std::string FrontMostObserver::frontMostBundle() {
    auto* observer = SharedSlot<FrontMostObserver>::get();
    if (!observer) return kNoBundle;
    auto app = observer->current();
    return app ? app->bundleIdentifier : kNoBundle;
}

std::optional<platform::RunningApplication> FrontMostObserver::underMouseApp() {
    auto& platform = installedPlatform();
    const auto& workspace = platform.workspace();
    const bool menuBarHidden = menuBarAutoHidden();
    const std::vector<platform::WindowInfo> windows = platform.windowList().onScreenWindows();
    const platform::Point pointer = platform.eventStream().pointerLocation();
    const std::string ownBundle = platform.process().bundleIdentifier();

    bool frontIsVlc = false;
    if (auto* observer = SharedSlot<FrontMostObserver>::get()) {
        auto front = observer->current();
        frontIsVlc = front && front->bundleIdentifier == kVlcBundle;
    }

    // Built here and handed over whole on the way out, so that the display
    // link never sees a half-written pair.
    SettingsKeeper::WindowRects rects;
    auto finish = [&](std::optional<platform::RunningApplication> app) {
        SettingsKeeper::shared().setWindowRects(std::move(rects));
        return app;
    };

    for (std::size_t index = 0; index < windows.size(); ++index) {
        const platform::WindowInfo& entry = windows[index];
        const bool inside = entry.bounds.contains(pointer);
        bool isDock = false;

        if (index == 0) {
            auto owner = workspace.runningApplicationWithProcessIdentifier(entry.ownerPid);
            if (!menuBarHidden && owner && owner->bundleIdentifier == kDockBundle) {
                isDock = true;
            } else if (owner) {
                const std::uint64_t options = owner->presentationOptions;
                const bool coversScreen =
                    (options & kFullScreenAny) != 0 || (options & kHiddenBoth) == kHiddenBoth;
                if (coversScreen && inside) return finish(std::move(owner));
            }
        }

        if (frontIsVlc && inside) {
            auto owner = workspace.runningApplicationWithProcessIdentifier(entry.ownerPid);
            if (owner && owner->bundleIdentifier == kVlcBundle) return finish(std::move(owner));
        }

        if (entry.layer != kNormalWindowLevel && entry.layer != kFloatingWindowLevel && !isDock)
            continue;

        if (!isDock) rects.overlappingRectsArray.push_back(entry.bounds);

        if (!inside) continue;
        if (!isDock) {
            rects.overlappingRectsArray.pop_back();
            rects.currentWindowRect = entry.bounds;
            std::vector<platform::Rect> inFront;
            for (const auto& r : rects.overlappingRectsArray)
                if (r.intersects(rects.currentWindowRect)) inFront.push_back(r);
            rects.overlappingRectsArray = std::move(inFront);
        }
        auto owner = workspace.runningApplicationWithProcessIdentifier(entry.ownerPid);
        // An owner that has gone ends the search: callers fall back to their
        // global settings rather than to a window further back.
        if (!owner) return finish(std::nullopt);
        if (owner->bundleIdentifier != ownBundle) return finish(std::move(owner));
    }
    return finish(std::nullopt);
}

bool FrontMostObserver::isInWindow(const platform::WindowInfo& entry) {
    return getRectFromDict(entry).contains(installedPlatform().eventStream().pointerLocation());
}

platform::Rect FrontMostObserver::getRectFromDict(const platform::WindowInfo& entry) {
    return entry.bounds;
}

bool FrontMostObserver::isExposeOpen() const {
    int dockWindows = 0;
    for (const auto& entry : installedPlatform().windowList().onScreenWindows()) {
        if (entry.ownerName == kDockOwnerName && ++dockWindows == 3) return true;
    }
    return false;
}

}  // namespace wexo
