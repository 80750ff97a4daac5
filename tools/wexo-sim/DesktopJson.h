#pragma once

#include <vector>

#include "wexo-sim/JsonRead.h"
#include "wexo-sim/Scenario.h"

namespace wexo::simrunner {

// The "desktop" member of a scenario and the parts of it that steps reuse.
DesktopSetup desktopFromJson(const Json& j, const JsonPath& path);
std::vector<platform::ScreenInfo> screensFromJson(const Json& j, const JsonPath& path);
std::vector<platform::RunningApplication> appsFromJson(const Json& j, const JsonPath& path);
std::vector<platform::sim::SimWindow> windowsFromJson(const Json& j, const JsonPath& path);
std::vector<platform::sim::SimElement> elementsFromJson(const Json& j, const JsonPath& path);
platform::CursorShape cursorFromJson(const Json& j, const JsonPath& path);
pid_t pidFromJson(const Json& j, const JsonPath& path);

}  // namespace wexo::simrunner
