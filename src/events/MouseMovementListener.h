#pragma once

#include <cstdint>
#include <memory>

#include "events/MouseMovmentDelegate.h"
#include "platform/Event.h"
#include "platform/EventStream.h"
#include "platform/Shared.h"

namespace wexo {

// A watcher, switched on only while a grab runs, that hands every pointer
// movement to its delegate (the mouse-button grab or the key grab). It never
// swallows: every event it sees is passed on, changed or not. Main thread.
class MouseMovementListener {
  public:
    // The events it watches: left press, pointer moved, left, right and other
    // drags (0x80000E2).
    static constexpr std::uint64_t kMovementMask =
        platform::eventMaskBit(platform::EventType::LeftMouseDown) |
        platform::eventMaskBit(platform::EventType::MouseMoved) |
        platform::eventMaskBit(platform::EventType::LeftMouseDragged) |
        platform::eventMaskBit(platform::EventType::RightMouseDragged) |
        platform::eventMaskBit(platform::EventType::OtherMouseDragged);

    // Records itself as the shared instance.
    MouseMovementListener();
    ~MouseMovementListener();
    MouseMovementListener(const MouseMovementListener&) = delete;
    MouseMovementListener& operator=(const MouseMovementListener&) = delete;

    static MouseMovementListener& sharedInstance();

    // Installs a fresh tap first among the program's taps (SessionTap), so
    // that it sees movements before the mouse tap, which swallows left
    // presses and drags during a grab; the tap of the previous grab is
    // removed. Without a tap (no Accessibility trust) the
    // grab simply gets no movements; this is logged.
    void startListeningToMovment();
    // Disables the tap.
    void stopListeningToMovment();

    MouseMovmentDelegate* delegate() const { return delegate_; }
    void setDelegate(MouseMovmentDelegate* delegate) { delegate_ = delegate; }

    bool isListening() const;

  private:
    platform::Verdict movementTapCallback(platform::EventType type, platform::Event& event);

    MouseMovmentDelegate* delegate_ = nullptr;
    std::unique_ptr<platform::EventTap> movmentEventTap_;
    SharedInstallation<MouseMovementListener> installation_{this};
};

}  // namespace wexo
