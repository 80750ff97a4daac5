#include "platform/sim/SimProcess.h"

#include <cmath>

namespace wexo::platform::sim {

std::string SimProcess::builtBundleIdentifier() {
    return WEXO_BUNDLE_ID;
}
std::string SimProcess::builtVersion() {
    return WEXO_VERSION;
}

void SimProcess::launchNewInstance(double delaySeconds) {
    if (!alive()) return;
    recorder_.record(records::Relaunch{std::isfinite(delaySeconds) ? delaySeconds : 0.0});
}

void SimProcess::terminate() {
    // Only a running program can ask; the first end is the one recorded.
    if (!alive_.exchange(false)) return;
    recorder_.record(records::Terminate{});
}

void SimProcess::exit(int status) {
    if (!alive_.exchange(false)) return;
    recorder_.record(records::Exit{status});
}

}  // namespace wexo::platform::sim
