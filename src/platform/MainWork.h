#pragma once

#include "platform/FunctionRef.h"

namespace wexo::platform {

// How a desktop runs the program's callbacks on its main thread: the shared
// pieces of the port (the tap chain, the local key monitors) call the
// program only through this, so the simulated desktop can count its units of
// work and a real one can let posted events in when each unit ends.
class MainWork {
  public:
    virtual ~MainWork() = default;
    // False once the program has ended: its callbacks are called no more.
    virtual bool programAlive() const = 0;
    // Runs `work` as one unit of main-thread work.
    virtual void runWork(FunctionRef<void()> work) = 0;
    // True while a unit of work is running.
    virtual bool busy() const = 0;
};

}  // namespace wexo::platform
