#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "actions/AppWithGestures.h"
#include "actions/Gesture.h"
#include "actions/MouseButton.h"
#include "platform/Geometry.h"
#include "plist/Value.h"
#include "settings/SingleDisplay.h"

namespace wexo {

// The in-memory copy of the settings that the event paths read instead of
// the preference store. The screens fill it when they load and keep it
// current; nothing reloads it from the store later.
//
// Threads: the tables (assignments, gestures, displays) belong to the main
// thread. Every single number and flag is atomic, because the display-link
// threads of the scroll, grab and auto-scroll engines read them while the
// screens may write them. The window rectangles form a group that a frame
// must see whole, so they are copied in and out under a small lock.
class SettingsKeeper {
  public:
    // Button number text -> modifier mask text -> assignment.
    using MouseButtonsDict =
        std::map<std::string, std::map<std::string, std::shared_ptr<MouseButton>>>;
    // Bundle identifier -> (directions, or bound button number text) -> gesture.
    using GesturesDict = std::map<std::string, std::map<std::string, std::shared_ptr<Gesture>>>;
    using MouseButtonsArray = std::vector<std::shared_ptr<MouseButton>>;
    using DisplaysArray = std::vector<std::shared_ptr<SingleDisplay>>;

    // The window under the pointer and the frames of the windows in front of
    // it that overlap it, as one consistent reading.
    struct WindowRects {
        platform::Rect currentWindowRect;
        std::vector<platform::Rect> overlappingRectsArray;
    };

    SettingsKeeper() = default;
    SettingsKeeper(const SettingsKeeper&) = delete;
    SettingsKeeper& operator=(const SettingsKeeper&) = delete;

    // The installed instance (the composition root owns it).
    static SettingsKeeper& shared();

    // Rebuilds allGestures from the applications' gesture lists: per
    // application, its gestures keyed by their directions, or by their bound
    // button's number as text; a later gesture with the same key replaces an
    // earlier one, and a gesture with neither is left out.
    void setGesturesFromApps(const std::vector<std::shared_ptr<AppWithGestures>>& apps);
    // The drawn gesture (no bound button) stored under these directions.
    std::shared_ptr<Gesture> fetchGestureByBundleWndDirections(const std::string& bundle,
                                                               const std::string& wndDirections);
    // The rocker gesture (with a bound button) stored under this button number text.
    std::shared_ptr<Gesture> fetchGestureByBundleWithdBindNumberStr(
        const std::string& bundle, const std::string& withdBindNumberStr);

    // Main thread: the tables are handed out by reference so that the
    // screens edit the same objects the taps read.
    MouseButtonsDict& getMouseButtonsDict() { return mouseButtonsDict_; }
    void setMouseButtonsDict(MouseButtonsDict v) { mouseButtonsDict_ = std::move(v); }
    GesturesDict& getAllGestures() { return allGestures_; }
    void setAllGestures(GesturesDict v) { allGestures_ = std::move(v); }
    // Kept for completeness of the cache; nothing fills or reads it.
    plist::Dictionary& getAllScrollSettings() { return allScrollSettings_; }
    void setAllScrollSettings(plist::Dictionary v) { allScrollSettings_ = std::move(v); }
    MouseButtonsArray& getMouseButtonsArray() { return mouseButtonsArray_; }
    void setMouseButtonsArray(MouseButtonsArray v) { mouseButtonsArray_ = std::move(v); }

    // Any thread.
    std::optional<std::int64_t> getGestureNumber() const { return gestureNumber_.load(); }
    void setGestureNumber(std::optional<std::int64_t> v) { gestureNumber_.store(v); }
    std::optional<std::int64_t> getGrabButtonNumber() const { return grabButtonNumber_.load(); }
    void setGrabButtonNumber(std::optional<std::int64_t> v) { grabButtonNumber_.store(v); }
    std::optional<std::int64_t> getGrabKeyNumber() const { return grabKeyNumber_.load(); }
    void setGrabKeyNumber(std::optional<std::int64_t> v) { grabKeyNumber_.store(v); }
    std::optional<std::int64_t> getAutoScrollButtonNumber() const {
        return autoScrollButtonNumber_.load();
    }
    void setAutoScrollButtonNumber(std::optional<std::int64_t> v) {
        autoScrollButtonNumber_.store(v);
    }
    std::int64_t getAutoScrollSuperSlowDownNumber() const {
        return autoScrollSuperSlowDownNumber_.load();
    }
    void setAutoScrollSuperSlowDownNumber(std::int64_t v) {
        autoScrollSuperSlowDownNumber_.store(v);
    }
    double getGrabAccelNumber() const { return grabAccelNumber_.load(); }
    void setGrabAccelNumber(double v) { grabAccelNumber_.store(v); }
    double getAutoScrollAccelNumber() const { return autoScrollAccelNumber_.load(); }
    void setAutoScrollAccelNumber(double v) { autoScrollAccelNumber_.store(v); }

    platform::Rect getCurrentWindowRect() const;
    void setCurrentWindowRect(platform::Rect v);
    std::vector<platform::Rect> getOverlappingRectsArray() const;
    void setOverlappingRectsArray(std::vector<platform::Rect> v);
    WindowRects getWindowRects() const;
    void setWindowRects(WindowRects v);
    // Calls read(currentWindowRect, overlappingRectsArray) under the lock and
    // answers what it answers: a consistent reading without a copy, for the
    // display-link frames, which must not allocate. `read` must not call back
    // into the rectangles.
    template <class Read>
    decltype(auto) readWindowRects(Read&& read) const {
        std::lock_guard lock(windowRectsMutex_);
        return std::forward<Read>(read)(currentWindowRect_, overlappingRectsArray_);
    }

