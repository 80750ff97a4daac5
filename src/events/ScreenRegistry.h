#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/Geometry.h"
#include "platform/Shared.h"
#include "platform/Workspace.h"

namespace wexo {

class MouseButton;

// The tab buttons of the preferences window, in their order.
enum class PreferencesTab {
    Scroll = 0,
    Buttons = 1,
    Gestures = 2,
    Grab = 3,
    Auto = 4,
    Settings = 5
};

// What the event paths ask of the preference screens. The screens register
// with the status menu as they load, and the event paths reach them only
// through it (ScreenRegistry); a screen that has not loaded is absent and the
// event paths then behave as if nothing were captured or assigned. Every
// method keeps the contract of the screen's method of the same name.

// The Scroll screen, which owns the tab bar.
class ScrollScreenLink {
  public:
    virtual ~ScrollScreenLink() = default;
    // The tab button has a non-zero state (showButtonsOutlt, showGesturesOutlt …).
    virtual bool isTabOn(PreferencesTab tab) const = 0;
};

class ButtonsScreenLink {
  public:
    virtual ~ButtonsScreenLink() = default;
    // The assignment stored under [button][modifier mask], or nothing.
    virtual std::shared_ptr<MouseButton> fetchMouseButtonByButton(
        std::int64_t button, std::int64_t andModifier) const = 0;
    // Rebuilds the flat list and selects the given entry.
    virtual void convertDictToArrayAndSelectButton(const std::shared_ptr<MouseButton>& button) = 0;
    // The pointer is inside the assignment list (mouseButtonsScrollView).
    virtual bool isInsideScrollView() const = 0;
};

class GesturesScreenLink {
  public:
    virtual ~GesturesScreenLink() = default;
    virtual bool readyForBind() const = 0;
    virtual void setGestureButton(const std::shared_ptr<MouseButton>& button) = 0;
    virtual void setBindButton(const std::shared_ptr<MouseButton>& button) = 0;
};

class GrabScreenLink {
  public:
    virtual ~GrabScreenLink() = default;
    virtual void setGrabButton(const std::shared_ptr<MouseButton>& button,
                               std::optional<std::int64_t> orKeyNumber) = 0;
};

class AutoScreenLink {
  public:
    virtual ~AutoScreenLink() = default;
    virtual void setAutoScrollButton(const std::shared_ptr<MouseButton>& button) = 0;
};

// The full-screen drawing screen shown in the overlay window (fullScreenVC).
class FullScreenLink {
  public:
    virtual ~FullScreenLink() = default;
    // 0 grab anchor, 1 gesture drawing, 2 auto-scroll icon, 3 display name.
    virtual void setViewsState(int state) = 0;
    virtual void readyForDragSettings(platform::Point start) = 0;
    virtual void drawLineWithPosition(platform::Point p) = 0;
    virtual void foundDirection(std::uint64_t direction) = 0;
    virtual void removeAllLines() = 0;
    virtual void setAutoScrollAnchorPoint(platform::Point p) = 0;
};

// The status menu (KxMenu) as the registry of screens, as the event paths
// see it. Installed in SharedSlot<ScreenRegistry> by the menu; absent until then.
class ScreenRegistry {
  public:
    virtual ~ScreenRegistry() = default;
    virtual ScrollScreenLink* scrollVC() = 0;
    virtual ButtonsScreenLink* buttonsVC() = 0;
    virtual GesturesScreenLink* gesturesVC() = 0;
    virtual GrabScreenLink* grabVC() = 0;
    virtual AutoScreenLink* autoVC() = 0;
    virtual FullScreenLink* fullScreenVC() = 0;
    // Retitles the per-application item for the new front-most application.
    virtual void changeActiveAppDisabledStateMenu(
        const std::optional<platform::RunningApplication>& app) = 0;
};

// The installed registry, or nullptr before the status menu exists.
inline ScreenRegistry* screenRegistry() {
    return SharedSlot<ScreenRegistry>::get();
}

}  // namespace wexo
