#pragma once

#include <chrono>
#include <mutex>
#include <optional>
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

    // Reads every mouse there is and every one plugged in later, or only
    // the device at `onlyNode`.
    explicit EvdevBackend(std::optional<std::string> onlyNode = std::nullopt);
    ~EvdevBackend() override;
    EvdevBackend(const EvdevBackend&) = delete;
    EvdevBackend& operator=(const EvdevBackend&) = delete;

    std::vector<std::unique_ptr<InputSource>> openSources() override;
    int hotplugFd() const override;
    std::vector<std::unique_ptr<InputSource>> takePluggedIn() override;
    std::unique_ptr<VirtualDevice> createTwin(const InputSource& source) override;
    std::unique_ptr<VirtualDevice> createKeyboard() override;

    // What keeps the program from doing its work, one line each, with how
    // to grant it; empty when the mice (or the one device) can be read and
    // /dev/uinput written.
    static std::vector<std::string> accessProblems(
        const std::optional<std::string>& onlyNode = std::nullopt);
    // What of it cannot be opened, one short line each ("/dev/uinput: No
    // such file or directory").
    static std::vector<std::string> unopenable(
        const std::optional<std::string>& onlyNode = std::nullopt);

    // An input device as `wexo --list-devices` shows it.
    struct DeviceInfo {
        std::string node;  // /dev/input/eventN
        std::string name;  // empty when udev does not tell
        bool mouse = false;
        // Empty when the program can open it; else why not.
        std::string problem;
    };
    // Every evdev device udev knows, in the order of their nodes.
    static std::vector<DeviceInfo> listDevices();
    // Empty when /dev/uinput can be written; else why not.
    static std::string uinputProblem();
    // Opens one device by its node; nothing when it is not a mouse to read.
    static std::unique_ptr<InputSource> openMouse(const std::string& devnode);

  private:
    std::optional<std::string> onlyNode_;
    struct udev* udev_ = nullptr;
    struct udev_monitor* monitor_ = nullptr;
};

// The trust test of the device form (what the platform's Accessibility
// answers): true when /dev/uinput can be written and a mouse read (the one
// asked for, or any of them when there are any); each problem is logged,
// once until the problems change. The event paths ask often: the devices
// are looked at again at most every half second.
class DeviceAccess {
  public:
    explicit DeviceAccess(std::optional<std::string> onlyNode = std::nullopt)
        : onlyNode_(std::move(onlyNode)) {}
    bool granted();
    // The problems found by the last test.
    std::vector<std::string> problems();

  private:
    static constexpr std::chrono::milliseconds kRetestInterval{500};

    std::optional<std::string> onlyNode_;
    std::optional<std::chrono::steady_clock::time_point> testedAt_;
    bool granted_ = false;
    std::mutex mutex_;
    std::vector<std::string> told_;
};

}  // namespace wexo::platform::lnx
