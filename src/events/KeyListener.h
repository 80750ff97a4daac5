#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "events/EngineLinks.h"
#include "events/MouseDirectionInspector.h"
#include "events/MouseMovmentDelegate.h"
#include "platform/Event.h"
#include "platform/HotKeys.h"
#include "platform/RunLoop.h"
#include "platform/Shared.h"
#include "platform/Subscription.h"

namespace wexo {

// Grabbing with a keyboard key: the grab key is a system-wide hot key; while
// it is held, pointer movement scrolls through the grab engine, and a short
// tap is given back to the front application as an ordinary key press.
// While no grab key is set, it waits instead for the key the user presses on
// the Grab screen and makes that the grab key. Main thread only.
class KeyListener : public MouseMovmentDelegate {
  public:
    static constexpr platform::HotKeyId kHotKeyId{1, 4};
    // A hold with fewer movement events than this was a tap of the key.
    static constexpr std::int64_t kTapMovements = 20;
    // The tapped key is replayed this long after its release, and the hot
    // key registered again this long after the replay.
    static constexpr double kReplayDelay = 0.1;

    // Records itself as the shared instance.
    KeyListener();
    ~KeyListener() override;
    KeyListener(const KeyListener&) = delete;
    KeyListener& operator=(const KeyListener&) = delete;

    static KeyListener& shared();

    // With a grab key: installs the hot-key handler and registers the key.
    // Without: watches the program's own key presses for the Grab screen.
    void startListeningToKeys();
    // Ends a key grab, unregisters the key, removes the handler and the
    // key watch; a pending re-registration of a tapped key is dropped.
    void stopListeningToKeys();
    // Registers SettingsKeeper's grab key as the hot key (bare key, no
    // modifiers), replacing any registration of ours.
    void registeEvent();
    void unregisterEvent();
    // Replays the grab key as a tap (key down and key up, marked) and registers
    // the hot key again kReplayDelay later.
    void postKeyDelay();

    // A movement during a key grab.
    void movmentDetected(platform::Event& event) override;

    // The hot-key handler: press starts a grab, release ends it (and
    // replays a tapped key). Answers noErr, or eventNotHandledErr for
    // anything that is not our hot key's press or release.
    int hotKeyHandler(const platform::HotKeyEvent& event);
    // The key watch while no grab key is set; drops every key-down.
    std::optional<platform::Event> keyDownMonitor(const platform::Event& event);

    std::int64_t dragCounter() const { return dragCounter_; }
    platform::Point anchorPointForGrab() const { return anchorPointForGrab_; }
    bool isHotKeyRegistered() const { return hotKeyRef_ != nullptr; }
    bool isHandlerInstalled() const { return static_cast<bool>(eventHandlerRef_); }
    bool isCapturingGrabKey() const { return static_cast<bool>(eventMonitor_); }

  private:
    void installHotKeyHandler();
    // The Grab screen is what the user works in: the key neither grabs nor
    // is replayed.
    static bool grabTabCheck();

    std::int64_t dragCounter_ = 0;
    std::unique_ptr<MouseDirectionInspector> directionInspector_;
    GrabEngineLink* grabnDragScroll_ = nullptr;
    platform::Subscription eventMonitor_;
    platform::Subscription eventHandlerRef_;
    std::unique_ptr<platform::HotKeyRegistration> hotKeyRef_;
    platform::Point anchorPointForGrab_;
    // The delayed replay and re-registration of a tapped key.
    std::shared_ptr<platform::Timer> pendingReplay_;
    std::shared_ptr<platform::Timer> pendingRegistration_;

    SharedInstallation<KeyListener> installation_{this};
};

}  // namespace wexo
