#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Subscription.h"

namespace wexo::ui {

// Callbacks that watch one object of the user interface (a front end's
// widget binding, a recorder). Each stays registered while its Subscription
// lives; the Subscription may outlive the list. Observers may subscribe or
// unsubscribe while being notified.
template <class... Args>
class ObserverList {
  public:
    using Callback = std::function<void(Args...)>;

    ObserverList() = default;
    // An object's observers belong to it: a copy starts without any.
    ObserverList(const ObserverList&) : ObserverList() {}
    ObserverList& operator=(const ObserverList&) { return *this; }

    platform::Subscription add(Callback callback) {
        auto entry = std::make_shared<Entry>(Entry{std::move(callback), true});
        entries_->push_back(entry);
        std::weak_ptr<List> list = entries_;
        std::weak_ptr<Entry> weak = entry;
        return platform::Subscription([list, weak] {
            auto l = list.lock();
            auto e = weak.lock();
            if (!l || !e) return;
            e->active = false;
            std::erase(*l, e);
        });
    }

    void notify(Args... args) const {
        if (entries_->empty()) return;
        List snapshot = *entries_;
        for (const auto& e : snapshot)
            if (e->active) e->callback(args...);
    }

    bool empty() const { return entries_->empty(); }

  private:
    struct Entry {
        Callback callback;
        bool active;
    };
    using List = std::vector<std::shared_ptr<Entry>>;
    std::shared_ptr<List> entries_ = std::make_shared<List>();
};

}  // namespace wexo::ui
