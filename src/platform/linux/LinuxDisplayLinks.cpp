#include "platform/linux/LinuxDisplayLinks.h"

#include <cmath>
#include <condition_variable>
#include <thread>

namespace wexo::platform::lnx {

struct LinuxDisplayLinks::Core {
    using Clock = std::chrono::steady_clock;
    explicit Core(std::chrono::nanoseconds period) : period(period) {}

    const std::chrono::nanoseconds period;
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::function<void()> callback;
    bool running = false;
    bool quit = false;
    std::thread thread;

    void start() {
        std::lock_guard lock(mutex);
        if (running || quit) return;
        running = true;
        if (!thread.joinable()) thread = std::thread([this] { runThread(); });
        changed.notify_all();
    }
    void stop() {
        std::lock_guard lock(mutex);
        running = false;
        changed.notify_all();
    }
    bool isRunning() const {
        std::lock_guard lock(mutex);
        return running;
    }
    void shutDown() {
        {
            std::lock_guard lock(mutex);
            quit = true;
            running = false;
            changed.notify_all();
        }
        if (thread.joinable() && thread.get_id() != std::this_thread::get_id()) thread.join();
    }

    void runThread() {
        std::unique_lock lock(mutex);
        while (!quit) {
            changed.wait(lock, [&] { return quit || running; });
            const Clock::time_point origin = Clock::now();
            std::int64_t frame = 1;
            while (running && !quit) {
                const Clock::time_point due = origin + frame * period;
                if (changed.wait_until(lock, due, [&] { return quit || !running; })) break;
                const auto late = Clock::now() - due;
                frame += 1 + late / period;
                auto cb = callback;
                lock.unlock();
                if (cb) cb();
                lock.lock();
            }
        }
    }
};

class LinuxDisplayLinks::Link : public DisplayLink {
  public:
    explicit Link(std::shared_ptr<Core> core) : core_(std::move(core)) {}
    ~Link() override { core_->shutDown(); }
    void setOutputCallback(std::function<void()> callback) override {
        std::lock_guard lock(core_->mutex);
        core_->callback = std::move(callback);
    }
    void start() override { core_->start(); }
    void stop() override { core_->stop(); }
    bool isRunning() const override { return core_->isRunning(); }

  private:
    std::shared_ptr<Core> core_;
};

LinuxDisplayLinks::LinuxDisplayLinks(const Screens& screens, RefreshRate refreshRate)
    : screens_(screens), refreshRate_(std::move(refreshRate)) {}

LinuxDisplayLinks::~LinuxDisplayLinks() {
    shutDown();
}

std::chrono::nanoseconds LinuxDisplayLinks::periodOf(DisplayId display) const {
    double rate = refreshRate_ ? refreshRate_(display) : 0.0;
    if (!std::isfinite(rate) || rate <= 0) rate = kFallbackRate;
    return std::chrono::nanoseconds(static_cast<std::int64_t>(std::llround(1e9 / rate)));
}

std::variant<std::unique_ptr<DisplayLink>, int> LinuxDisplayLinks::create(DisplayId display) {
    bool known = false;
    for (const auto& s : screens_.screens()) known = known || s.screenNumber == display;
    if (!known) return kInvalidDisplay;
    auto core = std::make_shared<Core>(periodOf(display));
    {
        std::lock_guard lock(mutex_);
        std::erase_if(links_, [](const auto& w) { return w.expired(); });
        links_.push_back(core);
    }
    return std::unique_ptr<DisplayLink>(std::make_unique<Link>(std::move(core)));
}

std::size_t LinuxDisplayLinks::runningCount() const {
    std::lock_guard lock(mutex_);
    std::size_t n = 0;
    for (const auto& w : links_)
        if (auto core = w.lock(); core && core->isRunning()) ++n;
    return n;
}

void LinuxDisplayLinks::shutDown() {
    std::vector<std::shared_ptr<Core>> cores;
    {
        std::lock_guard lock(mutex_);
        for (const auto& w : links_)
            if (auto core = w.lock()) cores.push_back(core);
    }
    for (const auto& core : cores) core->shutDown();
}

}  // namespace wexo::platform::lnx
