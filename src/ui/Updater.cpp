#include "ui/Updater.h"

#include "platform/ObjcFormat.h"
#include "platform/Platform.h"
#include "ui/Alert.h"

namespace wexo::ui {

std::string Updater::versionMessage() {
    return objcFormat("You are running Wexo %@.", installedPlatform().process().version());
}

void Updater::checkForUpdates() {
    Alert(versionMessage()).runModalLater();
}

bool Updater::automaticallyChecksForUpdates() {
    auto value = installedPlatform().preferences().objectForKey(kAutomaticChecksKey);
    return value && value->asBool().value_or(false);
}

void Updater::setAutomaticallyChecksForUpdates(bool on) {
    auto& store = installedPlatform().preferences();
    store.setObjectForKey(kAutomaticChecksKey, plist::Value(on));
    store.synchronize();
}

}  // namespace wexo::ui
