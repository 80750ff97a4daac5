#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Accessibility.h"
#include "platform/HidSystem.h"
#include "platform/LoginItems.h"
#include "platform/Process.h"
#include "platform/linux/Desktop.h"
#include "platform/linux/LinuxRunLoop.h"
#include "platform/linux/OutputDevices.h"

namespace wexo::platform::lnx {

// The HID system on Linux: the media and brightness keys the program posts
// as system-defined records are pressed on the virtual keyboard, and the
// pointer acceleration is the desktop's.
class LinuxHidSystem : public HidSystem {
  public:
    static constexpr std::uint32_t kConnection = 1;
    LinuxHidSystem(OutputDevices& outputs, Desktop& desktop)
        : outputs_(outputs), desktop_(desktop) {}
    std::optional<std::uint32_t> openConnection() override { return kConnection; }
    bool postEvent(std::uint32_t connection, std::uint32_t eventType, Point location,
                   const SystemDefinedRecord& record, std::uint32_t version, std::uint32_t flags,
                   std::uint32_t options) override;
    std::optional<double> getAcceleration(const std::string& key) override;
    bool setAcceleration(const std::string& key, double value) override;

  private:
    OutputDevices& outputs_;
    Desktop& desktop_;
};

// Accessibility on Linux: "trusted" means the input path may do its work
// (read the mice, write /dev/uinput), which the platform decides; the
// elements under the pointer are the desktop's.
class LinuxAccessibility : public Accessibility {
  public:
    LinuxAccessibility(Desktop& desktop, std::function<bool()> trusted)
        : desktop_(desktop), trusted_(std::move(trusted)) {}
    bool isProcessTrusted(bool prompt) const override;
    AXElement systemWideElement() const override;
    std::optional<AXElement> elementAtPosition(AXElement root, Point p) const override;
    std::vector<std::string> attributeNames(AXElement e) const override;
    std::optional<AXValue> attributeValue(AXElement e, const std::string& name) const override;

  private:
    Desktop& desktop_;
    std::function<bool()> trusted_;
};

// Until the desktop's own login items are plugged in: there is no list to
// open, and that is what the program is told.
class NoLoginItems : public LoginItems {
  public:
    std::optional<std::vector<std::string>> snapshot() const override { return std::nullopt; }
    bool insertLast(const std::string&) override { return false; }
    bool remove(const std::string&) override { return false; }
};

// The program's own process, as far as the input path needs it: ending it
// ends the main run loop with the status.
class LoopProcess : public Process {
  public:
    explicit LoopProcess(LinuxRunLoop& loop) : loop_(loop) {}
    std::string bundleIdentifier() const override;
    std::string bundlePath() const override;
    std::string version() const override;
    bool isMojaveOrBigger() const override { return true; }
    std::optional<std::string> applicationSupportDirectory() const override;
    void launchNewInstance(double delaySeconds) override;
    void terminate() override { loop_.quit(0); }
    void exit(int status) override { loop_.quit(status); }

  private:
    LinuxRunLoop& loop_;
};

}  // namespace wexo::platform::lnx
