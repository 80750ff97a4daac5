#pragma once

#include <memory>
#include <vector>

#include "platform/CallbackList.h"
#include "platform/Event.h"
#include "platform/HotKeys.h"
#include "platform/sim/SimProcess.h"
#include "platform/sim/SimRunLoop.h"

namespace wexo::platform::sim {

// The hot-key system. A key event about to be delivered whose key code and
// modifier keys (Shift, Control, Option, Command of its flags, as Carbon
// bits) equal a registered hot key's is taken instead of delivered: its key
// down reaches the handlers as Pressed (once: further downs while the key
// is held are taken silently), its key up as Released (a key up whose down
// came before the registration is left to be delivered). Handlers run newest
// first until one answers something other than kEventNotHandledErr. Main
// thread only.
class SimHotKeys : public HotKeys {
  public:
    SimHotKeys(SimRunLoop& runLoop, const SimProcess& process);

    Subscription installHandler(std::function<int(const HotKeyEvent&)> handler) override;
    // Fails (nullptr) when the same key and modifiers are already registered.
    std::unique_ptr<HotKeyRegistration> registerHotKey(std::uint32_t keyCode,
                                                       std::uint32_t modifiers,
                                                       HotKeyId id) override;

    // ---- Desktop side ----

    // Offers a key event that is about to be delivered; true when the
    // hot-key system took it. `pointer` is where the pointer is.
    bool offer(const Event& event, Point pointer);
    std::size_t registrationCount() const { return registrations_->size(); }
    std::size_t handlerCount() const { return handlers_.size(); }

    static std::uint32_t carbonModifiers(std::uint64_t eventFlags);

  private:
    struct Registered {
        std::uint32_t keyCode;
        std::uint32_t modifiers;
        HotKeyId id;
        bool held = false;
    };
    using List = std::vector<std::shared_ptr<Registered>>;
    class Registration;

    SimRunLoop& runLoop_;
    const SimProcess& process_;
    std::shared_ptr<List> registrations_ = std::make_shared<List>();
    CallbackList<std::function<int(const HotKeyEvent&)>> handlers_;
};

}  // namespace wexo::platform::sim
