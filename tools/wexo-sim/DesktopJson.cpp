#include "wexo-sim/DesktopJson.h"

#include <set>

#include "platform/sim/SimCursor.h"
#include "platform/sim/SimProcess.h"

namespace wexo::simrunner {

using platform::sim::SimProcess;

pid_t pidFromJson(const Json& j, const JsonPath& path) {
    return static_cast<pid_t>(readInteger(j, path, 0, INT32_MAX));
}

std::vector<platform::ScreenInfo> screensFromJson(const Json& j, const JsonPath& path) {
    expectArray(j, path);
    std::vector<platform::ScreenInfo> screens;
    std::set<platform::DisplayId> numbers;
    for (std::size_t i = 0; i < j.size(); ++i) {
        const JsonPath at = path[i];
        const Json& s = expectObject(j[i], at);
        checkMembers(s, at,
                     {"number", "frame", "visibleFrame", "vendor", "model", "serial", "name"});
        platform::ScreenInfo info;
        info.screenNumber = static_cast<platform::DisplayId>(
            s.contains("number") ? readInteger(s["number"], at / "number", 1, UINT32_MAX) : i + 1);
        if (!numbers.insert(info.screenNumber).second)
            throw ScenarioException(
                at / "number", "two screens have the number " + std::to_string(info.screenNumber));
        if (!s.contains("frame")) throw ScenarioException(at / "frame", "a screen needs a frame");
        info.frame = readRect(s["frame"], at / "frame");
        info.visibleFrame = s.contains("visibleFrame")
                                ? readRect(s["visibleFrame"], at / "visibleFrame")
                                : info.frame;
        auto identity = [&](const char* key) -> std::uint32_t {
            return s.contains(key)
                       ? static_cast<std::uint32_t>(readInteger(s[key], at / key, 0, UINT32_MAX))
                       : 0;
        };
        info.vendorNumber = identity("vendor");
        info.modelNumber = identity("model");
        info.serialNumber = identity("serial");
        if (s.contains("name")) info.productNames = {{"en_US", readString(s["name"], at / "name")}};
        screens.push_back(std::move(info));
    }
    return screens;
}

std::vector<platform::RunningApplication> appsFromJson(const Json& j, const JsonPath& path) {
    expectArray(j, path);
    std::vector<platform::RunningApplication> apps;
    std::set<pid_t> pids;
    for (std::size_t i = 0; i < j.size(); ++i) {
        const JsonPath at = path[i];
        const Json& a = expectObject(j[i], at);
        checkMembers(a, at, {"pid", "bundleId", "name", "path", "presentationOptions"});
        platform::RunningApplication app;
        if (!a.contains("pid")) throw ScenarioException(at / "pid", "an application needs a pid");
        app.pid = static_cast<pid_t>(readInteger(a["pid"], at / "pid", 1, INT32_MAX));
        if (app.pid == SimProcess::kPid)
            throw ScenarioException(
                at / "pid", "pid " + std::to_string(SimProcess::kPid) + " is the program's own");
        if (!pids.insert(app.pid).second)
            throw ScenarioException(at / "pid",
                                    "two applications have the pid " + std::to_string(app.pid));
        if (a.contains("bundleId"))
            app.bundleIdentifier = readString(a["bundleId"], at / "bundleId");
        if (a.contains("name")) app.localizedName = readString(a["name"], at / "name");
        if (a.contains("path")) app.bundlePath = readString(a["path"], at / "path");
        if (a.contains("presentationOptions"))
            app.presentationOptions =
                readUnsigned(a["presentationOptions"], at / "presentationOptions");
        apps.push_back(std::move(app));
    }
    return apps;
}

std::vector<platform::sim::SimWindow> windowsFromJson(const Json& j, const JsonPath& path) {
    expectArray(j, path);
    std::vector<platform::sim::SimWindow> windows;
    for (std::size_t i = 0; i < j.size(); ++i) {
        const JsonPath at = path[i];
        const Json& w = expectObject(j[i], at);
        checkMembers(w, at, {"pid", "layer", "bounds", "ownerName"});
        platform::sim::SimWindow win;
        if (!w.contains("pid")) throw ScenarioException(at / "pid", "a window needs an owner pid");
        win.ownerPid = pidFromJson(w["pid"], at / "pid");
        if (w.contains("layer"))
            win.layer =
                static_cast<int>(readInteger(w["layer"], at / "layer", INT32_MIN, INT32_MAX));
        if (!w.contains("bounds")) throw ScenarioException(at / "bounds", "a window needs bounds");
        win.bounds = readRect(w["bounds"], at / "bounds");
        if (w.contains("ownerName")) win.ownerName = readString(w["ownerName"], at / "ownerName");
        windows.push_back(std::move(win));
    }
    return windows;
}

std::vector<platform::sim::SimElement> elementsFromJson(const Json& j, const JsonPath& path) {
    expectArray(j, path);
    std::vector<platform::sim::SimElement> elements;
    for (std::size_t i = 0; i < j.size(); ++i) {
        const JsonPath at = path[i];
        const Json& e = expectObject(j[i], at);
        checkMembers(e, at, {"bounds", "role", "parent"});
        platform::sim::SimElement el;
        if (!e.contains("bounds"))
            throw ScenarioException(at / "bounds", "an element needs bounds");
        el.bounds = readRect(e["bounds"], at / "bounds");
        if (e.contains("role") && !e["role"].is_null())
            el.role = readString(e["role"], at / "role");
        if (e.contains("parent") && !e["parent"].is_null()) {
            const auto parent = static_cast<std::size_t>(readInteger(
                e["parent"], at / "parent", 0, static_cast<std::int64_t>(j.size()) - 1));
            if (parent == i)
                throw ScenarioException(at / "parent", "an element is not its own parent");
            el.parent = parent;
        }
        elements.push_back(std::move(el));
    }
    // A chain of parents must end.
    for (std::size_t i = 0; i < elements.size(); ++i) {
        std::size_t steps = 0;
        for (auto p = elements[i].parent; p; p = elements[*p].parent) {
            if (++steps > elements.size())
                throw ScenarioException(path[i] / "parent", "the parents form a cycle");
        }
    }
    return elements;
}

platform::CursorShape cursorFromJson(const Json& j, const JsonPath& path) {
    const std::string name = readString(j, path);
    if (auto shape = platform::sim::SimCursor::shapeNamed(name)) return *shape;
    throw ScenarioException(path, "unknown cursor \"" + name +
                                      "\" (arrow, openHand, closedHand, crosshair, "
                                      "pointingHand, iBeam)");
}

DesktopSetup desktopFromJson(const Json& j, const JsonPath& path) {
    expectObject(j, path);
    checkMembers(j, path,
                 {"trusted", "refreshRate", "pointer", "frontmost", "menuBarAutoHidden", "screens",
                  "apps", "windows", "elements", "dock", "cursor", "loginItems", "acceleration",
                  "applicationSupport"});
    DesktopSetup d;
    if (j.contains("trusted")) d.trusted = readBool(j["trusted"], path / "trusted");
    if (j.contains("refreshRate")) {
        d.refreshRate = readNumber(j["refreshRate"], path / "refreshRate");
        if (*d.refreshRate <= 0 || *d.refreshRate > 1000)
            throw ScenarioException(path / "refreshRate", "expected a rate above 0, up to 1000");
    }
    if (j.contains("pointer")) d.pointer = readPoint(j["pointer"], path / "pointer");
    if (j.contains("frontmost")) d.frontmost = pidFromJson(j["frontmost"], path / "frontmost");
    if (j.contains("menuBarAutoHidden"))
        d.menuBarAutoHidden = readBool(j["menuBarAutoHidden"], path / "menuBarAutoHidden");
    if (j.contains("screens")) d.screens = screensFromJson(j["screens"], path / "screens");
    if (j.contains("apps")) d.apps = appsFromJson(j["apps"], path / "apps");
    if (j.contains("windows")) d.windows = windowsFromJson(j["windows"], path / "windows");
    if (j.contains("elements")) d.elements = elementsFromJson(j["elements"], path / "elements");
    if (j.contains("dock")) {
        const JsonPath at = path / "dock";
        const Json& dock = expectObject(j["dock"], at);
        checkMembers(dock, at, {"autoHide", "orientation", "magnification"});
        if (dock.contains("autoHide")) d.dockAutoHide = readBool(dock["autoHide"], at / "autoHide");
        if (dock.contains("orientation"))
            d.dockOrientation =
                static_cast<int>(readInteger(dock["orientation"], at / "orientation", 0, 255));
        if (dock.contains("magnification"))
            d.dockMagnification = readNumber(dock["magnification"], at / "magnification");
    }
    if (j.contains("cursor")) d.cursor = cursorFromJson(j["cursor"], path / "cursor");
    if (j.contains("loginItems")) {
        const JsonPath at = path / "loginItems";
        const Json& items = expectArray(j["loginItems"], at);
        for (std::size_t i = 0; i < items.size(); ++i)
            d.loginItems.push_back(readString(items[i], at[i]));
    }
    if (j.contains("acceleration"))
        d.acceleration = readNumber(j["acceleration"], path / "acceleration");
    if (j.contains("applicationSupport")) {
        d.applicationSupport = readString(j["applicationSupport"], path / "applicationSupport");
        if (d.applicationSupport->empty() || d.applicationSupport->front() != '/')
            throw ScenarioException(path / "applicationSupport", "expected an absolute path");
    }
    return d;
}

}  // namespace wexo::simrunner
