#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Accessibility.h"

namespace wexo::platform::sim {

// One element of the accessibility tree, as the driver gives it.
struct SimElement {
    Rect bounds;                        // global Quartz coordinates
    std::optional<std::string> role;    // no role: the element lacks "AXRole"
    std::optional<std::size_t> parent;  // index in the element list
};

// The Accessibility trust of the program and the element tree of the
// applications on screen. The element list is front to back, as windows
// are: the element at a position is found by taking the first top-level
// element (one without a parent) whose bounds contain it, then, as long as
// one does, its first child whose bounds contain it. So a window in front
// hides the elements of the windows behind it, and within a window the most
// specific element wins. Without trust, every query about elements fails.
// Main thread only.
class SimAccessibility : public Accessibility {
  public:
    bool isProcessTrusted(bool prompt) const override;
    AXElement systemWideElement() const override { return AXElement{kSystemWideId}; }
    // Only the system-wide element can be asked for the element at a position.
    std::optional<AXElement> elementAtPosition(AXElement root, Point p) const override;
    std::vector<std::string> attributeNames(AXElement e) const override;
    std::optional<AXValue> attributeValue(AXElement e, const std::string& name) const override;

    std::optional<TrustGuide> trustGuide() const override { return guide_; }

    // ---- Driver ----
    void setTrusted(bool on) { trusted_ = on; }
    // The simulated system tells how to grant the trust this way instead of
    // through a settings page.
    void setTrustGuide(std::optional<TrustGuide> guide) { guide_ = std::move(guide); }
    bool trusted() const { return trusted_; }
    // How many times the program asked with the prompt option.
    int promptCount() const { return promptCount_; }
    // Replaces the tree. Element i is AXElement{i + 1}; a parent index that
    // is out of range or the element itself counts as none.
    void setElements(std::vector<SimElement> elements);
    const std::vector<SimElement>& elements() const { return elements_; }
    static AXElement elementForIndex(std::size_t i) { return AXElement{i + 1}; }

  private:
    std::optional<TrustGuide> guide_;
    static constexpr std::uint64_t kSystemWideId = 0xFFFF'FFFF'0000'0001ULL;
    const SimElement* find(AXElement e) const;
    // The first element in list order with this parent that contains `p`.
    std::optional<std::size_t> firstContaining(std::optional<std::size_t> parent, Point p) const;

    bool trusted_ = true;
    mutable int promptCount_ = 0;
    std::vector<SimElement> elements_;
};

}  // namespace wexo::platform::sim
