#include "wexo-sim/ScenarioRunner.h"

#include <optional>
#include <ostream>

#include "app/CompositionRoot.h"
#include "platform/MemoryPreferenceStore.h"
#include "wexo-sim/DecisionRecorder.h"
#include "wexo-sim/RecordJson.h"
#include "wexo-sim/RunContext.h"
#include "wexo-sim/ScenarioParser.h"

namespace wexo::simrunner {

using platform::sim::SimDesktop;

std::unique_ptr<SimDesktop> buildDesktop(const Scenario& scenario) {
    const DesktopSetup& d = scenario.desktop;
    auto store = std::make_unique<platform::MemoryPreferenceStore>(
        platform::sim::SimProcess::builtBundleIdentifier(), scenario.defaults,
        plist::Dictionary{{"_HIHideMenuBar", plist::Value(d.menuBarAutoHidden)}});
    auto desktop = std::make_unique<SimDesktop>(std::move(store));

    if (d.trusted) desktop->simAccessibility().setTrusted(*d.trusted);
    if (d.refreshRate) desktop->simScreens().setRefreshRate(*d.refreshRate);
    if (d.screens) desktop->simScreens().setScreens(*d.screens);
    auto& screens = desktop->simScreens();
    const platform::Rect main = screens.displayBounds(screens.mainDisplayId());
    desktop->simEventStream().setPointer(d.pointer.value_or(platform::Point{
        main.origin.x + main.size.width / 2, main.origin.y + main.size.height / 2}));
    desktop->simWorkspace().setApplications(d.apps);
    desktop->simWorkspace().setFrontmost(
        d.frontmost.value_or(d.apps.empty() ? 0 : d.apps.front().pid));
    desktop->simWindowList().setWindows(d.windows);
    desktop->simAccessibility().setElements(d.elements);
    if (d.dockAutoHide) desktop->simDock().setAutoHide(*d.dockAutoHide);
    if (d.dockOrientation) desktop->simDock().setOrientation(*d.dockOrientation);
    if (d.dockMagnification)
        desktop->simDock().setMagnificationSize(static_cast<float>(*d.dockMagnification));
    if (d.cursor) desktop->simCursor().setSystemCursor(*d.cursor);
    desktop->simLoginItems().setItems(d.loginItems);
    if (d.acceleration)
        desktop->simHidSystem().setParameter("HIDMouseAcceleration", *d.acceleration);
    desktop->simProcess().setApplicationSupportDirectory(d.applicationSupport);
    return desktop;
}

std::vector<nlohmann::ordered_json> playScenario(const Scenario& scenario,
                                                 const RunOptions& options) {
    auto desktop = buildDesktop(scenario);
    std::vector<nlohmann::ordered_json> out;
    {
        // Listening from before the program starts, so that no verdict is missed.
        DecisionRecorder decisions(desktop->recorder());
        std::optional<SharedInstallation<DecisionTracer>> tracing;
        if (options.trace) tracing.emplace(&decisions);
        ui::sim::SimUserInterface userInterface(*desktop);
        CompositionRoot program(*desktop, userInterface);
        RunContext context{*desktop, program, userInterface};
        // The program starts with the run, before the first step.
        desktop->simRunLoop().runWork([&] { program.launch(); });
        for (const Step& step : scenario.steps) {
            desktop->advanceToInstant(step.at);
            step.play(context);
        }
        desktop->advanceTo(scenario.until);
        for (const auto& record : desktop->takeRecords()) out.push_back(recordToJson(record));
        out.push_back(defaultsRecord(scenario.until, desktop->preferences().persistentDomain()));
    }
    return out;
}

int runScenarioText(std::string_view text, std::ostream& out, std::ostream& err,
                    const RunOptions& options) {
    auto parsed = parseScenario(text);
    if (auto* error = std::get_if<ScenarioError>(&parsed)) {
        err << "wexo-sim: " << error->text() << "\n";
        return 2;
    }
    for (const auto& record : playScenario(std::get<Scenario>(parsed), options))
        out << recordLine(record) << "\n";
    out.flush();
    return 0;
}

}  // namespace wexo::simrunner