    bool getIsReverseGrabVertical() const { return isReverseGrabVertical_.load(); }
    void setIsReverseGrabVertical(bool v) { isReverseGrabVertical_.store(v); }
    bool getIsReverseGrabHorizontal() const { return isReverseGrabHorizontal_.load(); }
    void setIsReverseGrabHorizontal(bool v) { isReverseGrabHorizontal_.store(v); }
    bool getIsReverseAutoScrollVertical() const { return isReverseAutoScrollVertical_.load(); }
    void setIsReverseAutoScrollVertical(bool v) { isReverseAutoScrollVertical_.store(v); }
    bool getIsReverseAutoScrollHorizontal() const { return isReverseAutoScrollHorizontal_.load(); }
    void setIsReverseAutoScrollHorizontal(bool v) { isReverseAutoScrollHorizontal_.store(v); }
    bool getIsDisableGrabAction() const { return isDisableGrabAction_.load(); }
    void setIsDisableGrabAction(bool v) { isDisableGrabAction_.store(v); }
    bool getIsDisableGrabMoveCursor() const { return isDisableGrabMoveCursor_.load(); }
    void setIsDisableGrabMoveCursor(bool v) { isDisableGrabMoveCursor_.store(v); }
    bool getIsAnimateThrow() const { return isAnimateThrow_.load(); }
    void setIsAnimateThrow(bool v) { isAnimateThrow_.store(v); }
    bool getIsAnimateRelease() const { return isAnimateRelease_.load(); }
    void setIsAnimateRelease(bool v) { isAnimateRelease_.store(v); }
    bool getIsSmartAutoScroll() const { return isSmartAutoScroll_.load(); }
    void setIsSmartAutoScroll(bool v) { isSmartAutoScroll_.store(v); }
    bool getIsOverLinkActAsButtonOutlt() const { return isOverLinkActAsButtonOutlt_.load(); }
    void setIsOverLinkActAsButtonOutlt(bool v) { isOverLinkActAsButtonOutlt_.store(v); }
    bool getIsHoldToActivate() const { return isHoldToActivate_.load(); }
    void setIsHoldToActivate(bool v) { isHoldToActivate_.store(v); }
    double getThrowDuration() const { return throwDuration_.load(); }
    void setThrowDuration(double v) { throwDuration_.store(v); }
    double getReleaseDuration() const { return releaseDuration_.load(); }
    void setReleaseDuration(double v) { releaseDuration_.store(v); }

    // Main thread: the display registry.
    DisplaysDict& getAllCurrentDisplays() { return allCurrentDisplays_; }
    void setAllCurrentDisplays(DisplaysDict v) { allCurrentDisplays_ = std::move(v); }
    DisplaysArray& getAllDisplaysArray() { return allDisplaysArray_; }
    void setAllDisplaysArray(DisplaysArray v) { allDisplaysArray_ = std::move(v); }

    // Any thread: whole seconds since 1970 of the last wheel event.
    std::int64_t getLastScrollTimestamp() const { return lastScrollTimestamp_.load(); }
    void setLastScrollTimestamp(std::int64_t v) { lastScrollTimestamp_.store(v); }

  private:
    // An optional integer readable and writable from any thread.
    class AtomicOptionalInt {
      public:
        std::optional<std::int64_t> load() const {
            std::int64_t v = value_.load(std::memory_order_acquire);
            return v == kAbsent ? std::nullopt : std::optional<std::int64_t>(v);
        }
        // The one integer that cannot be stored reads as absent afterwards;
        // no button or key number comes near it.
        void store(std::optional<std::int64_t> v) {
            value_.store(v.value_or(kAbsent), std::memory_order_release);
        }

      private:
        static constexpr std::int64_t kAbsent = std::numeric_limits<std::int64_t>::min();
        std::atomic<std::int64_t> value_{kAbsent};
    };

    MouseButtonsDict mouseButtonsDict_;
    GesturesDict allGestures_;
    plist::Dictionary allScrollSettings_;
    MouseButtonsArray mouseButtonsArray_;
    AtomicOptionalInt gestureNumber_;
    AtomicOptionalInt grabButtonNumber_;
    AtomicOptionalInt grabKeyNumber_;
    AtomicOptionalInt autoScrollButtonNumber_;
    std::atomic<std::int64_t> autoScrollSuperSlowDownNumber_{0};
    std::atomic<double> grabAccelNumber_{0};
    std::atomic<double> autoScrollAccelNumber_{0};
    mutable std::mutex windowRectsMutex_;
    platform::Rect currentWindowRect_;                   // guarded by windowRectsMutex_
    std::vector<platform::Rect> overlappingRectsArray_;  // guarded by windowRectsMutex_
    std::atomic<bool> isReverseGrabVertical_{false};
    std::atomic<bool> isReverseGrabHorizontal_{false};
    std::atomic<bool> isReverseAutoScrollVertical_{false};
    std::atomic<bool> isReverseAutoScrollHorizontal_{false};
    std::atomic<bool> isDisableGrabAction_{false};
    std::atomic<bool> isDisableGrabMoveCursor_{false};
    std::atomic<bool> isAnimateThrow_{false};
    std::atomic<bool> isAnimateRelease_{false};
    std::atomic<bool> isSmartAutoScroll_{false};
    std::atomic<bool> isOverLinkActAsButtonOutlt_{false};
    std::atomic<bool> isHoldToActivate_{false};
    std::atomic<double> throwDuration_{0};
    std::atomic<double> releaseDuration_{0};
    DisplaysDict allCurrentDisplays_;
    DisplaysArray allDisplaysArray_;
    std::atomic<std::int64_t> lastScrollTimestamp_{0};
};

}  // namespace wexo
