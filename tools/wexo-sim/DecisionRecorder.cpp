#include "wexo-sim/DecisionRecorder.h"

#include <string>

namespace wexo::simrunner {

void DecisionRecorder::decision(std::string_view tap, std::string_view stage,
                                platform::Verdict verdict, const platform::Event& event) {
    recorder_.record(platform::sim::records::Decision{std::string(tap), std::string(stage),
                                                      verdict.swallows(), event});
}

void DecisionRecorder::transition(std::string_view tap, std::string_view name,
                                  std::string_view from, std::string_view to) {
    recorder_.record(platform::sim::records::Transition{std::string(tap), std::string(name),
                                                        std::string(from), std::string(to)});
}

}  // namespace wexo::simrunner
