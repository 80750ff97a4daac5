#include "app/ApplicationRelaunch.h"

#include "platform/ObjcFormat.h"
#include "platform/Platform.h"

namespace wexo {

std::string ApplicationRelaunch::relaunchCommand(float delaySeconds) {
    return objcFormat("sleep %f; open \"%@\"", static_cast<double>(delaySeconds),
                      installedPlatform().process().bundlePath());
}

void ApplicationRelaunch::relaunchAfterDelay(float delaySeconds) {
    auto& process = installedPlatform().process();
    process.launchNewInstance(static_cast<double>(delaySeconds));
    process.terminate();
}

}  // namespace wexo
