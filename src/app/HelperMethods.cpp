#include "app/HelperMethods.h"

#include "platform/Log.h"
#include "platform/Platform.h"

namespace wexo {

bool HelperMethods::isMojaveOrBigger() {
    return installedPlatform().process().isMojaveOrBigger();
}

bool HelperMethods::isAppBundleIdRunning(std::string_view bundleId) {
    for (const auto& app : installedPlatform().workspace().runningApplications())
        if (app.bundleIdentifier == bundleId) return true;
    return false;
}

void HelperMethods::restartApp() {
    auto& process = installedPlatform().process();
    WEXO_LOG_ERROR("run command: %@", objcFormat("open -n %@", process.bundlePath()));
    process.launchNewInstance(0);
    process.exit(0);
}

std::int64_t HelperMethods::findOriginalDelta(std::int64_t deltaX, std::int64_t deltaY) {
    if (deltaY > 0) return 500;
    if (deltaY < 0) return 501;
    return deltaX > 0 ? 502 : 503;
}

}  // namespace wexo
