#include "events/EventTapOrder.h"

#include <algorithm>

#include "platform/Log.h"
#include "platform/Platform.h"

namespace wexo {

using platform::TapLocation;
using platform::TapOption;
using platform::TapPlacement;

class EventTapOrder::OrderedTap : public platform::EventTap {
  public:
    OrderedTap(EventTapOrder& order, SessionTap place, std::uint64_t mask,
               platform::TapCallback callback, std::unique_ptr<platform::EventTap> tap)
        : order_(&order),
          place_(place),
          mask_(mask),
          callback_(std::move(callback)),
          tap_(std::move(tap)) {}

    ~OrderedTap() override {
        if (order_) order_->forget(this);
    }

    void enable(bool on) override { tap_->enable(on); }
    bool isEnabled() const override { return tap_->isEnabled(); }

    SessionTap place() const { return place_; }
    void orphan() { order_ = nullptr; }

    // A new tap at the head of the stream takes this one's part. False when
    // the stream refused it; the old tap then stays where it was.
    bool moveToHead(platform::EventStream& stream) {
        auto fresh = stream.createTap(TapLocation::Session, TapPlacement::HeadInsert,
                                      TapOption::Default, mask_, callback_);
        if (!fresh) return false;
        if (!tap_->isEnabled()) fresh->enable(false);
        tap_ = std::move(fresh);
        return true;
    }

  private:
    EventTapOrder* order_;
    SessionTap place_;
    std::uint64_t mask_;
    platform::TapCallback callback_;
    std::unique_ptr<platform::EventTap> tap_;
};

EventTapOrder::EventTapOrder(platform::EventStream& stream) : stream_(stream) {}

EventTapOrder::~EventTapOrder() {
    for (auto* tap : taps_) tap->orphan();
}

std::unique_ptr<platform::EventTap> EventTapOrder::createTap(SessionTap place, std::uint64_t mask,
                                                             platform::TapCallback callback) {
    auto created = stream_.createTap(TapLocation::Session, TapPlacement::HeadInsert,
                                     TapOption::Default, mask, callback);
    if (!created) return nullptr;
    auto tap =
        std::make_unique<OrderedTap>(*this, place, mask, std::move(callback), std::move(created));

    // The new tap stands first now; the ones that must come before it go to
    // the head again, the last of them first, so that they keep their order.
    std::vector<OrderedTap*> before;
    for (auto* t : taps_)
        if (t->place() < place) before.push_back(t);
    taps_.insert(taps_.begin(), tap.get());
    for (auto it = before.rbegin(); it != before.rend(); ++it) {
        if (!(*it)->moveToHead(stream_)) {
            WEXO_LOG_ERROR("An event tap could not be placed again; the taps are out of order.");
            continue;
        }
        std::erase(taps_, *it);
        taps_.insert(taps_.begin(), *it);
    }
    return tap;
}

std::vector<SessionTap> EventTapOrder::orderForTesting() const {
    std::vector<SessionTap> out;
    for (auto* t : taps_) out.push_back(t->place());
    return out;
}

void EventTapOrder::forget(OrderedTap* tap) {
    std::erase(taps_, tap);
}

std::unique_ptr<platform::EventTap> createSessionTap(SessionTap place, std::uint64_t mask,
                                                     platform::TapCallback callback) {
    if (auto* order = SharedSlot<EventTapOrder>::get())
        return order->createTap(place, mask, std::move(callback));
    return installedPlatform().eventStream().createTap(TapLocation::Session,
                                                       TapPlacement::HeadInsert, TapOption::Default,
                                                       mask, std::move(callback));
}

}  // namespace wexo
