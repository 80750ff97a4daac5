#include "wexo-sim/StepKinds.h"

#include "wexo-sim/DesktopJson.h"
#include "wexo-sim/EventJson.h"
#include "wexo-sim/UiSteps.h"

namespace wexo::simrunner {

namespace {
std::map<std::string, StepParser, std::less<>> makeStepKinds() {
    std::map<std::string, StepParser, std::less<>> kinds;
    // Input from a device.
    kinds["event"] = [](const Json& v, const JsonPath& p) {
        EventInput in = eventFromJson(v, p);
        return [in](RunContext& c) {
            c.desktop.inject(in.complete(c.desktop.eventStream().pointerLocation()));
        };
    };
    // The pointer moves without an event (a warp).
    kinds["pointer"] = [](const Json& v, const JsonPath& p) {
        const platform::Point to = readPoint(v, p);
        return [to](RunContext& c) { c.desktop.simEventStream().setPointer(to); };
    };
    kinds["frontmost"] = [](const Json& v, const JsonPath& p) {
        const pid_t pid = pidFromJson(v, p);
        return [pid](RunContext& c) { c.desktop.simWorkspace().setFrontmost(pid); };
    };
    kinds["trusted"] = [](const Json& v, const JsonPath& p) {
        const bool on = readBool(v, p);
        return [on](RunContext& c) { c.desktop.simAccessibility().setTrusted(on); };
    };
    kinds["screens"] = [](const Json& v, const JsonPath& p) {
        auto screens = screensFromJson(v, p);
        return [screens](RunContext& c) { c.desktop.simScreens().setScreens(screens); };
    };
    kinds["windows"] = [](const Json& v, const JsonPath& p) {
        auto windows = windowsFromJson(v, p);
        return [windows](RunContext& c) { c.desktop.simWindowList().setWindows(windows); };
    };
    // The cursor the system shows (chosen by the application under the
    // pointer, such as the pointing hand over a link).
    kinds["cursor"] = [](const Json& v, const JsonPath& p) {
        const platform::CursorShape shape = cursorFromJson(v, p);
        return [shape](RunContext& c) { c.desktop.simCursor().setSystemCursor(shape); };
    };
    // A person using the program's user interface.
    kinds["menu"] = menuStep();
    kinds["reopen"] = reopenStep();
    kinds["ui"] = uiStep();
    kinds["draw"] = drawStep();
    kinds["alert"] = alertStep();
    kinds["openPanel"] = openPanelStep();
    kinds["closeWindow"] = closeWindowStep();
    return kinds;
}
}  // namespace

const std::map<std::string, StepParser, std::less<>>& stepKinds() {
    static const auto kinds = makeStepKinds();
    return kinds;
}

}  // namespace wexo::simrunner
