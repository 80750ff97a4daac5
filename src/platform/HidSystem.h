#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Geometry.h"

namespace wexo::platform {

// The 48-byte system-defined event record of IOHIDPostEvent: a 16-bit
// subtype at offset 2 and the 32-bit data word at offset 4 (host byte order).
struct SystemDefinedRecord {
    std::array<std::uint8_t, 48> bytes{};
};

// The HID system: pointer acceleration and system-defined (media) events.
class HidSystem {
  public:
    virtual ~HidSystem() = default;
    // IOServiceOpen of the "IOHIDSystem" service: a non-zero connection, or
    // nothing when it cannot be opened.
    virtual std::optional<std::uint32_t> openConnection() = 0;
    // IOHIDPostEvent; false when the connection is not valid.
    virtual bool postEvent(std::uint32_t connection, std::uint32_t eventType, Point location,
                           const SystemDefinedRecord& record, std::uint32_t version,
                           std::uint32_t flags, std::uint32_t options) = 0;
    // NXOpenEventStatus + IOHIDGetAccelerationWithKey ("HIDMouseAcceleration"):
    // nothing when the connection cannot be opened or the read fails.
    virtual std::optional<double> getAcceleration(const std::string& key) = 0;
    // IOHIDSetAccelerationWithKey; true when written.
    virtual bool setAcceleration(const std::string& key, double value) = 0;
};

}  // namespace wexo::platform
