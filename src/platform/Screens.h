#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/DisplayLinks.h"
#include "platform/Geometry.h"

namespace wexo::platform {

// One screen of the system's screen list (NSScreen). `frame` and
// `visibleFrame` are in the screen list's own coordinates: origin at the
// bottom left of the main display, y up (the main display's frame starts at
// 0, 0). Quartz display bounds (top left, y down) come from displayBounds.
struct ScreenInfo {
    DisplayId screenNumber = 0;  // "NSScreenNumber"
    Rect frame;
    Rect visibleFrame;
    std::uint32_t vendorNumber = 0;  // CGDisplayVendorNumber
    std::uint32_t modelNumber = 0;   // CGDisplayModelNumber
    std::uint32_t serialNumber = 0;  // CGDisplaySerialNumber
    // "DisplayProductName": localized product names by locale ("en_US" …).
    std::map<std::string, std::string> productNames;
};

// An IOKit display service ("IODisplayConnect") with the entries of its info
// dictionary that the program reads.
struct DisplayService {
    std::uint32_t service = 0;                                       // non-zero handle
    std::optional<std::uint32_t> vendorId;                           // "DisplayVendorID"
    std::optional<std::uint32_t> productId;                          // "DisplayProductID"
    std::optional<std::uint32_t> serialNumber;                       // "DisplaySerialNumber"
    std::optional<std::map<std::string, std::string>> productNames;  // "DisplayProductName"
};

class Screens {
  public:
    virtual ~Screens() = default;
    // NSScreen screens: the main display first.
    virtual std::vector<ScreenInfo> screens() const = 0;
    // CGMainDisplayID.
    virtual DisplayId mainDisplayId() const = 0;
    // CGGetDisplaysWithPoint with room for `maxDisplays`: the displays whose
    // Quartz bounds contain the point (possibly none), or nothing on an error.
    virtual std::optional<std::vector<DisplayId>> displaysWithPoint(
        Point p, std::size_t maxDisplays) const = 0;
    // CGDisplayBounds in global Quartz coordinates; the zero rectangle for an
    // unknown display.
    virtual Rect displayBounds(DisplayId id) const = 0;
    // CGDisplayVendorNumber, CGDisplayModelNumber, CGDisplaySerialNumber; 0
    // for an unknown display.
    virtual std::uint32_t displayVendorNumber(DisplayId id) const = 0;
    virtual std::uint32_t displayModelNumber(DisplayId id) const = 0;
    virtual std::uint32_t displaySerialNumber(DisplayId id) const = 0;
    // The "IODisplayConnect" services, or nothing when matching fails.
    virtual std::optional<std::vector<DisplayService>> displayServices() const = 0;
};

}  // namespace wexo::platform
