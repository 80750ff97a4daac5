#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Subscription.h"

namespace wexo::platform {

// Registered callbacks of one kind (observers, handlers, monitors) in the
// order they were added. A Subscription removes its entry; it stays safe to
// reset after the list itself is gone. An entry removed while the list is
// being notified is not called any more in that pass.
template <class F>
class CallbackList {
  public:
    Subscription add(F f) {
        auto entry = std::make_shared<Entry>(Entry{std::move(f), true});
        entries_->push_back(entry);
        std::weak_ptr<List> list = entries_;
        std::weak_ptr<Entry> weakEntry = entry;
        return Subscription([list, weakEntry] {
            auto l = list.lock();
            auto e = weakEntry.lock();
            if (!l || !e) return;
            e->active = false;
            std::erase(*l, e);
        });
    }

    // Calls `call(f)` for every entry, oldest first (or newest first), on a
    // snapshot, so that callbacks may add or remove entries. `call` answers
    // true to stop the pass.
    template <class Call>
    void forEach(Call&& call, bool newestFirst = false) const {
        List snapshot = *entries_;
        if (newestFirst) std::reverse(snapshot.begin(), snapshot.end());
        for (const auto& e : snapshot) {
            if (!e->active) continue;
            if (call(e->f)) return;
        }
    }

    std::size_t size() const { return entries_->size(); }
    bool empty() const { return entries_->empty(); }

  private:
    struct Entry {
        F f;
        bool active;
    };
    using List = std::vector<std::shared_ptr<Entry>>;
    std::shared_ptr<List> entries_ = std::make_shared<List>();
};

}  // namespace wexo::platform
