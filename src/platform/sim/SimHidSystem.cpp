#include "platform/sim/SimHidSystem.h"

#include <cmath>
#include <cstring>

namespace wexo::platform::sim {

std::optional<std::uint32_t> SimHidSystem::openConnection() {
    if (!available_) return std::nullopt;
    opened_ = true;
    return kConnection;
}

bool SimHidSystem::postEvent(std::uint32_t connection, std::uint32_t eventType, Point,
                             const SystemDefinedRecord& record, std::uint32_t, std::uint32_t,
                             std::uint32_t) {
    constexpr std::uint32_t kSystemDefined = 14;
    if (!available_ || !opened_ || connection != kConnection || eventType != kSystemDefined)
        return false;
    std::uint16_t subtype = 0;
    std::uint32_t data = 0;
    std::memcpy(&subtype, record.bytes.data() + 2, sizeof subtype);
    std::memcpy(&data, record.bytes.data() + 4, sizeof data);
    records::Hid hid;
    hid.subtype = subtype;
    hid.keyType = data >> 16;
    if ((data & 0xFF00) == 0x0A00) hid.keyDown = true;
    if ((data & 0xFF00) == 0x0B00) hid.keyDown = false;
    recorder_.record(hid);
    return true;
}

std::optional<double> SimHidSystem::getAcceleration(const std::string& key) {
    if (!available_) return std::nullopt;
    return parameter(key);
}

bool SimHidSystem::setAcceleration(const std::string& key, double value) {
    if (!available_ || !std::isfinite(value)) return false;
    parameters_[key] = value;
    recorder_.record(records::Acceleration{value});
    return true;
}

std::optional<double> SimHidSystem::parameter(const std::string& key) const {
    auto it = parameters_.find(key);
    if (it == parameters_.end()) return std::nullopt;
    return it->second;
}

}  // namespace wexo::platform::sim
