#include "platform/TapChain.h"

#include <algorithm>
#include <array>

namespace wexo::platform {

struct TapChain::Tap {
    std::uint64_t id;
    TapLocation location;
    TapPlacement placement;
    TapOption option;
    std::uint64_t mask;
    TapCallback callback;
    Host* host;
    bool enabled = true;
    bool alive = true;
};

// The taps of each location in the order events reach them.
struct TapChain::TapTable {
    std::array<std::vector<std::shared_ptr<Tap>>, 3> byLocation;

    static std::size_t slot(TapLocation l) {
        switch (l) {
            case TapLocation::HID:
                return 0;
            case TapLocation::Session:
                return 1;
            case TapLocation::AnnotatedSession:
                return 2;
        }
        return 1;
    }
};

class TapChain::TapHandle : public EventTap {
  public:
    TapHandle(std::weak_ptr<TapTable> table, std::shared_ptr<Tap> tap)
        : table_(std::move(table)), tap_(std::move(tap)) {}
    ~TapHandle() override {
        tap_->alive = false;
        if (auto t = table_.lock()) std::erase(t->byLocation[TapTable::slot(tap_->location)], tap_);
    }
    void enable(bool on) override {
        tap_->enabled = on;
        // The host goes with the table; a handle may outlive both.
        if (on && !table_.expired()) tap_->host->tapEnabled();
    }
    bool isEnabled() const override { return tap_->enabled; }

  private:
    std::weak_ptr<TapTable> table_;
    std::shared_ptr<Tap> tap_;
};

TapChain::TapChain(Host& host) : host_(host), taps_(std::make_shared<TapTable>()) {}

TapChain::~TapChain() = default;

std::unique_ptr<EventTap> TapChain::createTap(TapLocation location, TapPlacement placement,
                                              TapOption option, std::uint64_t mask,
                                              TapCallback callback) {
    if (!host_.programAlive() || !callback) return nullptr;
    if (option == TapOption::Default && !host_.trusted()) return nullptr;
    auto tap = std::make_shared<Tap>(
        Tap{lastTapId_.load() + 1, location, placement, option, mask, std::move(callback), &host_});
    auto& list = taps_->byLocation[TapTable::slot(location)];
    if (placement == TapPlacement::HeadInsert) {
        list.insert(list.begin(), tap);
    } else {
        list.push_back(tap);
    }
    // Published only now: an event stamped on another thread meanwhile must
    // not count on a tap that is not in the table yet.
    lastTapId_.store(tap->id, std::memory_order_release);
    return std::make_unique<TapHandle>(taps_, std::move(tap));
}

void TapChain::enqueue(Pending pending) {
    queue_.push_back(std::move(pending));
    if (!host_.busy()) drain();
}

void TapChain::drain() {
    if (draining_) return;
    draining_ = true;
    while (!queue_.empty()) {
        Pending p = std::move(queue_.front());
        queue_.pop_front();
        host_.runWork([&] { dispatch(p); });
    }
    draining_ = false;
}

void TapChain::dispatch(Pending& p) {
    Event& event = p.event;
    for (std::size_t slot = TapTable::slot(p.location); slot < taps_->byLocation.size(); ++slot) {
        // A snapshot: callbacks may create and destroy taps on the way.
        const auto list = taps_->byLocation[slot];
        for (const auto& tap : list) {
            if (!host_.programAlive()) break;
            if (!tap->alive || !tap->enabled || tap->id > p.stamp) continue;
            if (!(tap->mask & eventMaskBit(event.type()))) continue;
            if (tap->option == TapOption::ListenOnly) {
                Event copy = event;
                (void)tap->callback(copy.type(), copy);
                continue;
            }
            if (tap->callback(event.type(), event).swallows()) return;
        }
    }
    host_.deliver(event, p.origin);
}

std::vector<TapChain::TapInfo> TapChain::taps() const {
    std::vector<TapInfo> out;
    for (const auto& list : taps_->byLocation)
        for (const auto& t : list)
            out.push_back(
                TapInfo{t->id, t->location, t->placement, t->option, t->mask, t->enabled});
    return out;
}

void TapChain::notifyDisabled(const std::shared_ptr<Tap>& tap, EventType reason) {
    tap->enabled = false;
    Event null;
    host_.runWork([&] { (void)tap->callback(reason, null); });
}

bool TapChain::disableTap(std::uint64_t id, EventType reason) {
    if (!host_.programAlive()) return false;
    for (const auto& list : taps_->byLocation) {
        for (const auto& t : list) {
            if (t->id != id) continue;
            notifyDisabled(std::shared_ptr<Tap>(t), reason);
            return true;
        }
    }
    return false;
}

std::size_t TapChain::disableActiveTaps(EventType reason) {
    std::vector<std::shared_ptr<Tap>> chosen;
    for (const auto& list : taps_->byLocation)
        for (const auto& t : list)
            if (t->enabled && t->option == TapOption::Default) chosen.push_back(t);
    std::size_t told = 0;
    for (const auto& tap : chosen) {
        if (!host_.programAlive()) break;
        if (!tap->alive) continue;
        notifyDisabled(tap, reason);
        ++told;
    }
    return told;
}

bool TapChain::anyActiveTapEnabled() const {
    for (const auto& list : taps_->byLocation)
        for (const auto& t : list)
            if (t->enabled && t->option == TapOption::Default) return true;
    return false;
}

}  // namespace wexo::platform
