// A whole preference domain from a fuzzed property list: the program
// launches on it (its screens read settings, assignments and gestures back
// from their stored forms) and then meets a few events that reach every
// stage of the mouse tap and the wheel tap.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "platform/Log.h"
#include "plist/PropertyList.h"
#include "wexo-sim/ScenarioParser.h"
#include "wexo-sim/ScenarioRunner.h"

namespace {

// Every button from 1 to 5 pressed, dragged and released, wheel notches
// under the modifier keys, over two applications' windows.
constexpr std::string_view kInput = R"({
  "desktop": {"pointer": [400, 300],
              "apps": [{"pid": 501, "bundleId": "com.apple.Safari", "name": "Safari"},
                       {"pid": 502, "bundleId": "com.apple.mail", "name": "Mail"}],
              "windows": [{"pid": 501, "bounds": [0, 0, 960, 1080]},
                          {"pid": 502, "bounds": [960, 0, 960, 1080]}]},
  "steps": [
    {"at": 0.10, "event": {"type": "rightMouseDown", "button": 1}},
    {"at": 0.11, "event": {"type": "rightMouseUp", "button": 1}},
    {"at": 0.20, "event": {"type": "otherMouseDown", "button": 2}},
    {"at": 0.21, "event": {"type": "otherMouseDragged", "button": 2, "location": [400, 380]}},
    {"at": 0.30, "event": {"type": "otherMouseUp", "button": 2}},
    {"at": 0.40, "event": {"type": "otherMouseDown", "button": 3}},
    {"at": 0.41, "event": {"type": "otherMouseDragged", "button": 3, "location": [450, 300]}},
    {"at": 0.42, "event": {"type": "otherMouseDragged", "button": 3, "location": [450, 200]}},
    {"at": 0.50, "event": {"type": "otherMouseUp", "button": 3}},
    {"at": 0.60, "event": {"type": "otherMouseDown", "button": 4}},
    {"at": 0.61, "event": {"type": "leftMouseDown"}},
    {"at": 0.62, "event": {"type": "otherMouseDragged", "button": 4, "location": [400, 100]}},
    {"at": 0.70, "event": {"type": "otherMouseUp", "button": 4}},
    {"at": 0.80, "event": {"type": "otherMouseDown", "button": 5}},
    {"at": 0.81, "event": {"type": "otherMouseUp", "button": 5}},
    {"at": 0.90, "event": {"type": "scrollWheel", "lineDelta": [-1, 0]}},
    {"at": 0.91, "event": {"type": "scrollWheel", "lineDelta": [1, 0], "flags": 1048576}},
    {"at": 0.92, "event": {"type": "scrollWheel", "lineDelta": [0, 1], "flags": 524288}},
    {"at": 1.00, "event": {"type": "mouseMoved", "location": [1400, 500]}},
    {"at": 1.01, "event": {"type": "scrollWheel", "lineDelta": [-3, 0], "flags": 131072}}],
  "until": 1.5})";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    wexo::platform::Log::setStandardErrorEnabled(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto value = wexo::plist::PropertyList::read({reinterpret_cast<const char*>(data), size});
    const auto* domain = value ? value->asDictionary() : nullptr;
    if (!domain) return 0;
    auto parsed = wexo::simrunner::parseScenario(kInput);
    auto& scenario = std::get<wexo::simrunner::Scenario>(parsed);
    scenario.defaults = *domain;
    (void)wexo::simrunner::playScenario(scenario);
    return 0;
}
