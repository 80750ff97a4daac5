#include "platform/linux/x11/X11HotKeys.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <algorithm>

#include "platform/Log.h"
#include "platform/linux/KeyCodes.h"

namespace wexo::platform::x11 {

namespace {
constexpr int kXKeycodeOffset = 8;

unsigned xModifiers(std::uint32_t carbon) {
    unsigned m = 0;
    if (carbon & CarbonModifiers::Shift) m |= ShiftMask;
    if (carbon & CarbonModifiers::Control) m |= ControlMask;
    if (carbon & CarbonModifiers::Option) m |= Mod1Mask;
    if (carbon & CarbonModifiers::Command) m |= Mod4Mask;
    return m;
}
}  // namespace

class X11HotKeys::Registration : public HotKeyRegistration {
  public:
    Registration(X11HotKeys& owner, std::shared_ptr<Grab> grab, std::vector<unsigned> locks)
        : list_(owner.grabs_), owner_(&owner), grab_(std::move(grab)), locks_(std::move(locks)) {}
    ~Registration() override {
        auto list = list_.lock();
        if (!list) return;  // the hot keys, and their connection, are gone
        std::erase(*list, grab_);
        X11Connection& c = owner_->c_;
        c.trapErrors([&] {
            for (unsigned lock : locks_)
                XUngrabKey(c.display(), grab_->keycode, grab_->modifiers | lock, c.root());
        });
    }

  private:
    std::weak_ptr<List> list_;
    X11HotKeys* owner_;
    std::shared_ptr<Grab> grab_;
    std::vector<unsigned> locks_;
};

X11HotKeys::X11HotKeys(X11Connection& connection, std::function<Point(int, int)> toGlobal)
    : c_(connection), toGlobal_(std::move(toGlobal)) {
    // Held keys repeat as presses alone, so a repeat is no release.
    XkbSetDetectableAutoRepeat(c_.display(), True, nullptr);
}

unsigned X11HotKeys::numLockMask() const {
    const KeyCode numLock = XKeysymToKeycode(c_.display(), XK_Num_Lock);
    XModifierKeymap* map = XGetModifierMapping(c_.display());
    unsigned mask = 0;
    for (int mod = 0; map && mod < 8 && numLock != 0; ++mod)
        for (int k = 0; k < map->max_keypermod; ++k)
            if (map->modifiermap[mod * map->max_keypermod + k] == numLock) mask = 1u << mod;
    if (map) XFreeModifiermap(map);
    return mask;
}

std::vector<unsigned> X11HotKeys::lockCombinations() const {
    const unsigned numLock = numLockMask();
    std::vector<unsigned> locks{0, LockMask};
    if (numLock != 0) {
        locks.push_back(numLock);
        locks.push_back(numLock | LockMask);
    }
    return locks;
}

Subscription X11HotKeys::installHandler(std::function<int(const HotKeyEvent&)> handler) {
    return handlers_.add(std::move(handler));
}

std::unique_ptr<HotKeyRegistration> X11HotKeys::registerHotKey(std::uint32_t keyCode,
                                                               std::uint32_t modifiers,
                                                               HotKeyId id) {
    const auto code =
        keyCode <= 0xFFFF ? lnx::linuxKeyCode(static_cast<std::uint16_t>(keyCode)) : std::nullopt;
    if (!code) return nullptr;
    auto grab = std::make_shared<Grab>();
    grab->keycode = static_cast<unsigned>(*code + kXKeycodeOffset);
    grab->modifiers = xModifiers(modifiers);
    grab->id = id;
    const auto locks = lockCombinations();
    std::vector<unsigned> taken;
    for (unsigned lock : locks) {
        const int error = c_.trapErrors([&] {
            XGrabKey(c_.display(), static_cast<int>(grab->keycode), grab->modifiers | lock,
                     c_.root(), False, GrabModeAsync, GrabModeAsync);
        });
        if (error != 0) {
            // Half a hot key (working only with some locks on) would be a
            // puzzle to the user: all or nothing.
            c_.trapErrors([&] {
                for (unsigned t : taken)
                    XUngrabKey(c_.display(), static_cast<int>(grab->keycode), grab->modifiers | t,
                               c_.root());
            });
            platform::Log::write(
                LogLevel::Warning, __FILE__, __LINE__,
                objcFormat("Key %u is taken by another program (X error %d)", keyCode, error));
            return nullptr;
        }
        taken.push_back(lock);
    }
    grabs_->push_back(grab);
    return std::make_unique<Registration>(*this, grab, locks);
}

bool X11HotKeys::handleEvent(const XEvent& e) {
    if (e.type != KeyPress && e.type != KeyRelease) return false;
    const XKeyEvent& k = e.xkey;
    const unsigned relevant = k.state & (ShiftMask | ControlMask | Mod1Mask | Mod4Mask);
    auto it = std::find_if(grabs_->begin(), grabs_->end(), [&](const auto& g) {
        return g->keycode == k.keycode && g->modifiers == relevant;
    });
    if (it == grabs_->end()) return false;
    std::shared_ptr<Grab> grab = *it;
    HotKeyEvent event;
    event.id = grab->id;
    event.location = toGlobal_(k.x_root, k.y_root);
    if (e.type == KeyPress) {
        if (grab->held) return true;
        grab->held = true;
        event.kind = HotKeyEvent::Kind::Pressed;
    } else {
        grab->held = false;
        event.kind = HotKeyEvent::Kind::Released;
    }
    handlers_.forEach([&](const auto& handler) { return handler(event) != kEventNotHandledErr; },
                      /*newestFirst=*/true);
    return true;
}

}  // namespace wexo::platform::x11
