#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plist/Value.h"

namespace wexo {

// The one place that names the preference keys: a getter and a setter per
// key, on the application's preference domain. It supplies no defaults of its
// own; whoever reads a key decides what its absence means. A stored value of
// the wrong type reads as absent (and is logged), so one bad value never
// hides the rest of the domain.
//
// Setters replace what was stored. A number setter given nothing removes the
// key, as storing nothing does. Setters answer false when the store refused
// the value (a number that is not finite). Used on the main thread.
class KxDefaults {
  public:
    // Scrolling
    static std::optional<bool> getScrollingEnabled();  // "scrollingEnabled"
    static bool setScrollingEnabled(bool value);
    // "allDisplaysScrollSettings"
    static std::optional<plist::Dictionary> getAllDisplaysScrollSettings();
    static bool setAllDisplaysScrollSettings(plist::Dictionary value);
    static std::optional<std::vector<std::string>> getDisabledAppsArray();  // "disabledAppsArray"
    static bool setDisabledAppsArray(const std::vector<std::string>& value);

    // Scrolling, single-set keys of older versions (read once by the migration)
    static std::optional<bool> getScrollNative();  // "scrollNative"
    static bool setScrollNative(bool value);
    static std::optional<double> getScrollLinesNumber();  // "scrollLinesNumber"
    // Whether "scrollLinesNumber" is stored at all, whatever its type: its
    // presence is what starts the migration.
    static bool hasScrollLinesNumber();
    static bool setScrollLinesNumber(std::optional<double> value);
    static std::optional<double> getHorzScrollLinesNumber();  // "scrollHorzLinesNumber"
    static bool setHorzScrollLinesNumber(std::optional<double> value);
    static std::optional<bool> getScrollAnimate();  // "scrollAnimate"
    static bool setScrollAnimate(bool value);
    static std::optional<bool> getHorzScrollAnimate();  // "horzScrollAnimate"
    static bool setHorzScrollAnimate(bool value);
    static std::optional<bool> getVerScrollAnimate();  // "verScrollAnimate"
    static bool setVerScrollAnimate(bool value);
    static std::optional<std::int64_t> getScrollAnimationSelected();  // "scrollAnimationSelected"
    static bool setScrollAnimationSelected(std::optional<std::int64_t> value);
    static std::optional<bool> getScrollAnimationContinuous();  // "scrollAnimationContinuous"
    static bool setScrollAnimationContinuous(bool value);
    static std::optional<std::int64_t> getScrollSpeed();  // "scrollSpeed"
    static bool setScrollSpeed(std::optional<std::int64_t> value);
    static std::optional<double> getContinDelta();  // "continDelta"
    static bool setContinDelta(std::optional<double> value);
    static std::optional<bool> getReverseMouse();  // "reverseMouse"
    static bool setReverseMouse(bool value);
    static std::optional<bool> getReverseMouseHorizontal();  // "reverseMouseHorizontal"
    static bool setReverseMouseHorizontal(bool value);
    static std::optional<bool> getEnableMultiplyLines();  // "enableMultiplyLines"
    static bool setEnableMultiplyLines(bool value);
    static std::optional<bool> getEnableDivideLines();  // "enableDivideLines"
    static bool setEnableDivideLines(bool value);
    static std::optional<std::int64_t> getMultiplyLinesNumber();  // "multiplyLinesNumber"
    static bool setMultiplyLinesNumber(std::optional<std::int64_t> value);
    static std::optional<std::int64_t> getDivideLinesNumber();  // "divideLinesNumber"
    static bool setDivideLinesNumber(std::optional<std::int64_t> value);

    // Buttons and gestures
    static std::optional<bool> getButtonsNative();  // "buttonsNative"
    static bool setButtonsNative(bool value);
    static std::optional<plist::Dictionary> getButtonAssignDict();  // "buttonAssignDict"
    static bool setButtonAssignDict(plist::Dictionary value);
    static std::optional<bool> getModifiersOn();  // "modifiersOn"
    static bool setModifiersOn(bool value);
    static std::optional<std::int64_t> getGestureButtonNumber();  // "gestureNumber"
    static bool setGestureButtonNumber(std::optional<std::int64_t> value);
    static std::optional<plist::Array> getGesturesAppsArray();  // "gesturesAppsArray"
    static bool setGesturesAppsArray(plist::Array value);
    static std::optional<std::string> getSupportDirectoryPath();  // "supportDirectoryPath"
    static bool setSupportDirectoryPath(std::optional<std::string> value);
    static std::optional<bool> getHideDrawing();  // "hideDrawing"
    static bool setHideDrawing(bool value);
    static std::optional<bool> getHideOverlay();  // "hideOverlay"
    static bool setHideOverlay(bool value);

