#include "platform/linux/x11/Edid.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace wexo::platform::x11 {

namespace {
constexpr std::size_t kBlock = 128;
constexpr std::array<std::uint8_t, 8> kHeader{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kDescriptors = 54;
constexpr std::size_t kDescriptorSize = 18;
constexpr std::uint8_t kMonitorName = 0xFC;
}  // namespace

std::optional<EdidIdentity> parseEdid(std::span<const std::uint8_t> edid) {
    if (edid.size() < kBlock || !std::equal(kHeader.begin(), kHeader.end(), edid.begin()))
        return std::nullopt;
    const unsigned sum = std::accumulate(edid.begin(), edid.begin() + kBlock, 0u);
    if (sum % 256 != 0) return std::nullopt;

    EdidIdentity id;
    id.vendor = (std::uint32_t{edid[8]} << 8) | edid[9];
    id.model = std::uint32_t{edid[10]} | (std::uint32_t{edid[11]} << 8);
    id.serial = std::uint32_t{edid[12]} | (std::uint32_t{edid[13]} << 8) |
                (std::uint32_t{edid[14]} << 16) | (std::uint32_t{edid[15]} << 24);
    for (std::size_t at = kDescriptors; at + kDescriptorSize <= kBlock; at += kDescriptorSize) {
        const auto d = edid.subspan(at, kDescriptorSize);
        if (d[0] != 0 || d[1] != 0 || d[3] != kMonitorName) continue;
        std::string name(d.begin() + 5, d.end());
        name = name.substr(0, name.find('\n'));
        while (!name.empty() && name.back() == ' ') name.pop_back();
        id.name = name;
        break;
    }
    return id;
}

}  // namespace wexo::platform::x11
