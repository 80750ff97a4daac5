#include "platform/sim/SimHotKeys.h"

#include <algorithm>

namespace wexo::platform::sim {

class SimHotKeys::Registration : public HotKeyRegistration {
  public:
    Registration(std::weak_ptr<List> list, std::shared_ptr<Registered> entry)
        : list_(std::move(list)), entry_(std::move(entry)) {}
    ~Registration() override {
        if (auto l = list_.lock()) std::erase(*l, entry_);
    }

  private:
    std::weak_ptr<List> list_;
    std::shared_ptr<Registered> entry_;
};

SimHotKeys::SimHotKeys(SimRunLoop& runLoop, const SimProcess& process)
    : runLoop_(runLoop), process_(process) {}

Subscription SimHotKeys::installHandler(std::function<int(const HotKeyEvent&)> handler) {
    return handlers_.add(std::move(handler));
}

std::unique_ptr<HotKeyRegistration> SimHotKeys::registerHotKey(std::uint32_t keyCode,
                                                               std::uint32_t modifiers,
                                                               HotKeyId id) {
    for (const auto& r : *registrations_)
        if (r->keyCode == keyCode && r->modifiers == modifiers) return nullptr;
    auto entry = std::make_shared<Registered>(Registered{keyCode, modifiers, id});
    registrations_->push_back(entry);
    return std::make_unique<Registration>(registrations_, std::move(entry));
}

std::uint32_t SimHotKeys::carbonModifiers(std::uint64_t flags) {
    std::uint32_t m = 0;
    if (flags & EventFlags::Command) m |= CarbonModifiers::Command;
    if (flags & EventFlags::Shift) m |= CarbonModifiers::Shift;
    if (flags & EventFlags::Alternate) m |= CarbonModifiers::Option;
    if (flags & EventFlags::Control) m |= CarbonModifiers::Control;
    return m;
}

bool SimHotKeys::offer(const Event& event, Point pointer) {
    const bool down = event.type() == EventType::KeyDown;
    if (!process_.alive() || (!down && event.type() != EventType::KeyUp)) return false;
    const auto code =
        static_cast<std::uint32_t>(event.integerField(EventField::KeyboardEventKeycode) & 0xFFFF);
    const std::uint32_t modifiers = carbonModifiers(event.flags());
    auto it = std::find_if(registrations_->begin(), registrations_->end(), [&](const auto& r) {
        return r->keyCode == code && r->modifiers == modifiers;
    });
    if (it == registrations_->end()) return false;
    // Keep the entry alive even if a handler unregisters it.
    std::shared_ptr<Registered> hotKey = *it;

    HotKeyEvent hk;
    hk.id = hotKey->id;
    hk.location = pointer;
    if (down) {
        if (hotKey->held) return true;
        hotKey->held = true;
        hk.kind = HotKeyEvent::Kind::Pressed;
    } else {
        // A key pressed before its hot key was registered is released where
        // its press went.
        if (!hotKey->held) return false;
        hotKey->held = false;
        hk.kind = HotKeyEvent::Kind::Released;
    }
    handlers_.forEach(
        [&](const auto& handler) {
            if (!process_.alive()) return true;
            int status = kEventNotHandledErr;
            runLoop_.runWork([&] { status = handler(hk); });
            return status != kEventNotHandledErr;
        },
        /*newestFirst=*/true);
    return true;
}

}  // namespace wexo::platform::sim
