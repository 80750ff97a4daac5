#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Accessibility.h"

typedef struct _AtspiAccessible AtspiAccessible;
typedef struct _GMainContext GMainContext;

namespace wexo::platform::x11 {

// Accessibility elements from AT-SPI: the element at a point is found in the
// accessible tree of the application that owns the window there, walking
// GetAccessibleAtPoint downwards from its top-level window. Every call has a
// short time-out, and an application that lets one run out is left alone
// for a while: a hung application must never freeze the mouse.
class AtspiAccessibility : public Accessibility {
  public:
    static constexpr int kCallTimeoutMs = 50;
    static constexpr std::chrono::seconds kHungPause{5};

    struct Hooks {
        // The process owning the front-most application window at a point
        // (global coordinates), 0 for none.
        std::function<pid_t(Point)> ownerAt;
        // Global coordinates to the root's, which AT-SPI's screen
        // coordinates are.
        std::function<Point(Point)> toScreen;
    };

    explicit AtspiAccessibility(Hooks hooks);
    ~AtspiAccessibility() override;
    AtspiAccessibility(const AtspiAccessibility&) = delete;
    AtspiAccessibility& operator=(const AtspiAccessibility&) = delete;

    // Trust is the input path's to answer (device access); the platform
    // answers it, so the element queries alone count here.
    bool isProcessTrusted(bool) const override { return true; }
    AXElement systemWideElement() const override { return AXElement{kSystemWide}; }
    std::optional<AXElement> elementAtPosition(AXElement root, Point p) const override;
    std::vector<std::string> attributeNames(AXElement e) const override;
    std::optional<AXValue> attributeValue(AXElement e, const std::string& name) const override;

    // The engine's role name for an AT-SPI role.
    static std::string roleName(int atspiRole);

  private:
    static constexpr std::uint64_t kSystemWide = 1;
    struct Element {
        AtspiAccessible* object = nullptr;
        pid_t pid = 0;
    };

    bool ready() const;
    void pump() const;
    AXElement remember(AtspiAccessible* object, pid_t pid) const;
    const Element* find(AXElement e) const;
    AtspiAccessible* applicationOf(pid_t pid) const;
    bool hung(pid_t pid) const;
    // Runs one call; when it took the whole time-out, the application is
    // taken for hung.
    template <class F>
    auto timed(pid_t pid, F&& call) const;
    std::optional<AtspiAccessible*> parentOf(const Element& e) const;

    Hooks hooks_;
    mutable GMainContext* context_ = nullptr;
    mutable std::map<std::uint64_t, Element> elements_;
    mutable std::map<AtspiAccessible*, std::uint64_t> ids_;
    mutable std::uint64_t nextId_ = kSystemWide + 1;
    mutable std::map<pid_t, std::chrono::steady_clock::time_point> hungUntil_;
};

}  // namespace wexo::platform::x11
