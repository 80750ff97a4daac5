#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/Event.h"

namespace wexo::simrunner {

// One verdict of a tap as a record: {"t": seconds, "kind": "decision",
// "tap", "stage", "verdict": "pass"/"swallow", "event"}. The scenario
// runner and `wexo --trace` write the same lines.
nlohmann::ordered_json decisionRecord(double seconds, std::string_view tap, std::string_view stage,
                                      bool swallowed, const platform::Event& event);

}  // namespace wexo::simrunner
