#include "platform/linux/x11/PointerAcceleration.h"

#include <X11/Xatom.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace wexo::platform::x11 {

namespace {
constexpr double kMiddle = 0.6875;
constexpr double kTop = 3.0;
constexpr int kSixteenths = 16;

double clampFinite(double v, double lo, double hi, double otherwise) {
    return std::isfinite(v) ? std::clamp(v, lo, hi) : otherwise;
}
}  // namespace

double accelSpeedForScale(double scale) {
    const double s = clampFinite(scale, 0, kTop, kMiddle);
    return s <= kMiddle ? s / kMiddle - 1 : (s - kMiddle) / (kTop - kMiddle);
}

double scaleForAccelSpeed(double speed) {
    const double v = clampFinite(speed, -1, 1, 0);
    return v <= 0 ? (v + 1) * kMiddle : kMiddle + v * (kTop - kMiddle);
}

PointerControl pointerControlForScale(double scale) {
    const double s = clampFinite(scale, 0, kTop, kMiddle);
    return PointerControl{static_cast<int>(std::lround((1 + s) * kSixteenths)), kSixteenths};
}

double scaleForPointerControl(PointerControl control) {
    if (control.denominator <= 0) return kMiddle;
    return clampFinite(double(control.numerator) / control.denominator - 1, 0, kTop, kMiddle);
}

PointerAcceleration::PointerAcceleration(X11Connection& connection) : c_(connection) {
    int event = 0, error = 0, major = 2, minor = 0;
    if (XQueryExtension(c_.display(), "XInputExtension", &xiOpcode_, &event, &error) &&
        XIQueryVersion(c_.display(), &major, &minor) == Success) {
        XIEventMask mask;
        unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(bits, XI_HierarchyChanged);
        mask.deviceid = XIAllDevices;
        mask.mask_len = sizeof bits;
        mask.mask = bits;
        XISelectEvents(c_.display(), c_.root(), &mask, 1);
    } else {
        xiOpcode_ = -1;
    }
    speedAtom_ = XInternAtom(c_.display(), "libinput Accel Speed", False);
    floatAtom_ = XInternAtom(c_.display(), "FLOAT", False);
}

std::vector<int> PointerAcceleration::devicesWithSpeed() {
    std::vector<int> found;
    if (xiOpcode_ < 0) return found;
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(c_.display(), XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].use != XISlavePointer && devices[i].use != XIFloatingSlave) continue;
        int n = 0;
        Atom* props = XIListProperties(c_.display(), devices[i].deviceid, &n);
        if (std::find(props, props + n, speedAtom_) != props + n)
            found.push_back(devices[i].deviceid);
        if (props) XFree(props);
    }
    if (devices) XIFreeDeviceInfo(devices);
    return found;
}

bool PointerAcceleration::writeSpeed(int device, double speed) {
    float value = static_cast<float>(speed);
    unsigned char data[sizeof(float)];
    std::memcpy(data, &value, sizeof value);
    return c_.trapErrors([&] {
        XIChangeProperty(c_.display(), device, speedAtom_, floatAtom_, 32, PropModeReplace, data,
                         1);
    }) == 0;
}

std::optional<double> PointerAcceleration::get() {
    for (int device : devicesWithSpeed()) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const Status status = XIGetProperty(c_.display(), device, speedAtom_, 0, 1, False,
                                            floatAtom_, &type, &format, &count, &after, &data);
        std::optional<double> scale;
        if (status == Success && type == floatAtom_ && format == 32 && count == 1 && data) {
            float value = 0;
            std::memcpy(&value, data, sizeof value);
            scale = scaleForAccelSpeed(value);
        }
        if (data) XFree(data);
        if (scale) return scale;
    }
    int numerator = 0, denominator = 0, threshold = 0;
    XGetPointerControl(c_.display(), &numerator, &denominator, &threshold);
    return scaleForPointerControl(PointerControl{numerator, denominator});
}

bool PointerAcceleration::set(double scale) {
    if (!std::isfinite(scale)) return false;
    lastSet_ = scale;
    bool wrote = false;
    for (int device : devicesWithSpeed())
        wrote = writeSpeed(device, accelSpeedForScale(scale)) || wrote;
    if (wrote) return true;
    const PointerControl control = pointerControlForScale(scale);
    return c_.trapErrors([&] {
        XChangePointerControl(c_.display(), True, False, control.numerator, control.denominator, 0);
    }) == 0;
}

bool PointerAcceleration::handleEvent(XEvent& e) {
    if (xiOpcode_ < 0 || e.type != GenericEvent || e.xcookie.extension != xiOpcode_) return false;
    if (!XGetEventData(c_.display(), &e.xcookie)) return false;
    bool added = false;
    if (e.xcookie.evtype == XI_HierarchyChanged) {
        const auto* h = static_cast<XIHierarchyEvent*>(e.xcookie.data);
        added = (h->flags & (XISlaveAdded | XIDeviceEnabled)) != 0;
    }
    XFreeEventData(c_.display(), &e.xcookie);
    if (added && lastSet_) {
        for (int device : devicesWithSpeed()) writeSpeed(device, accelSpeedForScale(*lastSet_));
    }
    return true;
}

}  // namespace wexo::platform::x11
