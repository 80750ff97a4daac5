#pragma once

#include <vector>

#include "platform/LoginItems.h"
#include "platform/sim/SimRecorder.h"

namespace wexo::platform::sim {

// The user's login items, by path. Every change is recorded with the whole
// list after it. The driver can make the list unreachable: then the
// snapshot is nothing and changes fail. Main thread only.
class SimLoginItems : public LoginItems {
  public:
    explicit SimLoginItems(SimRecorder& recorder) : recorder_(recorder) {}

    std::optional<std::vector<std::string>> snapshot() const override;
    bool insertLast(const std::string& path) override;
    // False (and nothing recorded) when no item has the path.
    bool remove(const std::string& path) override;

    // ---- Driver ----
    void setItems(std::vector<std::string> items) { items_ = std::move(items); }
    const std::vector<std::string>& items() const { return items_; }
    void setAvailable(bool on) { available_ = on; }

  private:
    SimRecorder& recorder_;
    std::vector<std::string> items_;
    bool available_ = true;
};

}  // namespace wexo::platform::sim
