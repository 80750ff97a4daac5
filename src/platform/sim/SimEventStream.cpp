#include "platform/sim/SimEventStream.h"

#include <algorithm>
#include <array>

namespace wexo::platform::sim {

struct SimEventStream::Tap {
    std::uint64_t id;
    TapLocation location;
    TapPlacement placement;
    TapOption option;
    std::uint64_t mask;
    TapCallback callback;
    bool enabled = true;
    bool alive = true;
};

// The taps of each location in the order events reach them.
struct SimEventStream::TapTable {
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

class SimEventStream::TapHandle : public EventTap {
  public:
    TapHandle(std::weak_ptr<TapTable> table, std::shared_ptr<Tap> tap)
        : table_(std::move(table)), tap_(std::move(tap)) {}
    ~TapHandle() override {
        tap_->alive = false;
        if (auto t = table_.lock()) std::erase(t->byLocation[TapTable::slot(tap_->location)], tap_);
    }
    void enable(bool on) override { tap_->enabled = on; }
    bool isEnabled() const override { return tap_->enabled; }

  private:
    std::weak_ptr<TapTable> table_;
    std::shared_ptr<Tap> tap_;
};

SimEventStream::SimEventStream(Services services)
    : s_(services), taps_(std::make_shared<TapTable>()) {}

SimEventStream::~SimEventStream() = default;

std::unique_ptr<EventTap> SimEventStream::createTap(TapLocation location, TapPlacement placement,
                                                    TapOption option, std::uint64_t mask,
                                                    TapCallback callback) {
    if (!s_.process.alive() || !callback) return nullptr;
    if (option == TapOption::Default && !s_.accessibility.trusted()) return nullptr;
    auto tap = std::make_shared<Tap>(
        Tap{lastTapId_.fetch_add(1) + 1, location, placement, option, mask, std::move(callback)});
    auto& list = taps_->byLocation[TapTable::slot(location)];
    if (placement == TapPlacement::HeadInsert) {
        list.insert(list.begin(), tap);
    } else {
        list.push_back(tap);
    }
    return std::make_unique<TapHandle>(taps_, std::move(tap));
}

void SimEventStream::post(TapLocation location, const Event& event) {
    if (!s_.process.alive()) return;
    // The taps that exist at the moment of posting are the ones it will pass.
    Pending pending{event, location, lastTapId_.load()};
    if (!s_.runLoop.isMainThread()) {
        s_.runLoop.sendToMain([this, pending = std::move(pending)]() mutable {
            if (s_.process.alive()) enqueue(std::move(pending));
        });
        return;
    }
    enqueue(std::move(pending));
}

void SimEventStream::inject(Event event) {
    event.setTimestamp(static_cast<std::uint64_t>(s_.clock.nanos()));
    if (event.integerField(EventField::EventTargetUnixProcessID) == 0)
        event.setIntegerField(EventField::EventTargetUnixProcessID,
                              s_.windows.ownerOfWindowAt(event.location()));
    enqueue(Pending{event, TapLocation::HID, lastTapId_.load()});
}

void SimEventStream::enqueue(Pending pending) {
    queue_.push_back(std::move(pending));
    if (!s_.runLoop.busy()) drain();
}

void SimEventStream::drain() {
    if (draining_) return;
    draining_ = true;
    while (!queue_.empty()) {
        Pending p = std::move(queue_.front());
        queue_.pop_front();
        s_.runLoop.runWork([&] { dispatch(p); });
    }
    draining_ = false;
}

void SimEventStream::dispatch(Pending& p) {
    Event& event = p.event;
    for (std::size_t slot = TapTable::slot(p.location); slot < taps_->byLocation.size(); ++slot) {
        // A snapshot: callbacks may create and destroy taps on the way.
        const auto list = taps_->byLocation[slot];
        for (const auto& tap : list) {
            if (!s_.process.alive()) break;
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
    deliver(event);
}

void SimEventStream::deliver(Event& event) {
    const EventType type = event.type();
    if ((type == EventType::KeyDown || type == EventType::KeyUp) &&
        s_.hotKeys.offer(event, pointerLocation()))
        return;
    s_.recorder.record(records::Deliver{event});
    if (type == EventType::MouseMoved || isMouseDragged(type) || isMouseDown(type) ||
        isMouseUp(type))
        setPointer(event.location());
    if ((type == EventType::KeyDown || type == EventType::KeyUp ||
         type == EventType::FlagsChanged) &&
        s_.workspace.programIsFrontmost())
        (void)s_.keyMonitors.dispatch(event);
}

Point SimEventStream::pointerLocation() const {
    std::lock_guard lock(pointerMutex_);
    return pointer_;
}

void SimEventStream::setPointer(Point p) {
    std::lock_guard lock(pointerMutex_);
    pointer_ = p;
}

std::vector<SimEventStream::TapInfo> SimEventStream::taps() const {
    std::vector<TapInfo> out;
    for (const auto& list : taps_->byLocation)
        for (const auto& t : list)
            out.push_back(
                TapInfo{t->id, t->location, t->placement, t->option, t->mask, t->enabled});
    return out;
}

bool SimEventStream::disableTap(std::uint64_t id, EventType reason) {
    if (!s_.process.alive()) return false;
    for (const auto& list : taps_->byLocation) {
        for (const auto& t : list) {
            if (t->id != id) continue;
            std::shared_ptr<Tap> tap = t;
            tap->enabled = false;
            Event null;
            s_.runLoop.runWork([&] { (void)tap->callback(reason, null); });
            return true;
        }
    }
    return false;
}

}  // namespace wexo::platform::sim
