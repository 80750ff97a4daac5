#include "events/KeyListener.h"

#include "app/HelperMethods.h"
#include "cursor/MouseCursor.h"
#include "events/ApplicationLink.h"
#include "events/MouseMovementListener.h"
#include "events/ProgramInFront.h"
#include "events/ScreenRegistry.h"
#include "platform/EventMarks.h"
#include "platform/Platform.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

using platform::HotKeyEvent;

namespace {

MouseMovementListener* movementListener() {
    return SharedSlot<MouseMovementListener>::get();
}

}  // namespace

KeyListener::KeyListener() = default;

KeyListener::~KeyListener() {
    SharedSlot<KeyListener>::uninstall(this);
    if (pendingReplay_) pendingReplay_->invalidate();
    if (pendingRegistration_) pendingRegistration_->invalidate();
    if (auto* movement = movementListener(); movement && movement->delegate() == this) {
        movement->stopListeningToMovment();
        movement->setDelegate(nullptr);
    }
}

KeyListener& KeyListener::shared() {
    return SharedSlot<KeyListener>::require();
}

void KeyListener::startListeningToKeys() {
    if (SettingsKeeper::shared().getGrabKeyNumber()) {
        installHotKeyHandler();
        registeEvent();
        return;
    }
    eventMonitor_ = installedPlatform().keyMonitors().addLocalMonitor(
        platform::AppEventMask::KeyDown,
        [this](const platform::Event& event) { return keyDownMonitor(event); });
}

void KeyListener::stopListeningToKeys() {
    // The movement watcher may be following a mouse-button grab instead.
    if (auto* movement = movementListener(); movement && movement->delegate() == this) {
        movement->stopListeningToMovment();
        if (auto* grab = grabEngine()) grab->stopScrollWithGrab();
    }
    unregisterEvent();
    // A tapped key waiting to be registered again would come back as a hot
    // key without a handler, and the hot-key system would swallow it.
    if (pendingRegistration_) pendingRegistration_->invalidate();
    eventHandlerRef_.reset();
    eventMonitor_.reset();
}

void KeyListener::installHotKeyHandler() {
    eventHandlerRef_ = installedPlatform().hotKeys().installHandler(
        [this](const HotKeyEvent& event) { return hotKeyHandler(event); });
}

void KeyListener::registeEvent() {
    // A second registration of the same key would fail and leave none.
    hotKeyRef_.reset();
    const auto key = SettingsKeeper::shared().getGrabKeyNumber();
    if (!key) return;
    hotKeyRef_ = installedPlatform().hotKeys().registerHotKey(static_cast<std::uint32_t>(*key), 0,
                                                              kHotKeyId);
}

void KeyListener::unregisterEvent() {
    hotKeyRef_.reset();
}

void KeyListener::postKeyDelay() {
    auto& platform = installedPlatform();
    if (const auto key = SettingsKeeper::shared().getGrabKeyNumber()) {
        // The tap is replayed whole: a key posted down alone would stay held
        // in the front application.
        for (bool down : {true, false}) {
            auto e = platform::Event::keyboard(static_cast<std::uint16_t>(*key & 0xFFFF), down);
            e.setIntegerField(platform::EventField::EventSourceUserData,
                              platform::EventMarks::kSyntheticInput);
            platform.eventStream().post(platform::TapLocation::HID, e);
        }
    }
    pendingRegistration_ = platform.runLoop().performAfterDelay(kReplayDelay, [this] {
        if (isHandlerInstalled()) registeEvent();
    });
}

bool KeyListener::grabTabCheck() {
    return tabIsOnInFront(PreferencesTab::Grab);
}

int KeyListener::hotKeyHandler(const HotKeyEvent& event) {
    if (HelperMethods::isMojaveOrBigger() &&
        !installedPlatform().accessibility().isProcessTrusted(false)) {
        HelperMethods::restartApp();
        return platform::kNoErr;
    }
    if (event.id != kHotKeyId) return platform::kEventNotHandledErr;
    const bool grabTab = grabTabCheck();

    switch (event.kind) {
        case HotKeyEvent::Kind::Pressed: {
            if (grabTab) return platform::kNoErr;
            // A mouse-button grab has the one movement watcher; the key
            // waits until it ends.
            if (auto* buttons = mouseButtonState(); buttons && buttons->grabDown())
                return platform::kNoErr;
            dragCounter_ = 0;
            anchorPointForGrab_ = event.location;
            directionInspector_ = std::make_unique<MouseDirectionInspector>(anchorPointForGrab_);
            grabnDragScroll_ = grabEngine();
            if (grabnDragScroll_) grabnDragScroll_->stopDisplayLink();
            if (auto* movement = movementListener()) {
                movement->setDelegate(this);
                movement->startListeningToMovment();
            }
            return platform::kNoErr;
        }
        case HotKeyEvent::Kind::Released: {
            auto* movement = movementListener();
            // The key's press began no grab (a mouse-button grab ran), or
            // a mouse-button grab took the watcher over since: nothing of
            // the key's is running.
            if (movement && movement->delegate() != this) return platform::kNoErr;
            if (movement) movement->stopListeningToMovment();
            if (auto* application = applicationLink()) application->gestureWindow().close();
            MouseCursor::changeCursorStyle(MouseCursor::kArrow);
            if (auto* grab = grabEngine()) grab->stopScrollWithGrab();
            if (dragCounter_ < kTapMovements &&
                !SettingsKeeper::shared().getIsDisableGrabAction() && !grabTab) {
                // Out of the way, so that the replayed key reaches the front
                // application instead of this handler.
                unregisterEvent();
                pendingReplay_ = installedPlatform().runLoop().performAfterDelay(
                    kReplayDelay, [this] { postKeyDelay(); });
            }
            return platform::kNoErr;
        }
        case HotKeyEvent::Kind::Other:
            break;
    }
    return platform::kEventNotHandledErr;
}

void KeyListener::movmentDetected(platform::Event& event) {
    ++dragCounter_;
    if (!directionInspector_ || !grabnDragScroll_) return;
    directionInspector_->setDelegate(&grabnDragScroll_->directionDelegate());
    directionInspector_->grabDirection(event.location(),
                                       event.doubleField(platform::EventField::MouseEventDeltaX),
                                       event.doubleField(platform::EventField::MouseEventDeltaY));
    MouseCursor::changeCursorStyle(MouseCursor::kClosedHand);
    grabnDragScroll_->startDisplayLink();
}

std::optional<platform::Event> KeyListener::keyDownMonitor(const platform::Event& event) {
    const auto& settings = SettingsKeeper::shared();
    auto* registry = screenRegistry();
    auto* grabScreen = registry ? registry->grabVC() : nullptr;
    if (grabScreen && tabIsOnInFront(PreferencesTab::Grab) && !settings.getGrabButtonNumber() &&
        !settings.getGrabKeyNumber()) {
        // The screen stores the key in the cache, where registeEvent reads it.
        grabScreen->setGrabButton(
            nullptr, event.integerField(platform::EventField::KeyboardEventKeycode) & 0xFFFF);
        installHotKeyHandler();
        registeEvent();
        eventMonitor_.reset();
    }
    return std::nullopt;
}

}  // namespace wexo
