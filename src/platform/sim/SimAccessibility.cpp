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

std::size_t SimAccessibility::depth(std::size_t index) const {
    // Bounded by the list size, so a cycle of parents cannot loop forever.
    std::size_t d = 0;
    for (auto p = elements_[index].parent; p && d < elements_.size(); p = elements_[*p].parent) ++d;
    return d;
}

std::optional<AXElement> SimAccessibility::elementAtPosition(AXElement root, Point p) const {
    if (!trusted_ || root.id != kSystemWideId) return std::nullopt;
    std::optional<std::size_t> best;
    std::size_t bestDepth = 0;
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        if (!elements_[i].bounds.contains(p)) continue;
        const std::size_t d = depth(i);
        if (!best || d > bestDepth) {
            best = i;
            bestDepth = d;
        }
    }
    if (!best) return std::nullopt;
    return elementForIndex(*best);
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
