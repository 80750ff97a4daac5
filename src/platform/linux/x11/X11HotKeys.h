#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/CallbackList.h"
#include "platform/HotKeys.h"
#include "platform/linux/x11/X11Connection.h"

namespace wexo::platform::x11 {

// Hot keys as passive key grabs on the root window. A grab matches its
// modifiers exactly, so each key is grabbed once for every combination of
// the lock modifiers (Caps Lock, Num Lock): the key works whatever locks are
// on. A key that another client holds (BadAccess) is not registered.
class X11HotKeys : public HotKeys {
  public:
    // `toGlobal` turns root coordinates into global ones.
    X11HotKeys(X11Connection& connection, std::function<Point(int, int)> toGlobal);

    Subscription installHandler(std::function<int(const HotKeyEvent&)> handler) override;
    std::unique_ptr<HotKeyRegistration> registerHotKey(std::uint32_t keyCode,
                                                       std::uint32_t modifiers,
                                                       HotKeyId id) override;

    // Key events of a grabbed key; true when it was one.
    bool handleEvent(const XEvent& event);

  private:
    struct Grab {
        unsigned keycode = 0;
        unsigned modifiers = 0;  // X modifier mask without locks
        HotKeyId id;
        bool held = false;
    };
    class Registration;
    using List = std::vector<std::shared_ptr<Grab>>;

    std::vector<unsigned> lockCombinations() const;
    unsigned numLockMask() const;

    X11Connection& c_;
    std::function<Point(int, int)> toGlobal_;
    std::shared_ptr<List> grabs_ = std::make_shared<List>();
    CallbackList<std::function<int(const HotKeyEvent&)>> handlers_;
};

}  // namespace wexo::platform::x11
