#include "platform/linux/LinuxDisplayLinks.h"

#include <cmath>

namespace wexo::platform::lnx {

// A link is its thread.
struct LinuxDisplayLinks::Core : LinkThread {
    using LinkThread::LinkThread;
};

class LinuxDisplayLinks::Link : public DisplayLink {
  public:
    explicit Link(std::shared_ptr<Core> core) : core_(std::move(core)) {}
    ~Link() override { core_->shutDown(); }
    void setOutputCallback(std::function<void()> callback) override {
        core_->setCallback(std::move(callback));
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