    // Grab-and-drag
    static std::optional<std::int64_t> getGrabButtonNumber();  // "grabButtonNumber"
    static bool setGrabButtonNumber(std::optional<std::int64_t> value);
    static std::optional<std::int64_t> getGrabKeyNumber();  // "grabKeyNumber"
    static bool setGrabKeyNumber(std::optional<std::int64_t> value);
    static std::optional<double> getGrabAccelNumber();  // "grabAccelNumber"
    static bool setGrabAccelNumber(std::optional<double> value);
    static std::optional<bool> getDisableGrabAction();  // "disableGrabAction"
    static bool setDisableGrabAction(bool value);
    static std::optional<bool> getDisableMoveCursor();  // "disableMoveGrabCursor"
    static bool setDisableMoveCursor(bool value);
    static std::optional<bool> getAnimateThrow();  // "animateThrow"
    static bool setAnimateThrow(bool value);
    static std::optional<double> getThrowDuration();  // "throwDuration"
    static bool setThrowDuration(std::optional<double> value);
    static std::optional<bool> getGrabReverseMouse();  // "grabReverseMouse"
    static bool setGrabReverseMouse(bool value);
    static std::optional<bool> getGrabReverseMouseHorizontal();  // "reverseGrabMouseHorizontal"
    static bool setGrabReverseMouseHorizontal(bool value);

    // Auto-scroll
    static std::optional<std::int64_t> getAutoScrollButtonNumber();  // "autoScrollButtonNumber"
    static bool setAutoScrollButtonNumber(std::optional<std::int64_t> value);
    static std::optional<double> getAutoScrollNumber();  // "autoScrollAccelNumber"
    static bool setAutoScrollAccelNumber(std::optional<double> value);
    static std::optional<std::int64_t>
    getAutoScrollSuperSlowDownNumber();  // "autoScrollSuperSlowDownNumber"
    static bool setAutoScrollSuperSlowDownNumber(std::optional<std::int64_t> value);
    static std::optional<double> getReleaseDuration();  // "releaseDuration"
    static bool setReleaseDuration(std::optional<double> value);
    static std::optional<bool> getAnimateRelease();  // "animateRelease"
    static bool setAnimateRelease(bool value);
    static std::optional<bool> getSmartScroll();  // "smartAutoScroll"
    static bool setSmartScroll(bool value);
    static std::optional<bool> getOverLinkActAsButtonOutlt();  // "overLinkActAsButton"
    static bool setOverLinkActAsButtonOutlt(bool value);
    static std::optional<bool> getHoldToActivate();  // "holdToActivate"
    static bool setHoldToActivate(bool value);
    static std::optional<bool> getAutoScrollReverseVertical();  // "autoScrollReverseVertical"
    static bool setAutoScrollReverseVertical(bool value);
    static std::optional<bool> getAutoScrollReverseHorizontal();  // "autoScrollReverseHorizontal"
    static bool setAutoScrollReverseHorizontal(bool value);

    // Application and pointer
    static std::optional<bool> getShowOnLaunch();  // "showOnLaunch"
    static bool setShowOnLaunch(bool value);
    static std::optional<bool> getHideMenubarIcon();  // "hiddenMenubarIcon"
    static bool setHideMenubarIcon(bool value);
    static std::optional<double> getCursorAccel();  // "cursorAccel"
    static bool setCursorAccel(std::optional<double> value);
    static std::optional<bool> getCursorAccelEnabled();  // "cursorAccelEnabled"
    static bool setCursorAccelEnabled(bool value);

    // Removers.
    static void deleteScrollNative();
    static void deleteScrollLinesNumber();
    static void removeButtonAssignDict();

    // Forces the domain to its backing store; false when that failed.
    static bool sync();
};

}  // namespace wexo
