#include "platform/linux/LinuxServices.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/Log.h"
#include "platform/linux/KeyCodes.h"

namespace wexo::platform::lnx {

bool LinuxHidSystem::postEvent(std::uint32_t connection, std::uint32_t eventType, Point,
                               const SystemDefinedRecord& record, std::uint32_t, std::uint32_t,
                               std::uint32_t) {
    constexpr std::uint32_t kSystemDefined = 14;
    constexpr std::uint16_t kAuxControlButtons = 8;
    if (connection != kConnection || eventType != kSystemDefined) return false;
    std::uint16_t subtype = 0;
    std::uint32_t data = 0;
    std::memcpy(&subtype, record.bytes.data() + 2, sizeof subtype);
    std::memcpy(&data, record.bytes.data() + 4, sizeof data);
    if (subtype != kAuxControlButtons) return false;
    const std::uint32_t keyType = data >> 16;
    const std::uint32_t state = data & 0xFF00;
    const auto key = linuxKeyForAuxKey(keyType);
    if (!key) {
        WEXO_LOG_ERROR("System key %u has no Linux key", keyType);
        return false;
    }
    if (state != 0x0A00 && state != 0x0B00) return false;
    outputs_.writeKey(*key, state == 0x0A00, wallClockMicros());
    return true;
}

std::optional<double> LinuxHidSystem::getAcceleration(const std::string&) {
    return desktop_.pointerAcceleration();
}

bool LinuxHidSystem::setAcceleration(const std::string&, double value) {
    return std::isfinite(value) && desktop_.setPointerAcceleration(value);
}

bool LinuxAccessibility::isProcessTrusted(bool) const {
    return trusted_ && trusted_();
}
AXElement LinuxAccessibility::systemWideElement() const {
    return desktop_.accessibility().systemWideElement();
}
std::optional<AXElement> LinuxAccessibility::elementAtPosition(AXElement root, Point p) const {
    return desktop_.accessibility().elementAtPosition(root, p);
}
std::vector<std::string> LinuxAccessibility::attributeNames(AXElement e) const {
    return desktop_.accessibility().attributeNames(e);
}
std::optional<AXValue> LinuxAccessibility::attributeValue(AXElement e,
                                                          const std::string& name) const {
    return desktop_.accessibility().attributeValue(e, name);
}

std::string LoopProcess::bundleIdentifier() const {
    return WEXO_BUNDLE_ID;
}

std::string LoopProcess::bundlePath() const {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string LoopProcess::version() const {
    return WEXO_VERSION;
}

std::optional<std::string> LoopProcess::applicationSupportDirectory() const {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        return std::string(data);
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return std::string(home) + "/.local/share";
    return std::nullopt;
}

void LoopProcess::launchNewInstance(double delaySeconds) {
    WEXO_LOG_ERROR("A new instance (in %g s) is not started from here; start wexo again",
                   delaySeconds);
}

}  // namespace wexo::platform::lnx
