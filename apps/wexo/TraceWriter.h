#pragma once

#include <cstdio>
#include <mutex>

#include "events/DecisionTracer.h"
#include "platform/RunLoop.h"

namespace wexo::app {

// `--trace`: every verdict of the program's taps as one JSON line on
// standard error, in the scenario runner's "decision" form, timed in
// seconds from the start of the run.
class TraceWriter : public DecisionTracer {
  public:
    TraceWriter(const platform::RunLoop& loop, std::FILE* out)
        : loop_(loop), out_(out), start_(loop.now()) {}
    void decision(std::string_view tap, std::string_view stage, platform::Verdict verdict,
                  const platform::Event& event) override;

  private:
    const platform::RunLoop& loop_;
    std::FILE* out_;
    double start_;
    std::mutex mutex_;
};

}  // namespace wexo::app
