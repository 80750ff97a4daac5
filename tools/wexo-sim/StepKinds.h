#pragma once

#include <functional>
#include <map>
#include <string>

#include "wexo-sim/JsonRead.h"
#include "wexo-sim/RunContext.h"

namespace wexo::simrunner {

// Reads the value of one kind of step and answers what the step does when
// it plays. Throws ScenarioException for a malformed value.
using StepParser =
    std::function<std::function<void(RunContext&)>(const Json& value, const JsonPath& path)>;

// The kinds of step a scenario may use, by the member that names them
// ("event", "pointer", "frontmost", "trusted", "screens", "windows",
// "cursor", and the user-interface steps "menu", "reopen", "ui", "alert",
// "openPanel", "closeWindow"). A new kind of step is one more entry in this
// table.
const std::map<std::string, StepParser, std::less<>>& stepKinds();

}  // namespace wexo::simrunner
