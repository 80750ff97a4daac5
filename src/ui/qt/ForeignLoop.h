#pragma once

namespace wexo::ui::qt {

// A run loop of the program's own that shares the main thread with Qt's
// (on Linux, the platform's epoll loop with the taps and timers): all Qt
// needs of it is a descriptor that is readable whenever the loop has work,
// and a way to run what is ready without waiting.
class ForeignLoop {
  public:
    virtual ~ForeignLoop() = default;
    // Readable while the loop has work ready; the loop keeps it open.
    virtual int pollDescriptor() const = 0;
    // Runs the work that is ready, without blocking.
    virtual void dispatchPending() = 0;
};

}  // namespace wexo::ui::qt
