#include "platform/sim/SimScreens.h"

#include <cmath>

namespace wexo::platform::sim {

SimScreens::SimScreens() : screens_{defaultScreen()} {}

ScreenInfo SimScreens::defaultScreen() {
    ScreenInfo s;
    s.screenNumber = 1;
    s.frame = Rect(0, 0, 1920, 1080);
    s.visibleFrame = s.frame;
    s.vendorNumber = 1;
    s.modelNumber = 2;
    s.serialNumber = 3;
    s.productNames = {{"en_US", "Display"}};
    return s;
}

void SimScreens::setScreens(std::vector<ScreenInfo> screens) {
    screens_ = std::move(screens);
    changeObservers_.forEach([](const auto& changed) {
        changed();
        return false;
    });
}

void SimScreens::setRefreshRate(double perSecond) {
    if (std::isfinite(perSecond) && perSecond > 0) refreshRate_ = perSecond;
}

const ScreenInfo* SimScreens::find(DisplayId id) const {
    for (const auto& s : screens_)
        if (s.screenNumber == id) return &s;
    return nullptr;
}

DisplayId SimScreens::mainDisplayId() const {
    return screens_.empty() ? 0 : screens_.front().screenNumber;
}

Rect SimScreens::displayBounds(DisplayId id) const {
    const ScreenInfo* s = find(id);
    if (!s || screens_.empty()) return Rect();
    // Flip about the main display's top edge: the screen list has y going
    // up from the main display's bottom, Quartz has y going down from its top.
    const Rect& main = screens_.front().frame;
    const double mainTop = main.origin.y + main.size.height;
    return Rect(s->frame.origin.x, mainTop - (s->frame.origin.y + s->frame.size.height),
                s->frame.size.width, s->frame.size.height);
}

std::optional<std::vector<DisplayId>> SimScreens::displaysWithPoint(Point p,
                                                                    std::size_t maxDisplays) const {
    if (displayQueriesFail_) return std::nullopt;
    std::vector<DisplayId> found;
    for (const auto& s : screens_) {
        if (found.size() >= maxDisplays) break;
        if (displayBounds(s.screenNumber).contains(p)) found.push_back(s.screenNumber);
    }
    return found;
}

std::uint32_t SimScreens::displayVendorNumber(DisplayId id) const {
    const ScreenInfo* s = find(id);
    return s ? s->vendorNumber : 0;
}

std::uint32_t SimScreens::displayModelNumber(DisplayId id) const {
    const ScreenInfo* s = find(id);
    return s ? s->modelNumber : 0;
}

std::uint32_t SimScreens::displaySerialNumber(DisplayId id) const {
    const ScreenInfo* s = find(id);
    return s ? s->serialNumber : 0;
}

std::optional<std::vector<DisplayService>> SimScreens::displayServices() const {
    if (displayServicesFail_) return std::nullopt;
    std::vector<DisplayService> services;
    std::uint32_t handle = 0x1000;
    for (const auto& s : screens_) {
        DisplayService d;
        d.service = ++handle;
        d.vendorId = s.vendorNumber;
        d.productId = s.modelNumber;
        d.serialNumber = s.serialNumber;
        if (!s.productNames.empty()) d.productNames = s.productNames;
        services.push_back(std::move(d));
    }
    return services;
}

}  // namespace wexo::platform::sim
