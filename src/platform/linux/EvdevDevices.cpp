#include "platform/linux/EvdevDevices.h"

#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <libudev.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

#include "platform/Log.h"
#include "platform/linux/KeyCodes.h"

namespace wexo::platform::lnx {

namespace {

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool isMouse(const libevdev* dev) {
    const bool pointer = libevdev_has_event_code(dev, EV_REL, REL_X) &&
                         libevdev_has_event_code(dev, EV_REL, REL_Y) &&
                         libevdev_has_event_code(dev, EV_KEY, BTN_LEFT);
    return pointer || libevdev_has_event_code(dev, EV_REL, REL_WHEEL);
}

class EvdevSource : public InputSource {
  public:
    EvdevSource(int fd, libevdev* dev, std::string node)
        : fd_(fd), dev_(dev), node_(std::move(node)) {}
    ~EvdevSource() override {
        libevdev_free(dev_);
        ::close(fd_);
    }
    int fd() const override { return fd_; }
    ReadResult read(std::vector<InputRecord>& out) override {
        const std::size_t before = out.size();
        input_event ev{};
        int flag = LIBEVDEV_READ_FLAG_NORMAL;
        for (;;) {
            const int rc = libevdev_next_event(dev_, flag, &ev);
            if (rc == LIBEVDEV_READ_STATUS_SUCCESS) {
                out.push_back(ev);
            } else if (rc == LIBEVDEV_READ_STATUS_SYNC) {
                // The kernel dropped records: libevdev hands over the state
                // changes that make up for them, then the normal flow goes on.
                out.push_back(ev);
                flag = LIBEVDEV_READ_FLAG_SYNC;
            } else if (rc == -EAGAIN) {
                if (flag == LIBEVDEV_READ_FLAG_SYNC) {
                    flag = LIBEVDEV_READ_FLAG_NORMAL;
                    continue;
                }
                return out.size() > before ? ReadResult::Records : ReadResult::Nothing;
            } else {
                WEXO_LOG_ERROR("%s stopped: %s", name().c_str(), std::strerror(-rc));
                return ReadResult::End;
            }
        }
    }
    bool grab(bool on) override {
        return libevdev_grab(dev_, on ? LIBEVDEV_GRAB : LIBEVDEV_UNGRAB) == 0;
    }
    std::string name() const override {
        const char* n = libevdev_get_name(dev_);
        return std::string(n ? n : "?") + " (" + node_ + ")";
    }
    const libevdev* device() const { return dev_; }

  private:
    int fd_;
    libevdev* dev_;
    std::string node_;
};

class UinputDevice : public VirtualDevice {
  public:
    explicit UinputDevice(libevdev_uinput* uinput) : uinput_(uinput) {}
    ~UinputDevice() override { libevdev_uinput_destroy(uinput_); }
    bool write(std::span<const InputRecord> frame) override {
        for (const InputRecord& r : frame)
            if (libevdev_uinput_write_event(uinput_, r.type, r.code, r.value) != 0) return false;
        return true;
    }

  private:
    libevdev_uinput* uinput_;
};

std::unique_ptr<VirtualDevice> createUinput(libevdev* dev) {
    libevdev_uinput* uinput = nullptr;
    const int rc = libevdev_uinput_create_from_device(dev, LIBEVDEV_UINPUT_OPEN_MANAGED, &uinput);
    libevdev_free(dev);
    if (rc != 0) {
        WEXO_LOG_ERROR("A virtual device could not be made: %s", std::strerror(-rc));
        return nullptr;
    }
    return std::make_unique<UinputDevice>(uinput);
}

// Each evdev node udev knows (only the mice when `miceOnly`), with its
// udev device, which lives for the call.
void forEachEventNode(struct udev* udev, bool miceOnly,
                      const std::function<void(udev_device*, const char* node)>& visit) {
    udev_enumerate* e = udev_enumerate_new(udev);
    if (!e) return;
    udev_enumerate_add_match_subsystem(e, "input");
    if (miceOnly) udev_enumerate_add_match_property(e, "ID_INPUT_MOUSE", "1");
    udev_enumerate_add_match_sysname(e, "event*");
    udev_enumerate_scan_devices(e);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e)) {
        udev_device* d = udev_device_new_from_syspath(udev, udev_list_entry_get_name(entry));
        if (!d) continue;
        if (const char* node = udev_device_get_devnode(d)) visit(d, node);
        udev_device_unref(d);
    }
    udev_enumerate_unref(e);
}

std::vector<std::string> mouseNodes(struct udev* udev) {
    std::vector<std::string> nodes;
    forEachEventNode(udev, true, [&](udev_device*, const char* node) { nodes.emplace_back(node); });
    return nodes;
}

}  // namespace

EvdevBackend::EvdevBackend(std::optional<std::string> onlyNode)
    : onlyNode_(std::move(onlyNode)), udev_(udev_new()) {
    if (!udev_) {
        WEXO_LOG_ERROR("udev is not available: no mouse can be found");
        return;
    }
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_) {
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "input", nullptr);
        udev_monitor_enable_receiving(monitor_);
    }
}

