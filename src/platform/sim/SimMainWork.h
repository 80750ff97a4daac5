#pragma once

#include "platform/MainWork.h"
#include "platform/sim/SimProcess.h"
#include "platform/sim/SimRunLoop.h"

namespace wexo::platform::sim {

// The simulated main thread as the shared pieces of the port see it: units
// of work counted by the run loop, and the program alive until it ends.
class SimMainWork : public MainWork {
  public:
    SimMainWork(SimRunLoop& runLoop, const SimProcess& process)
        : runLoop_(runLoop), process_(process) {}
    bool programAlive() const override { return process_.alive(); }
    void runWork(FunctionRef<void()> work) override { runLoop_.runWork(work); }
    bool busy() const override { return runLoop_.busy(); }

  private:
    SimRunLoop& runLoop_;
    const SimProcess& process_;
};

}  // namespace wexo::platform::sim
