#include "wexo-sim/DecisionRecorder.h"

#include <string>

namespace wexo::simrunner {

void DecisionRecorder::decision(std::string_view tap, std::string_view stage,
                                platform::Verdict verdict, const platform::Event& event) {
    recorder_.record(platform::sim::records::Decision{std::string(tap), std::string(stage),
                                                      verdict.swallows(), event});
}

}  // namespace wexo::simrunner
