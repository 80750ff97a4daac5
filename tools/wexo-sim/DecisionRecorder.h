#pragma once

#include <string_view>

#include "events/DecisionTracer.h"
#include "platform/sim/SimRecorder.h"

namespace wexo::simrunner {

// Writes every verdict of the program's taps into the desktop's record, as
// "decision" records in the same timeline as what the program did. Installed
// only for a traced run.
class DecisionRecorder : public DecisionTracer {
  public:
    explicit DecisionRecorder(platform::sim::SimRecorder& recorder) : recorder_(recorder) {}

    void decision(std::string_view tap, std::string_view stage, platform::Verdict verdict,
                  const platform::Event& event) override;
    void transition(std::string_view tap, std::string_view name, std::string_view from,
                    std::string_view to) override;

  private:
    platform::sim::SimRecorder& recorder_;
};

}  // namespace wexo::simrunner
