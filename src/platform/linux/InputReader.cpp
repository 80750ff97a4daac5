#include "platform/linux/InputReader.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "platform/Log.h"

namespace wexo::platform::lnx {

namespace {
constexpr std::uint64_t kStopKey = ~std::uint64_t{0};
constexpr std::uint64_t kHotplugKey = ~std::uint64_t{0} - 1;

}  // namespace

InputReader::InputReader(DeviceBackend& backend, OutputDevices& outputs, Hooks hooks,
                         Options options)
    : backend_(backend), outputs_(outputs), hooks_(std::move(hooks)), options_(options) {}

InputReader::~InputReader() {
    stop();
}

double InputReader::steadySeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void InputReader::adopt(std::unique_ptr<InputSource> input) {
    if (!input->grab(true))
        WEXO_LOG_ERROR("%s could not be grabbed; its events also reach the desktop directly",
                       input->name().c_str());
    auto twin = backend_.createTwin(*input);
    if (!twin) {
        // Grabbed without a twin, the mouse would be dead: leave it alone.
        WEXO_LOG_ERROR("No virtual twin for %s; it is left to the desktop", input->name().c_str());
        input->grab(false);
        return;
    }
    const int id = nextId_++;
    outputs_.addPointer(id, std::move(twin));
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.u64 = static_cast<std::uint64_t>(id);
    // A regular file (standard input redirected from one) cannot be
    // watched: it is always ready, and read on every turn until it ends.
    const bool watched = epoll_ctl(epollFd_, EPOLL_CTL_ADD, input->fd(), &ev) == 0;
    sources_.push_back(Source{id, std::move(input), {}, watched});
    if (hooks_.added) hooks_.added(id);
}

bool InputReader::start() {
    epollFd_ = epoll_create1(EPOLL_CLOEXEC);
    stopFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (epollFd_ < 0 || stopFd_ < 0) {
        WEXO_LOG_ERROR("The device reader could not be made: %s", std::strerror(errno));
        return false;
    }
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.u64 = kStopKey;
    epoll_ctl(epollFd_, EPOLL_CTL_ADD, stopFd_, &ev);
    if (backend_.hotplugFd() >= 0) {
        ev.data.u64 = kHotplugKey;
        epoll_ctl(epollFd_, EPOLL_CTL_ADD, backend_.hotplugFd(), &ev);
    }
    if (auto keyboard = backend_.createKeyboard()) {
        outputs_.setKeyboard(std::move(keyboard));
    } else {
        WEXO_LOG_ERROR("No virtual keyboard: shortcuts and media keys cannot be sent");
    }
    for (auto& input : backend_.openSources()) adopt(std::move(input));
    if (sources_.empty() && backend_.hotplugFd() < 0) return false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void InputReader::stop() {
    if (stopped_) return;
    stopped_ = true;
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        (void)!::write(stopFd_, &one, sizeof one);
        thread_.join();
    }
    for (auto& s : sources_) s.input->grab(false);
    sources_.clear();
    for (int fd : {stopFd_, epollFd_})
        if (fd >= 0) ::close(fd);
    stopFd_ = epollFd_ = -1;
}

void InputReader::run() {
    epoll_event events[16];
    for (;;) {
        int timeoutMs = -1;
        if (auto due = panic_.deadline())
            timeoutMs = std::max(0, static_cast<int>(std::ceil((*due - steadySeconds()) * 1000)));
        const bool unwatched = std::any_of(sources_.begin(), sources_.end(),
                                           [](const Source& s) { return !s.watched; });
        if (unwatched) timeoutMs = 0;
        const int n = epoll_wait(epollFd_, events, 16, timeoutMs);
        if (n < 0 && errno != EINTR) {
            WEXO_LOG_ERROR("The device reader cannot wait: %s", std::strerror(errno));
            return;
        }
        if (auto why = panic_.check(steadySeconds())) return panic(*why);
        if (unwatched) {
            for (std::size_t s = 0; s < sources_.size(); ++s) {
                if (sources_[s].watched) continue;
                readSource(sources_[s]);
                if (panicked_) return;
                break;  // the list may have changed
            }
        }
        for (int i = 0; i < n; ++i) {
            const std::uint64_t key = events[i].data.u64;
            if (key == kStopKey) return;
            if (key == kHotplugKey) {
                for (auto& input : backend_.takePluggedIn()) adopt(std::move(input));
                continue;
            }
            for (std::size_t s = 0; s < sources_.size(); ++s) {
                if (static_cast<std::uint64_t>(sources_[s].id) != key) continue;
                readSource(sources_[s]);
                if (panicked_) return;
                break;
            }
        }
    }
}

void InputReader::readSource(Source& source) {
    std::vector<InputRecord> records;
    const auto result = source.input->read(records);
    std::vector<Report> reports;
    for (const InputRecord& r : records) {
        if (auto why = panic_.feed(source.id, r, steadySeconds())) {
            // The reports before the chord go their way first.
            handle(source.id, std::move(reports));
            panic(*why);
            return;
        }
        source.splitter.push(r, reports);
    }
    handle(source.id, std::move(reports));
    if (result != InputSource::ReadResult::End) return;
    const int id = source.id;
    if (source.watched) epoll_ctl(epollFd_, EPOLL_CTL_DEL, source.input->fd(), nullptr);
    panic_.forget(id);
    for (std::size_t i = 0; i < sources_.size(); ++i)
        if (sources_[i].id == id) sources_.erase(sources_.begin() + static_cast<long>(i));
    if (hooks_.ended) hooks_.ended(id);
}

void InputReader::handle(int device, std::vector<Report> reports) {
    if (reports.empty()) return;
    if (passthrough_.load(std::memory_order_acquire) || !hooks_.settle) {
        for (const Report& report : reports) {
            outputs_.writeFrame(device, report, wallClockMicros());
            if (hooks_.passedStraight) hooks_.passedStraight(device, report);
        }
        return;
    }
    // One hand-over for everything one read brought: a stream delivers
    // reports by the thousand, a mouse one at a time.
    auto batch = std::make_shared<ReportBatch>();
    batch->device = device;
    batch->reports = std::move(reports);
    batch->readAt = std::chrono::steady_clock::now();
    hooks_.settle(batch);
    std::unique_lock lock(batch->mutex);
    if (batch->done.wait_until(lock, batch->readAt + options_.settleTimeout,
                               [&] { return batch->state != ReportBatch::State::Waiting; }))
        return;
    batch->state = ReportBatch::State::Abandoned;
    for (std::size_t i = batch->settled; i < batch->reports.size(); ++i)
        outputs_.writeFrame(device, batch->reports[i], wallClockMicros());
    lock.unlock();
    if (!passthrough_.exchange(true)) {
        WEXO_LOG_ERROR(
            "The taps took more than %lld ms; mouse events pass unchanged until they are back",
            static_cast<long long>(options_.settleTimeout.count()));
        if (hooks_.timedOut) hooks_.timedOut();
    }
}

void InputReader::panic(const char* why) {
    panicked_ = true;
    outputs_.releaseAll(wallClockMicros());
    for (auto& s : sources_) s.input->grab(false);
    WEXO_LOG_ERROR("Panic: %s; everything held is released and every mouse given back", why);
    if (hooks_.panicked) hooks_.panicked(why);
}

}  // namespace wexo::platform::lnx
