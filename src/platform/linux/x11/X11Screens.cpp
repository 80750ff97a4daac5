#include "platform/linux/x11/X11Screens.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

#include "platform/Log.h"
#include "platform/linux/x11/Edid.h"

namespace wexo::platform::x11 {

namespace {

constexpr double kFallbackRefresh = 60;

std::optional<std::vector<std::uint8_t>> outputEdid(X11Connection& c, RROutput output) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    int status = BadImplementation;
    c.trapErrors(
        [&] {
            status = XRRGetOutputProperty(c.display(), output, c.atoms().edid, 0, 256, False, False,
                                          AnyPropertyType, &type, &format, &count, &after, &data);
        },
        /*withReplies=*/true);
    std::optional<std::vector<std::uint8_t>> bytes;
    if (status == Success && data && format == 8) bytes.emplace(data, data + count);
    if (data) XFree(data);
    return bytes;
}

Rect intersect(const Rect& a, const Rect& b) {
    const double x0 = std::max(a.minX(), b.minX()), y0 = std::max(a.minY(), b.minY());
    const double x1 = std::min(a.maxX(), b.maxX()), y1 = std::min(a.maxY(), b.maxY());
    if (x1 <= x0 || y1 <= y0) return Rect();
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

bool spans(long start, long end, double from, double to) {
    return start < to && end >= from;
}

}  // namespace

double modeRefreshRate(unsigned long dotClock, unsigned hTotal, unsigned vTotal,
                       unsigned long flags) {
    if (dotClock == 0 || hTotal == 0 || vTotal == 0) return 0;
    double rate = static_cast<double>(dotClock) / (double(hTotal) * double(vTotal));
    if (flags & RR_Interlace) rate *= 2;
    if (flags & RR_DoubleScan) rate /= 2;
    return rate;
}

X11Screens::X11Screens(X11Connection& connection) : c_(connection) {
    int errorBase = 0;
    if (XRRQueryExtension(c_.display(), &randrEventBase_, &errorBase)) {
        XRRSelectInput(
            c_.display(), c_.root(),
            RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
    } else {
        randrEventBase_ = -1;
    }
    reload();
}

void X11Screens::reload() {
    Display* d = c_.display();
    screens_.clear();
    rootSize_ =
        Size{double(DisplayWidth(d, DefaultScreen(d))), double(DisplayHeight(d, DefaultScreen(d)))};
    XRRScreenResources* res =
        randrEventBase_ >= 0 ? XRRGetScreenResourcesCurrent(d, c_.root()) : nullptr;
    const RROutput primary = res ? XRRGetOutputPrimary(d, c_.root()) : None;
    for (int i = 0; res && i < res->noutput; ++i) {
        XRROutputInfo* out = XRRGetOutputInfo(d, res, res->outputs[i]);
        if (!out) continue;
        XRRCrtcInfo* crtc = out->crtc ? XRRGetCrtcInfo(d, res, out->crtc) : nullptr;
        if (crtc && crtc->width > 0 && crtc->height > 0) {
            Screen s;
            s.outputName.assign(out->name, out->nameLen);
            s.info.screenNumber = static_cast<DisplayId>(res->outputs[i]);
            s.rootBounds = Rect(crtc->x, crtc->y, crtc->width, crtc->height);
            for (int m = 0; m < res->nmode; ++m) {
                const XRRModeInfo& mode = res->modes[m];
                if (mode.id != crtc->mode) continue;
                const double rate =
                    modeRefreshRate(mode.dotClock, mode.hTotal, mode.vTotal, mode.modeFlags);
                s.refreshRate = rate > 0 ? rate : kFallbackRefresh;
            }
            if (auto edid = outputEdid(c_, res->outputs[i])) {
                if (auto id = parseEdid(*edid)) {
                    s.info.vendorNumber = id->vendor;
                    s.info.modelNumber = id->model;
                    s.info.serialNumber = id->serial;
                    s.info.productNames["en_US"] = id->name.empty() ? s.outputName : id->name;
                }
            }
            if (s.info.productNames.empty()) s.info.productNames["en_US"] = s.outputName;
            if (res->outputs[i] == primary)
                screens_.insert(screens_.begin(), std::move(s));
            else
                screens_.push_back(std::move(s));
        }
        if (crtc) XRRFreeCrtcInfo(crtc);
        XRRFreeOutputInfo(out);
    }
    if (res) XRRFreeScreenResources(res);
    if (screens_.empty()) {
        // No RandR, or nothing lit: the root window is the one screen.
        Screen s;
        s.info.screenNumber = 1;
        s.rootBounds = Rect(0, 0, rootSize_.width, rootSize_.height);
        s.outputName = "screen";
        s.info.productNames["en_US"] = s.outputName;
        screens_.push_back(std::move(s));
    }
    mainOrigin_ = screens_.front().rootBounds.origin;
    readWorkArea();
    computeFrames();
}

void X11Screens::readWorkArea() {
    workArea_.reset();
    auto area = c_.cardinals(c_.root(), c_.atoms().netWorkarea, XA_CARDINAL);
    if (!area || area->size() < 4) return;
    std::size_t desktop = 0;
    if (auto current = c_.cardinals(c_.root(), c_.atoms().netCurrentDesktop, XA_CARDINAL);
        current && !current->empty() && (*current)[0] >= 0)
        desktop = static_cast<std::size_t>((*current)[0]);
    if (area->size() < 4 * (desktop + 1)) desktop = 0;
    const long* a = area->data() + 4 * desktop;
    if (a[2] > 0 && a[3] > 0) workArea_ = Rect(a[0], a[1], a[2], a[3]);
}

void X11Screens::computeFrames() {
    if (screens_.empty()) return;
    const Rect& main = screens_.front().rootBounds;
    // The screen list has y going up from the main display's bottom edge.
    const auto toScreenList = [&](const Rect& r) {
        return Rect(r.origin.x - main.origin.x, main.maxY() - r.maxY(), r.size.width,
                    r.size.height);
    };
    for (auto& s : screens_) {
        const Rect& r = s.rootBounds;
        Rect visible = r;
        if (workArea_) {
            const Rect within = intersect(visible, *workArea_);
            if (!within.isEmpty()) visible = within;
        }
        double left = visible.minX(), right = visible.maxX();
        double top = visible.minY(), bottom = visible.maxY();
        for (const Strut& st : struts_) {
            if (st[0] > r.minX() && st[0] <= r.maxX() && spans(st[4], st[5], r.minY(), r.maxY()))
                left = std::max(left, double(st[0]));
            const double rightEdge = rootSize_.width - st[1];
            if (st[1] > 0 && rightEdge >= r.minX() && rightEdge < r.maxX() &&
                spans(st[6], st[7], r.minY(), r.maxY()))
                right = std::min(right, rightEdge);
            if (st[2] > r.minY() && st[2] <= r.maxY() && spans(st[8], st[9], r.minX(), r.maxX()))
                top = std::max(top, double(st[2]));
            const double bottomEdge = rootSize_.height - st[3];
            if (st[3] > 0 && bottomEdge >= r.minY() && bottomEdge < r.maxY() &&
                spans(st[10], st[11], r.minX(), r.maxX()))
                bottom = std::min(bottom, bottomEdge);
        }
        if (right > left && bottom > top) visible = Rect(left, top, right - left, bottom - top);
        s.info.frame = toScreenList(r);
        s.info.visibleFrame = toScreenList(visible);
    }
}

bool X11Screens::handleEvent(const XEvent& event) {
    if (randrEventBase_ < 0) return false;
    const int type = event.type - randrEventBase_;
    if (type != RRScreenChangeNotify && type != RRNotify) return false;
    XRRUpdateConfiguration(const_cast<XEvent*>(&event));
    reload();
    notify();
    return true;
}

void X11Screens::workAreaChanged() {
    readWorkArea();
    computeFrames();
    notify();
}

void X11Screens::setPanelStruts(std::vector<Strut> struts) {
    if (struts == struts_) return;
    struts_ = std::move(struts);
    computeFrames();
    notify();
}

void X11Screens::notify() {
    observers_.forEach([](const auto& changed) {
        changed();
        return false;
    });
}

const X11Screens::Screen* X11Screens::find(DisplayId id) const {
    for (const auto& s : screens_)
        if (s.info.screenNumber == id) return &s;
    return nullptr;
}

std::vector<ScreenInfo> X11Screens::screens() const {
    std::vector<ScreenInfo> list;
    for (const auto& s : screens_) list.push_back(s.info);
    return list;
}

DisplayId X11Screens::mainDisplayId() const {
    return screens_.empty() ? 0 : screens_.front().info.screenNumber;
}

Rect X11Screens::displayBounds(DisplayId id) const {
    const Screen* s = find(id);
    if (!s) return Rect();
    return Rect(s->rootBounds.origin.x - mainOrigin_.x, s->rootBounds.origin.y - mainOrigin_.y,
                s->rootBounds.size.width, s->rootBounds.size.height);
}

std::optional<std::vector<DisplayId>> X11Screens::displaysWithPoint(Point p,
                                                                    std::size_t maxDisplays) const {
    std::vector<DisplayId> found;
    for (const auto& s : screens_) {
        if (found.size() >= maxDisplays) break;
        if (displayBounds(s.info.screenNumber).contains(p)) found.push_back(s.info.screenNumber);
    }
    return found;
}

std::uint32_t X11Screens::displayVendorNumber(DisplayId id) const {
    const Screen* s = find(id);
    return s ? s->info.vendorNumber : 0;
}

std::uint32_t X11Screens::displayModelNumber(DisplayId id) const {
    const Screen* s = find(id);
    return s ? s->info.modelNumber : 0;
}

std::uint32_t X11Screens::displaySerialNumber(DisplayId id) const {
    const Screen* s = find(id);
    return s ? s->info.serialNumber : 0;
}

std::optional<std::vector<DisplayService>> X11Screens::displayServices() const {
    std::vector<DisplayService> services;
    std::uint32_t handle = 0;
    for (const auto& s : screens_) {
        DisplayService d;
        d.service = ++handle;
        d.vendorId = s.info.vendorNumber;
        d.productId = s.info.modelNumber;
        d.serialNumber = s.info.serialNumber;
        d.productNames = s.info.productNames;
        services.push_back(std::move(d));
    }
    return services;
}

double X11Screens::refreshRate(DisplayId id) const {
    const Screen* s = find(id);
    return s ? s->refreshRate : kFallbackRefresh;
}

}  // namespace wexo::platform::x11
