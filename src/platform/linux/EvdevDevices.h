#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/linux/Devices.h"

struct udev;
struct udev_monitor;

namespace wexo::platform::lnx {

// The real devices: the mice udev knows (an evdev device with relative X/Y
// and a left button, or with a wheel), read and grabbed through libevdev,
// each with a uinput twin, and one uinput keyboard. The program's own
// virtual devices are never read; keyboards are neither read nor grabbed.
class EvdevBackend : public DeviceBackend {
  public:
    static constexpr const char* kTwinSuffix = " (Wexo)";
    static constexpr const char* kKeyboardName = "Wexo virtual keyboard";

    EvdevBackend();
    ~EvdevBackend() override;
    EvdevBackend(const EvdevBackend&) = delete;
    EvdevBackend& operator=(const EvdevBackend&) = delete;

    std::vector<std::unique_ptr<InputSource>> openSources() override;
    int hotplugFd() const override;
    std::vector<std::unique_ptr<InputSource>> takePluggedIn() override;
    std::unique_ptr<VirtualDevice> createTwin(const InputSource& source) override;
    std::unique_ptr<VirtualDevice> createKeyboard() override;

    // What keeps the program from doing its work, one line each, with how
    // to grant it; empty when the mice can be read and /dev/uinput written.
    static std::vector<std::string> accessProblems();
    // Opens one device by its node; nothing when it is not a mouse to read.
    static std::unique_ptr<InputSource> openMouse(const std::string& devnode);

  private:
    struct udev* udev_ = nullptr;
    struct udev_monitor* monitor_ = nullptr;
};

// The trust test of the device form (what the platform's Accessibility
// answers): true when the mice can be read and /dev/uinput written;
// otherwise each problem is logged, once until the problems change.
class DeviceAccess {
  public:
    bool granted();

  private:
    std::mutex mutex_;
    std::vector<std::string> told_;
};

}  // namespace wexo::platform::lnx
