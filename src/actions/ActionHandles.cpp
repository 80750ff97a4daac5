#include "actions/ActionHandles.h"

#include <algorithm>

namespace wexo {

ActionHandles::ActionHandles(platform::Platform& platform) : platform_(platform) {}

ActionHandles::~ActionHandles() {
    for (const auto& call : pendingCalls_) call->invalidate();
    if (keepPressedTap_) {
        keepPressedTap_.reset();
        auto up = platform::Event::mouse(platform::EventType::LeftMouseUp,
                                         platform_.eventStream().pointerLocation(),
                                         platform::MouseButton::Left);
        up.setFlags(0);
        platform_.eventStream().post(platform::TapLocation::HID, up);
    }
}

ActionHandles& ActionHandles::shared() {
    return SharedSlot<ActionHandles>::require();
}

std::optional<std::uint32_t> ActionHandles::hidConnection() {
    if (hidConnection_ == 0) {
        // A failed open is not cached: a HID system that comes back later is
        // used from then on.
        hidConnection_ = platform_.hidSystem().openConnection().value_or(0);
    }
    if (hidConnection_ == 0) return std::nullopt;
    return hidConnection_;
}

void ActionHandles::addPendingCall(std::shared_ptr<platform::Timer> timer) {
    std::erase_if(pendingCalls_, [](const auto& call) { return !call->isValid(); });
    pendingCalls_.push_back(std::move(timer));
}

}  // namespace wexo
