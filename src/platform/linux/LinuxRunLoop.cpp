#include "platform/linux/LinuxRunLoop.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>

#include "platform/Log.h"

namespace wexo::platform::lnx {

namespace {
constexpr std::uint64_t kTimerKey = 0;
constexpr std::uint64_t kWakeKey = 1;

std::int64_t monotonicNanos() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

std::int64_t toNanos(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0) return 0;
    return static_cast<std::int64_t>(std::llround(std::min(seconds, 1e9) * 1e9));
}
}  // namespace

LinuxRunLoop::LinuxRunLoop() : mainThread_(std::this_thread::get_id()) {
    epollFd_ = epoll_create1(EPOLL_CLOEXEC);
    timerFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (epollFd_ < 0 || timerFd_ < 0 || wakeFd_ < 0) {
        WEXO_LOG_ERROR("The run loop could not be made: %s", std::strerror(errno));
        return;
    }
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.u64 = kTimerKey;
    epoll_ctl(epollFd_, EPOLL_CTL_ADD, timerFd_, &ev);
    ev.data.u64 = kWakeKey;
    epoll_ctl(epollFd_, EPOLL_CTL_ADD, wakeFd_, &ev);
}

LinuxRunLoop::~LinuxRunLoop() {
    for (int fd : {wakeFd_, timerFd_, epollFd_})
        if (fd >= 0) ::close(fd);
}

std::int64_t LinuxRunLoop::nanos() const {
    return clock_ ? clock_() : monotonicNanos();
}

double LinuxRunLoop::now() const {
    return static_cast<double>(nanos()) / 1e9;
}

double LinuxRunLoop::wallClock() const {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

std::shared_ptr<Timer> LinuxRunLoop::schedule(double delay, double repeatInterval,
                                              std::function<void()> fire) {
    std::int64_t interval = 0;
    if (std::isfinite(repeatInterval) && repeatInterval > 0)
        interval = std::max(toNanos(repeatInterval), QueuedTimer::kMinimumRepeatNanos);
    auto timer = std::make_shared<LoopTimer>(toNanos(delay), interval, std::move(fire));
    if (isMainThread()) {
        addTimer(timer, nanos() + timer->delay);
    } else {
        // Counted from when the main thread takes it in, like the order of
        // timers scheduled there.
        postToMain([this, timer] { addTimer(timer, nanos() + timer->delay); });
    }
    return timer;
}

void LinuxRunLoop::addTimer(const std::shared_ptr<LoopTimer>& timer, std::int64_t due) {
    if (!timer->isValid()) return;
    timer->sequence = nextSequence_++;
    timers_.emplace(std::make_pair(due, timer->sequence), timer);
    armTimerFd();
}

void LinuxRunLoop::armTimerFd() {
    itimerspec deadline{};
    if (!timers_.empty()) {
        // An absolute time of 0 would disarm the timer: a due time already
        // passed still needs one nanosecond.
        const std::int64_t due = std::max<std::int64_t>(timers_.begin()->first.first, 1);
        deadline.it_value.tv_sec = due / 1'000'000'000;
        deadline.it_value.tv_nsec = due % 1'000'000'000;
    }
    timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &deadline, nullptr);
}

void LinuxRunLoop::postToMain(std::function<void()> work) {
    {
        std::lock_guard lock(inboxMutex_);
        inbox_.push_back(std::move(work));
    }
    const std::uint64_t one = 1;
    // The counter only has to be non-zero; a full counter is still a wake-up.
    (void)!::write(wakeFd_, &one, sizeof one);
}

Subscription LinuxRunLoop::watchReadable(int fd, std::function<void()> readable) {
    const std::uint64_t id = ++nextWatch_;
    watches_[id] = std::make_shared<Watch>(Watch{fd, std::move(readable)});
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.u64 = id;
    if (epoll_ctl(epollFd_, EPOLL_CTL_ADD, fd, &ev) != 0) {
        WEXO_LOG_ERROR("Descriptor %d cannot be watched: %s", fd, std::strerror(errno));
        watches_.erase(id);
        return {};
    }
    return Subscription([this, id] {
        auto it = watches_.find(id);
        if (it == watches_.end()) return;
        epoll_ctl(epollFd_, EPOLL_CTL_DEL, it->second->fd, nullptr);
        watches_.erase(it);
    });
}

void LinuxRunLoop::runWork(FunctionRef<void()> work) {
    ++depth_;
    work();
    if (--depth_ == 0 && afterWork_) afterWork_();
}

int LinuxRunLoop::run() {
    while (!quitting()) turn(-1);
    return status_.load();
}

void LinuxRunLoop::quit(int status) {
    {
        // The status is in place before quitting shows: run() on the main
        // thread returns it as soon as it sees the flag.
        std::lock_guard lock(quitMutex_);
        if (!quit_.load(std::memory_order_relaxed)) {
            status_.store(status, std::memory_order_relaxed);
            quit_.store(true, std::memory_order_release);
        }
    }
    const std::uint64_t one = 1;
    (void)!::write(wakeFd_, &one, sizeof one);
}

void LinuxRunLoop::dispatchPending() {
    turn(0);
}

void LinuxRunLoop::turn(int timeoutMs) {
    epoll_event events[16];
    const int n = epoll_wait(epollFd_, events, 16, timeoutMs);
    if (n < 0) {
        if (errno != EINTR) WEXO_LOG_ERROR("The run loop cannot wait: %s", std::strerror(errno));
        return;
    }
    // Timers and handed-over work first, in that order, whatever woke us:
    // both are cheap to check and keep their order with each other.
    fireDueTimers();
    runInbox();
    for (int i = 0; i < n && !quitting(); ++i) {
        const std::uint64_t key = events[i].data.u64;
        if (key == kTimerKey || key == kWakeKey) continue;
        auto it = watches_.find(key);
        if (it == watches_.end()) continue;  // ended by an earlier callback
        std::shared_ptr<Watch> watch = it->second;
        runWork([&] { watch->readable(); });
    }
}

void LinuxRunLoop::fireDueTimers() {
    std::uint64_t expirations = 0;
    (void)!::read(timerFd_, &expirations, sizeof expirations);
    const std::int64_t now = nanos();
    while (!timers_.empty() && timers_.begin()->first.first <= now && !quitting()) {
        auto node = timers_.extract(timers_.begin());
        std::shared_ptr<LoopTimer> timer = std::move(node.mapped());
        if (!timer->isValid()) continue;
        const bool repeats = timer->interval > 0;
        if (!repeats) timer->invalidate();
        runWork([&] { timer->fire(); });
        if (repeats && timer->isValid()) {
            // A repeating timer keeps its place among timers due with it,
            // and skips the beats it missed rather than firing them in a burst.
            std::int64_t next = node.key().first + timer->interval;
            if (next <= now) next += ((now - next) / timer->interval + 1) * timer->interval;
            timers_.emplace(std::make_pair(next, timer->sequence), timer);
        }
    }
    armTimerFd();
}

void LinuxRunLoop::runInbox() {
    std::uint64_t count = 0;
    (void)!::read(wakeFd_, &count, sizeof count);
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(inboxMutex_);
        batch.swap(inbox_);
    }
    for (auto& work : batch) {
        if (quitting()) break;
        runWork([&] { work(); });
    }
    // Work handed over by the batch itself waits for the next turn, which
    // the eventfd write it made guarantees.
}

}  // namespace wexo::platform::lnx
