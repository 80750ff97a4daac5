#include "settings/SingleDisplay.h"

#include "platform/ObjcFormat.h"
#include "platform/Platform.h"
#include "settings/DictConvertor.h"
#include "settings/KxDefaults.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

namespace {
DisplaysDict storedRegistry() {
    auto dict = KxDefaults::getAllDisplaysScrollSettings();
    return dict ? DictConvertor::createDictOfObjectsFromDict(*dict) : DisplaysDict();
}
}  // namespace

SingleDisplay::SingleDisplay(std::optional<platform::DisplayId> displayId,
                             std::optional<std::string> location)
    : SingleDisplay(displayId, std::move(location), storedRegistry()) {}

SingleDisplay::SingleDisplay(std::optional<platform::DisplayId> displayId,
                             std::optional<std::string> location, const DisplaysDict& stored) {
    if (displayId) {
        listLocation = location.value_or("");
        screenID = *displayId;
        displayName = objcFormat("%@. %@", listLocation, screenNameForDisplay(*displayId));
        serial = serialNumberStringForDisplay(*displayId);
    } else {
        // Built as strings first: GCC 12 at -O3 misreads assignments from
        // literals here as overlapping copies.
        listLocation = std::string("0");
        screenID = 0;
        displayName = std::string(kAllScreensName);
        serial = std::string(kAllScreensSerial);
    }

    if (auto it = stored.find(serial); it != stored.end()) {
        // Copied, so that two displays built from one reading share nothing.
        for (const auto& [bundleId, app] : it->second->apps) apps[bundleId] = app->copy();
    } else if (displayId) {
        const auto& registry = SettingsKeeper::shared().getAllCurrentDisplays();
        if (auto all = registry.find(kAllScreensSerial); all != registry.end()) {
            for (const auto& [bundleId, app] : all->second->apps) apps[bundleId] = app->copy();
        }
    }
    // The wheel falls back to the Global entry; a table read from a file that
    // lost it gets a fresh one rather than no settings at all.
    if (!apps.count(AppWithScrollSettings::kGlobalBundleId))
        apps[AppWithScrollSettings::kGlobalBundleId] = AppWithScrollSettings::makeGlobal();
}

std::string SingleDisplay::serialNumberStringForDisplay(platform::DisplayId displayId) {
    const auto& screens = installedPlatform().screens();
    return objcFormat("%u-%u-%u", screens.displayVendorNumber(displayId),
                      screens.displayModelNumber(displayId),
                      screens.displaySerialNumber(displayId));
}

std::uint32_t SingleDisplay::IOServicePortFromCGDisplayID(platform::DisplayId displayId) {
    const auto& screens = installedPlatform().screens();
    auto services = screens.displayServices();
    if (!services) return 0;
    const std::uint32_t vendor = screens.displayVendorNumber(displayId);
    const std::uint32_t model = screens.displayModelNumber(displayId);
    const std::uint32_t serialNumber = screens.displaySerialNumber(displayId);
    for (const auto& service : *services) {
        if (!service.vendorId || !service.productId) continue;
        if (*service.vendorId == vendor && *service.productId == model &&
            service.serialNumber.value_or(0) == serialNumber)
            return service.service;
    }
    return 0;
}

std::string SingleDisplay::screenNameForDisplay(platform::DisplayId displayId) {
    const std::uint32_t port = IOServicePortFromCGDisplayID(displayId);
    if (port == 0) return "unknown";
    auto services = installedPlatform().screens().displayServices();
    if (!services) return "unknown";
    for (const auto& service : *services) {
        if (service.service != port) continue;
        if (!service.productNames) return "unknown";
        auto name = service.productNames->find("en_US");
        return name == service.productNames->end() ? "unknown" : name->second;
    }
    return "unknown";
}

}  // namespace wexo
