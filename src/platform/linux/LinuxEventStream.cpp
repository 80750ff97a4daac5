#include "platform/linux/LinuxEventStream.h"

#include <algorithm>

#include "platform/Log.h"

namespace wexo::platform::lnx {

namespace {
bool movesPointer(EventType t) {
    return t == EventType::MouseMoved || isMouseDragged(t);
}
}  // namespace

LinuxEventStream::LinuxEventStream(LinuxRunLoop& loop, Desktop& desktop, DeviceBackend& backend,
                                   Options options)
    : loop_(loop),
      desktop_(desktop),
      options_(std::move(options)),
      reader_(backend, outputs_, readerHooks(), InputReader::Options{options_.settleTimeout}) {
    lastPointer_ = desktop_.queryPointer();
    pointer_ = lastPointer_.location;
}

InputReader::Hooks LinuxEventStream::readerHooks() {
    // Everything the reader says is taken up on the main thread; the token
    // keeps work handed over from outliving the stream.
    std::weak_ptr<bool> alive = alive_;
    auto onMain = [this, alive](std::function<void()> work) {
        loop_.postToMain([alive, work = std::move(work)] {
            if (!alive.expired()) work();
        });
    };
    InputReader::Hooks hooks;
    hooks.settle = [this, onMain](std::shared_ptr<ReportBatch> batch) {
        onMain([this, batch] { settle(batch); });
    };
    hooks.passedStraight = [this, onMain](int device, const Report& report) {
        onMain([this, device, report] { observe(device, report); });
    };
    hooks.timedOut = [this, onMain] { onMain([this] { timedOut(); }); };
    hooks.added = [this, onMain](int device) {
        onMain([this, device] {
            decoders_.try_emplace(device);
            if (currentDevice_ == 0) currentDevice_ = device;
        });
    };
    hooks.ended = [this, onMain](int device) {
        onMain([this, device] {
            decoders_.erase(device);
            if (decoders_.empty()) {
                // The last mouse: its twin stays for what the program still
                // has to finish (animations), the program decides when to stop.
                if (listener_.inputEnded) listener_.inputEnded();
                return;
            }
            outputs_.removePointer(device);
            if (currentDevice_ == device) currentDevice_ = decoders_.begin()->first;
        });
    };
    hooks.panicked = [this, onMain](const char* why) {
        onMain([this, why] {
            if (listener_.panicked) listener_.panicked(why);
        });
    };
    return hooks;
}

LinuxEventStream::~LinuxEventStream() {
    stop();
}

bool LinuxEventStream::start() {
    return reader_.start();
}

void LinuxEventStream::stop() {
    reader_.stop();
    outputs_.releaseAll(wallClockMicros());
}

void LinuxEventStream::releaseAll() {
    outputs_.releaseAll(wallClockMicros());
}

std::unique_ptr<EventTap> LinuxEventStream::createTap(TapLocation location, TapPlacement placement,
                                                      TapOption option, std::uint64_t mask,
                                                      TapCallback callback) {
    return chain_.createTap(location, placement, option, mask, std::move(callback));
}

void LinuxEventStream::post(TapLocation location, const Event& event) {
    if (loop_.quitting()) return;
    TapChain::Pending pending = chain_.pending(location, event);
    if (!loop_.isMainThread()) {
        std::weak_ptr<bool> alive = alive_;
        loop_.postToMain([this, alive, pending = std::move(pending)]() mutable {
            if (!alive.expired()) chain_.enqueue(std::move(pending));
        });
        return;
    }
    chain_.enqueue(std::move(pending));
}

Point LinuxEventStream::pointerLocation() const {
    std::lock_guard lock(pointerMutex_);
    return pointer_;
}

void LinuxEventStream::setPointer(Point p) {
    std::lock_guard lock(pointerMutex_);
    pointer_ = p;
}

std::uint64_t LinuxEventStream::heldModifiers() const {
    std::uint64_t flags = lastPointer_.modifierFlags;
    if (auto it = decoders_.find(currentDevice_); it != decoders_.end())
        flags |= it->second.streamModifiers();
    return flags;
}

void LinuxEventStream::observe(int device, const Report& report) {
    double dx = 0, dy = 0;
    for (const InputRecord& r : report) {
        if (r.type != EV_REL) continue;
        if (r.code == REL_X) dx += r.value;
        if (r.code == REL_Y) dy += r.value;
    }
    decoders_[device].observe(report);
    if (dx != 0 || dy != 0) {
        desktop_.pointerMoved(dx, dy);
        lastPointer_ = desktop_.queryPointer();
        setPointer(lastPointer_.location);
    }
}

void LinuxEventStream::settle(const std::shared_ptr<ReportBatch>& batch) {
    for (std::size_t i = 0; i < batch->reports.size(); ++i) {
        {
            std::lock_guard lock(batch->mutex);
            if (batch->state == ReportBatch::State::Abandoned) {
                // The reader wrote the rest unchanged; follow what went out.
                for (; i < batch->reports.size(); ++i) observe(batch->device, batch->reports[i]);
                return;
            }
        }
        settleReport(batch, i);
    }
}

void LinuxEventStream::settleReport(const std::shared_ptr<ReportBatch>& batch, std::size_t index) {
    const Report& report = batch->reports[index];
    currentDevice_ = batch->device;
    lastPointer_ = desktop_.queryPointer();
    setPointer(lastPointer_.location);
    const auto nowNanos = static_cast<std::uint64_t>(loop_.now() * 1e9);
    ReportDecoder::Result decoded =
        decoders_[batch->device].decode(report, lastPointer_, desktop_.doubleClickInterval(),
                                        desktop_.doubleClickDistance(), nowNanos);

    Settling settling{
        batch, index, std::move(decoded.events), std::vector<bool>(report.size()), {}, {}, 0,
        0,     false};
    for (std::uint32_t i : decoded.leftovers) settling.keep[i] = true;
    if (!settling.events.empty()) {
        const pid_t owner = desktop_.windowOwnerAt(settling.events.front().event.location());
        for (std::size_t i = 0; i < settling.events.size(); ++i) {
            Event& e = settling.events[i].event;
            e.setIntegerField(EventField::EventTargetUnixProcessID, owner);
            chain_.enqueue(chain_.pending(TapLocation::HID, e, i + 1));
        }
    }
    settling_ = &settling;
    // The report's events, and whatever their taps post, enter now.
    chain_.drain();
    flush();
    settling_ = nullptr;
}

void LinuxEventStream::deliver(Event& event, std::uint64_t origin) {
    if (origin != 0 && settling_ && !settling_->flushed && origin <= settling_->events.size()) {
        const DecodedEvent& original = settling_->events[origin - 1];
        if (event == original.event) {
            for (std::uint32_t i : original.positions) settling_->keep[i] = true;
            settling_->carried.insert(settling_->carried.end(), original.carried.begin(),
                                      original.carried.end());
        } else {
            settling_->changed.push_back(event);
        }
        if (movesPointer(event.type())) {
            settling_->dx += event.doubleField(EventField::MouseEventDeltaX);
            settling_->dy += event.doubleField(EventField::MouseEventDeltaY);
        }
        return;
    }
    // Posted while a report settles: the report's own records go first.
    if (settling_) flush();
    writePosted(event);
}

void LinuxEventStream::flush() {
    if (!settling_ || settling_->flushed) return;
    Settling& s = *settling_;
    s.flushed = true;
    ReportBatch& batch = *s.batch;
    const Report& report = batch.reports[s.index];
    const std::int64_t now = wallClockMicros();
    {
        std::lock_guard lock(batch.mutex);
        if (batch.state == ReportBatch::State::Abandoned) {
            // Written unchanged by the reader already; only the pointer
            // follows what went out.
            s.dx = s.dy = 0;
            for (const InputRecord& r : report) {
                if (r.type == EV_REL && r.code == REL_X) s.dx += r.value;
                if (r.type == EV_REL && r.code == REL_Y) s.dy += r.value;
            }
        } else {
            std::vector<InputRecord> frame = std::move(s.carried);
            for (std::size_t i = 0; i < s.keep.size(); ++i)
                if (s.keep[i]) frame.push_back(report[i]);
            outputs_.writeFrame(batch.device, frame, now);
            for (const Event& e : s.changed)
                outputs_.writeEvent(batch.device, e, heldModifiers(), now);
            if (++batch.settled == batch.reports.size()) {
                batch.state = ReportBatch::State::Settled;
                batch.done.notify_all();
            }
        }
    }
    if (options_.measureLatency)
        latencies_.push_back(std::chrono::duration<double, std::milli>(
                                 std::chrono::steady_clock::now() - batch.readAt)
                                 .count());
    if (s.dx != 0 || s.dy != 0) {
        desktop_.pointerMoved(s.dx, s.dy);
        lastPointer_ = desktop_.queryPointer();
        setPointer(lastPointer_.location);
    }
}

void LinuxEventStream::writePosted(const Event& event) {
    const EventType type = event.type();
    if (movesPointer(type)) {
        // A move posted to where the pointer already is moves nothing.
        if (event.location() != pointerLocation()) {
            desktop_.warpPointer(event.location());
            lastPointer_.location = event.location();
            setPointer(event.location());
        }
        return;
    }
    outputs_.writeEvent(currentDevice_, event, heldModifiers(), wallClockMicros());
}

void LinuxEventStream::timedOut() {
    chain_.disableActiveTaps(EventType::TapDisabledByTimeout);
    awaitingReenable_ = true;
    if (chain_.anyActiveTapEnabled()) tapEnabled();
}

void LinuxEventStream::tapEnabled() {
    if (!awaitingReenable_) return;
    awaitingReenable_ = false;
    reader_.resume();
    WEXO_LOG_INFO("The taps are back; mouse events are settled again");
}

}  // namespace wexo::platform::lnx
