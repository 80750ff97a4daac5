#pragma once

#include <map>
#include <string>

#include "platform/HidSystem.h"
#include "platform/sim/SimRecorder.h"

namespace wexo::platform::sim {

// The HID system: its connection, its parameters ("HIDMouseAcceleration"
// starts at 0.6875) and the system-defined events posted to it. Posted
// records of event type 14 (system defined) are decoded and recorded: the
// subtype from offset 2, the key type from the high 16 bits of the data word
// at offset 4, and its state from bits 8 to 15 (0x0A down, 0x0B up). Other
// event types are not modelled and are refused. Writes of a parameter are
// recorded. The driver can make the HID system unavailable: opening,
// reading and writing then fail. Main thread only.
class SimHidSystem : public HidSystem {
  public:
    static constexpr std::uint32_t kConnection = 0x2B03;
    static constexpr double kDefaultAcceleration = 0.6875;

    explicit SimHidSystem(SimRecorder& recorder) : recorder_(recorder) {}

    std::optional<std::uint32_t> openConnection() override;
    bool postEvent(std::uint32_t connection, std::uint32_t eventType, Point location,
                   const SystemDefinedRecord& record, std::uint32_t version, std::uint32_t flags,
                   std::uint32_t options) override;
    std::optional<double> getAcceleration(const std::string& key) override;
    bool setAcceleration(const std::string& key, double value) override;

    // ---- Driver ----
    void setAvailable(bool on) { available_ = on; }
    void setParameter(const std::string& key, double value) { parameters_[key] = value; }
    std::optional<double> parameter(const std::string& key) const;

  private:
    SimRecorder& recorder_;
    bool available_ = true;
    bool opened_ = false;
    std::map<std::string, double> parameters_{{"HIDMouseAcceleration", kDefaultAcceleration}};
};

}  // namespace wexo::platform::sim