EvdevBackend::~EvdevBackend() {
    if (monitor_) udev_monitor_unref(monitor_);
    if (udev_) udev_unref(udev_);
}

std::unique_ptr<InputSource> EvdevBackend::openMouse(const std::string& devnode) {
    const int fd = ::open(devnode.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        WEXO_LOG_ERROR("%s cannot be read: %s", devnode.c_str(), std::strerror(errno));
        return nullptr;
    }
    libevdev* dev = nullptr;
    if (libevdev_new_from_fd(fd, &dev) != 0) {
        ::close(fd);
        return nullptr;
    }
    const std::string name = libevdev_get_name(dev) ? libevdev_get_name(dev) : "";
    if (!isMouse(dev) || endsWith(name, kTwinSuffix) || name == kKeyboardName) {
        libevdev_free(dev);
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<EvdevSource>(fd, dev, devnode);
}

std::vector<std::unique_ptr<InputSource>> EvdevBackend::openSources() {
    std::vector<std::unique_ptr<InputSource>> sources;
    if (onlyNode_) {
        if (auto source = openMouse(*onlyNode_))
            sources.push_back(std::move(source));
        else
            WEXO_LOG_ERROR("%s is not a mouse Wexo can read", onlyNode_->c_str());
        return sources;
    }
    if (!udev_) return sources;
    for (const std::string& node : mouseNodes(udev_))
        if (auto source = openMouse(node)) sources.push_back(std::move(source));
    return sources;
}

int EvdevBackend::hotplugFd() const {
    return monitor_ ? udev_monitor_get_fd(monitor_) : -1;
}

std::vector<std::unique_ptr<InputSource>> EvdevBackend::takePluggedIn() {
    std::vector<std::unique_ptr<InputSource>> sources;
    while (udev_device* d = monitor_ ? udev_monitor_receive_device(monitor_) : nullptr) {
        const char* action = udev_device_get_action(d);
        const char* node = udev_device_get_devnode(d);
        const char* sysname = udev_device_get_sysname(d);
        const char* mouse = udev_device_get_property_value(d, "ID_INPUT_MOUSE");
        // Removals show as reads that end; only arrivals matter here.
        // The one device asked for comes back when it is plugged in again.
        const bool wanted =
            node && (onlyNode_ ? *onlyNode_ == node : mouse && std::strcmp(mouse, "1") == 0);
        if (action && std::strcmp(action, "add") == 0 && wanted && sysname &&
            std::strncmp(sysname, "event", 5) == 0)
            if (auto source = openMouse(node)) sources.push_back(std::move(source));
        udev_device_unref(d);
    }
    return sources;
}

std::unique_ptr<VirtualDevice> EvdevBackend::createTwin(const InputSource& source) {
    const auto* evdev = dynamic_cast<const EvdevSource*>(&source);
    if (!evdev) return nullptr;
    const libevdev* from = evdev->device();
    libevdev* dev = libevdev_new();
    const char* name = libevdev_get_name(from);
    libevdev_set_name(dev, (std::string(name ? name : "Mouse") + kTwinSuffix).c_str());
    libevdev_set_id_bustype(dev, libevdev_get_id_bustype(from));
    libevdev_set_id_vendor(dev, libevdev_get_id_vendor(from));
    libevdev_set_id_product(dev, libevdev_get_id_product(from));
    libevdev_set_id_version(dev, libevdev_get_id_version(from));
    for (unsigned type : {EV_KEY, EV_REL, EV_MSC}) {
        const int max = libevdev_event_type_get_max(type);
        for (int code = 0; code <= max; ++code)
            if (libevdev_has_event_code(from, type, static_cast<unsigned>(code)))
                libevdev_enable_event_code(dev, type, static_cast<unsigned>(code), nullptr);
    }
    // What the program writes on every twin: the buttons it may click and
    // the wheels it scrolls, in 120ths of a notch.
    for (unsigned code :
         {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE, BTN_SIDE, BTN_EXTRA, BTN_FORWARD, BTN_BACK, BTN_TASK})
        libevdev_enable_event_code(dev, EV_KEY, code, nullptr);
    for (unsigned code : {REL_X, REL_Y, REL_WHEEL, REL_HWHEEL, REL_WHEEL_HI_RES, REL_HWHEEL_HI_RES})
        libevdev_enable_event_code(dev, EV_REL, code, nullptr);
    return createUinput(dev);
}

std::unique_ptr<VirtualDevice> EvdevBackend::createKeyboard() {
    libevdev* dev = libevdev_new();
    libevdev_set_name(dev, kKeyboardName);
    libevdev_set_id_bustype(dev, BUS_VIRTUAL);
    for (unsigned code = KEY_ESC; code <= KEY_MICMUTE; ++code)
        libevdev_enable_event_code(dev, EV_KEY, code, nullptr);
    for (std::uint32_t aux = 0; aux < 32; ++aux)
        if (auto key = linuxKeyForAuxKey(aux))
            libevdev_enable_event_code(dev, EV_KEY, *key, nullptr);
    libevdev_enable_event_code(dev, EV_KEY, KEY_FN, nullptr);
    return createUinput(dev);
}

std::string EvdevBackend::uinputProblem() {
    if (::access("/dev/uinput", W_OK) == 0) return {};
    return std::strerror(errno);
}

namespace {
// Each device this run would use that cannot be opened: its line, and
// whether it is /dev/uinput.
struct AccessReport {
    // Each device this run would use that cannot be opened: its line, and
    // whether it is /dev/uinput.
    std::vector<std::pair<std::string, bool>> problems;
    bool uinput = true;
    bool udev = true;
    std::size_t mice = 0;
    std::size_t unreadableMice = 0;
};

AccessReport accessReport(const std::optional<std::string>& onlyNode) {
    AccessReport report;
    if (const std::string why = EvdevBackend::uinputProblem(); !why.empty()) {
        report.problems.emplace_back("/dev/uinput: " + why, true);
        report.uinput = false;
    }
    std::vector<std::string> nodes;
    if (onlyNode) {
        nodes.push_back(*onlyNode);
    } else if (struct udev* udev = udev_new()) {
        nodes = mouseNodes(udev);
        udev_unref(udev);
    } else {
        report.problems.emplace_back("udev is not available: no mouse can be found", false);
        report.udev = false;
    }
    report.mice = nodes.size();
    for (const std::string& node : nodes) {
        if (::access(node.c_str(), R_OK) == 0) continue;
        report.problems.emplace_back(node + " (a mouse): " + std::strerror(errno), false);
        ++report.unreadableMice;
    }
    return report;
}
// Each problem with how to grant it, for the log.
std::vector<std::string> advised(const AccessReport& report) {
    std::vector<std::string> lines;
    for (const auto& [line, uinput] : report.problems)
        lines.push_back(line + (uinput ? ": install the udev rule 70-wexo.rules, which gives "
                                         "the logged-in user access to /dev/uinput, and load "
                                         "the uinput module"
                                       : ": install the udev rule 70-wexo.rules, which gives "
                                         "the logged-in user access to mice, then log in "
                                         "again"));
    return lines;
}
}  // namespace

std::vector<std::string> EvdevBackend::unopenable(const std::optional<std::string>& onlyNode) {
    std::vector<std::string> lines;
    for (auto& [line, uinput] : accessReport(onlyNode).problems) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> EvdevBackend::accessProblems(const std::optional<std::string>& onlyNode) {
    return advised(accessReport(onlyNode));
}

std::vector<EvdevBackend::DeviceInfo> EvdevBackend::listDevices() {
    std::vector<DeviceInfo> devices;
    struct udev* udev = udev_new();
    if (!udev) return devices;
    forEachEventNode(udev, false, [&](udev_device* d, const char* node) {
        DeviceInfo info;
        info.node = node;
        // The name is the parent's, the input device the node belongs to.
        if (udev_device* parent = udev_device_get_parent(d))
            if (const char* name = udev_device_get_sysattr_value(parent, "name")) info.name = name;
        const char* mouse = udev_device_get_property_value(d, "ID_INPUT_MOUSE");
        info.mouse = mouse && std::strcmp(mouse, "1") == 0;
        if (::access(node, R_OK) != 0) info.problem = std::strerror(errno);
        devices.push_back(std::move(info));
    });
    udev_unref(udev);
    // event10 after event9.
    std::sort(devices.begin(), devices.end(), [](const DeviceInfo& a, const DeviceInfo& b) {
        return a.node.size() != b.node.size() ? a.node.size() < b.node.size() : a.node < b.node;
    });
    return devices;
}

bool DeviceAccess::granted() {
    const auto now = std::chrono::steady_clock::now();
    {
        std::lock_guard lock(mutex_);
        if (testedAt_ && now - *testedAt_ < kRetestInterval) return granted_;
    }
    const AccessReport report = accessReport(onlyNode_);
    const std::vector<std::string> problems = advised(report);
    std::lock_guard lock(mutex_);
    if (problems != told_) {
        for (const std::string& problem : problems) WEXO_LOG_ERROR("%s", problem.c_str());
        told_ = problems;
    }
    // A mouse plugged in a moment before udev gave the seat access to it
    // must not stop the others: some mouse readable (or none yet) is enough,
    // the one device asked for must be.
    granted_ = report.uinput && report.udev &&
               (onlyNode_ ? report.unreadableMice == 0
                          : report.mice == 0 || report.unreadableMice < report.mice);
    testedAt_ = now;
    return granted_;
}

std::vector<std::string> DeviceAccess::problems() {
    std::lock_guard lock(mutex_);
    return told_;
}

}  // namespace wexo::platform::lnx
