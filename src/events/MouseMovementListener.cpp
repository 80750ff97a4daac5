#include "events/MouseMovementListener.h"

#include "events/EventTapOrder.h"
#include "platform/Log.h"
#include "platform/Platform.h"

namespace wexo {

using platform::EventType;

MouseMovementListener::MouseMovementListener() = default;

MouseMovementListener::~MouseMovementListener() = default;

MouseMovementListener& MouseMovementListener::sharedInstance() {
    return SharedSlot<MouseMovementListener>::require();
}

void MouseMovementListener::startListeningToMovment() {
    // A fresh tap at every grab, first among the program's taps (SessionTap).
    movmentEventTap_.reset();
    movmentEventTap_ = createSessionTap(SessionTap::Movement, kMovementMask,
                                        [this](EventType type, platform::Event& event) {
                                            return movementTapCallback(type, event);
                                        });
    if (!movmentEventTap_) {
        WEXO_LOG_ERROR("Movement tap could not be created; the grab gets no movements.");
        return;
    }
    movmentEventTap_->enable(true);
}

void MouseMovementListener::stopListeningToMovment() {
    if (movmentEventTap_) movmentEventTap_->enable(false);
}

bool MouseMovementListener::isListening() const {
    return movmentEventTap_ && movmentEventTap_->isEnabled();
}

platform::Verdict MouseMovementListener::movementTapCallback(EventType type,
                                                             platform::Event& event) {
    // The tap-disabled notifications fall outside the mask and pass too; the
    // tap is not re-enabled after a time-out, the next grab installs a new one.
    if (platform::eventMaskBit(type) & kMovementMask) {
        if (delegate_) delegate_->movmentDetected(event);
    }
    return platform::Verdict::pass();
}

}  // namespace wexo
