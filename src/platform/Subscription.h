#pragma once

#include <functional>
#include <utility>

namespace wexo::platform {

// An observation, a monitor, an installed handler: whatever was registered
// stays registered while the Subscription lives and is removed when it is
// reset or destroyed.
class Subscription {
  public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Subscription(Subscription&& o) noexcept : cancel_(std::exchange(o.cancel_, nullptr)) {}
    Subscription& operator=(Subscription&& o) noexcept {
        if (this != &o) {
            reset();
            cancel_ = std::exchange(o.cancel_, nullptr);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { reset(); }

    explicit operator bool() const { return static_cast<bool>(cancel_); }
    void reset() {
        if (auto c = std::exchange(cancel_, nullptr)) c();
    }

  private:
    std::function<void()> cancel_;
};

}  // namespace wexo::platform
