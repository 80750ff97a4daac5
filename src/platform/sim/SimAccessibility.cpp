#include "platform/sim/SimAccessibility.h"

namespace wexo::platform::sim {

bool SimAccessibility::isProcessTrusted(bool prompt) const {
    if (prompt && !trusted_) ++promptCount_;
    return trusted_;
}

void SimAccessibility::setElements(std::vector<SimElement> elements) {
    for (std::size_t i = 0; i < elements.size(); ++i) {
        auto& parent = elements[i].parent;
        if (parent && (*parent >= elements.size() || *parent == i)) parent.reset();
    }
    elements_ = std::move(elements);
}

const SimElement* SimAccessibility::find(AXElement e) const {
    if (e.id == 0 || e.id > elements_.size()) return nullptr;
    return &elements_[e.id - 1];
}

std::optional<std::size_t> SimAccessibility::firstContaining(std::optional<std::size_t> parent,
                                                             Point p) const {
    for (std::size_t i = 0; i < elements_.size(); ++i)
        if (elements_[i].parent == parent && elements_[i].bounds.contains(p)) return i;
    return std::nullopt;
}

std::optional<AXElement> SimAccessibility::elementAtPosition(AXElement root, Point p) const {
    if (!trusted_ || root.id != kSystemWideId) return std::nullopt;
    std::optional<std::size_t> hit = firstContaining(std::nullopt, p);
    if (!hit) return std::nullopt;
    // Each step goes one level down, so a cycle of parents (which no root
    // leads into anyway) cannot keep it going.
    for (std::size_t level = 0; level < elements_.size(); ++level) {
        auto child = firstContaining(hit, p);
        if (!child) break;
        hit = child;
    }
    return elementForIndex(*hit);
}

std::vector<std::string> SimAccessibility::attributeNames(AXElement e) const {
    std::vector<std::string> names;
    const SimElement* el = trusted_ ? find(e) : nullptr;
    if (!el) return names;
    if (el->role) names.push_back("AXRole");
    if (el->parent) names.push_back("AXParent");
    return names;
}

std::optional<AXValue> SimAccessibility::attributeValue(AXElement e,
                                                        const std::string& name) const {
    const SimElement* el = trusted_ ? find(e) : nullptr;
    if (!el) return std::nullopt;
    if (name == "AXRole" && el->role) return AXValue{*el->role};
    if (name == "AXParent" && el->parent) return AXValue{elementForIndex(*el->parent)};
    return std::nullopt;
}

}  // namespace wexo::platform::sim
