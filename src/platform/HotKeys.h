#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/Geometry.h"
#include "platform/Subscription.h"

namespace wexo::platform {

// Carbon's hot-key identifier.
struct HotKeyId {
    std::uint32_t signature = 0;
    std::uint32_t id = 0;
    friend bool operator==(const HotKeyId&, const HotKeyId&) = default;
};

// A hot-key event as the handler receives it.
struct HotKeyEvent {
    enum class Kind : std::uint32_t { Pressed = 5, Released = 6, Other = 0 };
    Kind kind = Kind::Other;
    HotKeyId id;
    // The location of the Quartz event behind the Carbon event (CopyEventCGEvent).
    Point location;
};

// Carbon modifier bits as RegisterEventHotKey takes them.
namespace CarbonModifiers {
inline constexpr std::uint32_t Command = 1 << 8;
inline constexpr std::uint32_t Shift = 1 << 9;
inline constexpr std::uint32_t Option = 1 << 11;
inline constexpr std::uint32_t Control = 1 << 12;
}  // namespace CarbonModifiers

inline constexpr int kNoErr = 0;
inline constexpr int kEventNotHandledErr = -9874;

// A registered hot key (RegisterEventHotKey); destroying it unregisters it.
class HotKeyRegistration {
  public:
    virtual ~HotKeyRegistration() = default;
};

class HotKeys {
  public:
    virtual ~HotKeys() = default;
    // InstallEventHandler on the event dispatcher target for hot-key pressed
    // and released. The handler runs on the main thread and answers an
    // OSStatus (kNoErr or kEventNotHandledErr).
    virtual Subscription installHandler(std::function<int(const HotKeyEvent&)> handler) = 0;
    // RegisterEventHotKey: while registered, key events of this key code with
    // exactly these Carbon modifiers are taken from the stream and reach the
    // handlers. Nothing on failure.
    virtual std::unique_ptr<HotKeyRegistration> registerHotKey(std::uint32_t keyCode,
                                                               std::uint32_t modifiers,
                                                               HotKeyId id) = 0;
};

}  // namespace wexo::platform
