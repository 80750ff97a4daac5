#include "platform/sim/SimLoginItems.h"

#include <algorithm>

namespace wexo::platform::sim {

std::optional<std::vector<std::string>> SimLoginItems::snapshot() const {
    if (!available_) return std::nullopt;
    return items_;
}

bool SimLoginItems::insertLast(const std::string& path) {
    if (!available_ || path.empty()) return false;
    items_.push_back(path);
    recorder_.record(records::LoginItems{items_});
    return true;
}

bool SimLoginItems::remove(const std::string& path) {
    if (!available_) return false;
    auto it = std::find(items_.begin(), items_.end(), path);
    if (it == items_.end()) return false;
    items_.erase(it);
    recorder_.record(records::LoginItems{items_});
    return true;
}

}  // namespace wexo::platform::sim
