#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/DisplayLinks.h"
#include "settings/AppWithScrollSettings.h"

namespace wexo {

class SingleDisplay;

// A display's application table: bundle identifier to entry.
using AppsTable = std::map<std::string, std::shared_ptr<AppWithScrollSettings>>;
// The display registry: serial string to display.
using DisplaysDict = std::map<std::string, std::shared_ptr<SingleDisplay>>;

// A display with its table of applications. The pseudo-display "All Screens"
// (serial "0-0-0") holds the table every newly seen display starts from.
class SingleDisplay {
  public:
    static constexpr const char* kAllScreensSerial = "0-0-0";
    static constexpr const char* kAllScreensName = "All Screens";

    // A plain entry, filled field by field (as when read from its stored form).
    SingleDisplay() = default;
    // The entry of a connected display (its identifier and its 1-based place
    // in the screen list), or of All Screens when no identifier is given. Its
    // table is the stored one for the same serial; else, for a display, a
    // deep copy of the All Screens table now in the registry; else the single
    // Global entry. Every table comes out holding a Global entry.
    SingleDisplay(std::optional<platform::DisplayId> displayId,
                  std::optional<std::string> location);
    // The same with the stored registry already read (a rebuild reads it
    // once for all its displays).
    SingleDisplay(std::optional<platform::DisplayId> displayId, std::optional<std::string> location,
                  const DisplaysDict& stored);

    // The display's product name ("en_US" of its localized names), or
    // "unknown".
    static std::string screenNameForDisplay(platform::DisplayId displayId);
    // "%u-%u-%u" of the display's vendor, model and serial numbers.
    static std::string serialNumberStringForDisplay(platform::DisplayId displayId);
    // The display service whose vendor, product and serial numbers match the
    // display's; 0 when none does or the services cannot be listed.
    static std::uint32_t IOServicePortFromCGDisplayID(platform::DisplayId displayId);

    bool isAllScreens() const { return serial == kAllScreensSerial; }

    std::string listLocation;  // "0" for All Screens
    platform::DisplayId screenID = 0;
    std::string displayName;
    std::string serial;  // the key of the entry in the registry
    AppsTable apps;
};

}  // namespace wexo
