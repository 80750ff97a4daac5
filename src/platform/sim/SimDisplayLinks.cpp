#include "platform/sim/SimDisplayLinks.h"

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "platform/LinkThread.h"

namespace wexo::platform::sim {

// Frames the threaded links have called back, for a driver that waits.
struct SimDisplayLinks::FrameCount {
    std::mutex mutex;
    std::condition_variable called;
    std::uint64_t frames = 0;
    void tick() {
        {
            std::lock_guard lock(mutex);
            ++frames;
        }
        called.notify_all();
    }
};

// The shared state of one link: the link object the program holds, the
// desktop's list and, in threaded mode, the link's thread all reach it.
struct SimDisplayLinks::Core {
    const double rate;
    const bool threaded;
    const SimClock& clock;
    const SimProcess& process;

    mutable std::mutex mutex;
    std::function<void()> callback;
    bool running = false;
    bool quit = false;
    std::int64_t nextFrameIndex = 0;     // deterministic mode
    std::unique_ptr<LinkThread> thread;  // threaded mode
    std::shared_ptr<FrameCount> frames;  // threaded mode

    Core(double rate, bool threaded, const SimClock& clock, const SimProcess& process,
         std::shared_ptr<FrameCount> frames)
        : rate(rate),
          threaded(threaded),
          clock(clock),
          process(process),
          frames(std::move(frames)) {
        if (threaded)
            thread =
                std::make_unique<LinkThread>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                 std::chrono::duration<double>(1.0 / rate)),
                                             [&process] { return process.alive(); });
    }

    void setCallback(std::function<void()> cb) {
        if (thread) {
            return thread->setCallback([cb = std::move(cb), frames = frames] {
                if (cb) cb();
                frames->tick();
            });
        }
        std::lock_guard lock(mutex);
        callback = std::move(cb);
    }

    void start() {
        if (thread) return thread->start();
        std::lock_guard lock(mutex);
        if (running || quit) return;
        running = true;
        // The first frame strictly after now.
        const std::int64_t now = clock.nanos();
        std::int64_t k =
            static_cast<std::int64_t>(std::floor(static_cast<long double>(now) * rate / 1e9L));
        while (frameTime(k, rate) <= now) ++k;
        while (k > 0 && frameTime(k - 1, rate) > now) --k;
        nextFrameIndex = k;
    }

    void stop() {
        if (thread) return thread->stop();
        std::lock_guard lock(mutex);
        running = false;
    }

    bool isRunning() const {
        if (thread) return thread->isRunning();
        std::lock_guard lock(mutex);
        return running;
    }

    void shutDown() {
        if (thread) return thread->shutDown();
        std::lock_guard lock(mutex);
        quit = true;
        running = false;
    }
};

std::int64_t SimDisplayLinks::frameTime(std::int64_t k, double rate) {
    return static_cast<std::int64_t>(std::floor(static_cast<long double>(k) * 1e9L / rate));
}

class SimDisplayLinks::Link : public DisplayLink {
  public:
    explicit Link(std::shared_ptr<Core> core) : core_(std::move(core)) {}
    ~Link() override { core_->shutDown(); }

    void setOutputCallback(std::function<void()> callback) override {
        core_->setCallback(std::move(callback));
    }
    void start() override {
        if (core_->process.alive()) core_->start();
    }
    void stop() override { core_->stop(); }
    bool isRunning() const override { return core_->isRunning(); }

  private:
    std::shared_ptr<Core> core_;
};

SimDisplayLinks::SimDisplayLinks(SimClock& clock, SimRunLoop& runLoop, const SimScreens& screens,
                                 const SimProcess& process)
    : clock_(clock),
      runLoop_(runLoop),
      screens_(screens),
      process_(process),
      frames_(std::make_shared<FrameCount>()) {}

SimDisplayLinks::~SimDisplayLinks() {
    shutDown();
}

std::variant<std::unique_ptr<DisplayLink>, int> SimDisplayLinks::create(DisplayId display) {
    if (creationError_) return *creationError_;
    if (!screens_.hasDisplay(display)) return kInvalidDisplay;
    auto core =
        std::make_shared<Core>(screens_.refreshRate(), threaded_, clock_, process_, frames_);
    std::erase_if(links_, [](const auto& w) { return w.expired(); });
    links_.push_back(core);
    return std::unique_ptr<DisplayLink>(std::make_unique<Link>(std::move(core)));
}

std::optional<std::int64_t> SimDisplayLinks::nextFrame() const {
    if (!process_.alive()) return std::nullopt;
    std::optional<std::int64_t> next;
    for (const auto& w : links_) {
        auto core = w.lock();
        if (!core || core->threaded) continue;
        std::lock_guard lock(core->mutex);
        if (!core->running) continue;
        const std::int64_t t = frameTime(core->nextFrameIndex, core->rate);
        if (!next || t < *next) next = t;
    }
    return next;
}

void SimDisplayLinks::fireFrames() {
    const std::int64_t now = clock_.nanos();
    // Links created by a callback at this instant start after it anyway.
    const auto links = links_;
    for (const auto& w : links) {
        if (!process_.alive()) return;
        auto core = w.lock();
        if (!core || core->threaded) continue;
        std::function<void()> cb;
        {
            std::lock_guard lock(core->mutex);
            if (!core->running || frameTime(core->nextFrameIndex, core->rate) > now) continue;
            ++core->nextFrameIndex;
            cb = core->callback;
        }
        if (cb) runLoop_.runWork(cb);
    }
}

std::uint64_t SimDisplayLinks::threadedFrames() const {
    std::lock_guard lock(frames_->mutex);
    return frames_->frames;
}

bool SimDisplayLinks::waitForThreadedFrames(std::uint64_t count, double limitSeconds) {
    std::unique_lock lock(frames_->mutex);
    const std::uint64_t until = frames_->frames + count;
    return frames_->called.wait_for(lock, std::chrono::duration<double>(limitSeconds),
                                    [&] { return frames_->frames >= until; });
}

std::size_t SimDisplayLinks::runningCount() const {
    std::size_t n = 0;
    for (const auto& w : links_)
        if (auto core = w.lock(); core && core->isRunning()) ++n;
    return n;
}

void SimDisplayLinks::shutDown() {
    for (const auto& w : links_)
        if (auto core = w.lock()) core->shutDown();
}

}  // namespace wexo::platform::sim
