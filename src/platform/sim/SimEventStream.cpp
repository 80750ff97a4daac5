#include "platform/sim/SimEventStream.h"

namespace wexo::platform::sim {

SimEventStream::SimEventStream(Services services) : s_(services) {}

SimEventStream::~SimEventStream() = default;

std::unique_ptr<EventTap> SimEventStream::createTap(TapLocation location, TapPlacement placement,
                                                    TapOption option, std::uint64_t mask,
                                                    TapCallback callback) {
    return chain_.createTap(location, placement, option, mask, std::move(callback));
}

void SimEventStream::post(TapLocation location, const Event& event) {
    if (!s_.process.alive()) return;
    // The taps that exist at the moment of posting are the ones it will pass.
    TapChain::Pending pending = chain_.pending(location, event);
    if (!s_.runLoop.isMainThread()) {
        s_.runLoop.sendToMain([this, pending = std::move(pending)]() mutable {
            if (s_.process.alive()) chain_.enqueue(std::move(pending));
        });
        return;
    }
    chain_.enqueue(std::move(pending));
}

void SimEventStream::inject(Event event) {
    event.setTimestamp(static_cast<std::uint64_t>(s_.clock.nanos()));
    if (event.integerField(EventField::EventTargetUnixProcessID) == 0)
        event.setIntegerField(EventField::EventTargetUnixProcessID,
                              s_.windows.ownerOfWindowAt(event.location()));
    chain_.enqueue(chain_.pending(TapLocation::HID, event));
}

void SimEventStream::deliver(Event& event, std::uint64_t) {
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

}  // namespace wexo::platform::sim
