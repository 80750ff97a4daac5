#pragma once

#include <string_view>
#include <variant>

#include "wexo-sim/JsonPath.h"
#include "wexo-sim/JsonRead.h"
#include "wexo-sim/Scenario.h"

namespace wexo::simrunner {

// Reads a scenario document:
//   {"defaults": {...}, "desktop": {...}, "steps": [{"at": s, <kind>: ...}],
//    "until": s}
// Every member is optional. A step has "at" (seconds, default 0) and exactly
// one member naming its kind. Steps play in the order of their times, steps
// at the same time in the order written. "until" defaults to one second
// after the last step (one second when there is none) and may not come
// before a step.
std::variant<Scenario, ScenarioError> parseScenario(std::string_view text);
// The same for a document already read; throws ScenarioException.
Scenario scenarioFromJson(const Json& j);

}  // namespace wexo::simrunner
