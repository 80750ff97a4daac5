#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/Geometry.h"

namespace wexo::platform {

// An accessibility element (AXUIElementRef). Equal handles are the same
// element (CFEqual).
struct AXElement {
    std::uint64_t id = 0;
    friend bool operator==(const AXElement&, const AXElement&) = default;
};

using AXValue = std::variant<std::string, AXElement>;

// How the person at the machine gives the program the trust it lacks, where
// the system has no settings page for it (a Linux desktop: a udev rule).
struct TrustGuide {
    // What the program cannot open, one line each.
    std::vector<std::string> missing;
    // What grants it and where it comes from.
    std::string explanation;
    // A command that grants it, to run in a terminal.
    std::string command;
    // What to do when the command alone is not enough.
    std::string afterwards;
};

class Accessibility {
  public:
    virtual ~Accessibility() = default;
    // How to grant the trust, where there is no settings page to open;
    // nothing where there is one (the Accessibility pane on macOS).
    virtual std::optional<TrustGuide> trustGuide() const { return std::nullopt; }
    // AXIsProcessTrustedWithOptions, optionally asking the user.
    virtual bool isProcessTrusted(bool prompt) const = 0;
    // AXUIElementCreateSystemWide.
    virtual AXElement systemWideElement() const = 0;
    // AXUIElementCopyElementAtPosition on an application or the system-wide
    // element; nothing when there is no element or the call fails.
    virtual std::optional<AXElement> elementAtPosition(AXElement root, Point p) const = 0;
    // AXUIElementCopyAttributeNames ("AXRole", "AXParent" …).
    virtual std::vector<std::string> attributeNames(AXElement e) const = 0;
    // AXUIElementCopyAttributeValue; nothing when the element lacks it.
    virtual std::optional<AXValue> attributeValue(AXElement e, const std::string& name) const = 0;
};

}  // namespace wexo::platform
