#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace wexo::platform::x11 {

// What identifies a display across ports and restarts, read from its EDID
// the way the system reads it on macOS: the PNP vendor id as its packed
// 16-bit number ("DEL" is 0x10AC), the product code, the serial number.
struct EdidIdentity {
    std::uint32_t vendor = 0;
    std::uint32_t model = 0;
    std::uint32_t serial = 0;
    std::string name;  // the monitor-name descriptor, empty when absent
};

// Nothing for data that is not an EDID base block (wrong header, short,
// bad checksum): a display with a corrupt EDID has no identity rather than
// a wrong one.
std::optional<EdidIdentity> parseEdid(std::span<const std::uint8_t> edid);

}  // namespace wexo::platform::x11
