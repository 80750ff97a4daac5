#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/CompositionRoot.h"
#include "platform/MemoryPreferenceStore.h"
#include "platform/sim/SimDesktop.h"

namespace wexo::platform::sim::testing {

// A fresh desktop with the program started on it, per test. The program's
// scrolling and its mouse tap are switched off: these tests post events of
// their own and watch them arrive as they were sent.
struct SimTestDesktop {
    SimDesktop desktop{std::make_unique<MemoryPreferenceStore>(
        SimProcess::builtBundleIdentifier(),
        plist::Dictionary{{"scrollingEnabled", plist::Value(false)},
                          {"buttonsNative", plist::Value(true)}})};
    CompositionRoot root{desktop};

    std::vector<Event> delivered() const {
        std::vector<Event> out;
        for (const auto& r : desktop.records())
            if (auto* d = std::get_if<records::Deliver>(&r.what)) out.push_back(d->event);
        return out;
    }
    std::vector<std::int64_t> deliveryTimes() const {
        std::vector<std::int64_t> out;
        for (const auto& r : desktop.records())
            if (std::holds_alternative<records::Deliver>(r.what)) out.push_back(r.time);
        return out;
    }
    template <class Kind>
    std::vector<Kind> recordsOf() const {
        std::vector<Kind> out;
        for (const auto& r : desktop.records())
            if (auto* k = std::get_if<Kind>(&r.what)) out.push_back(*k);
        return out;
    }
};

// A mouse event of a device at a point.
inline Event mouseAt(EventType type, double x, double y) {
    return Event::mouse(type, Point{x, y}, MouseButton::Left);
}

// An event marked with a number in its user-data field, to tell events apart.
inline Event marked(EventType type, std::int64_t mark) {
    Event e;
    e.setType(type);
    e.setIntegerField(EventField::EventSourceUserData, mark);
    return e;
}

inline std::int64_t markOf(const Event& e) {
    return e.integerField(EventField::EventSourceUserData);
}

constexpr std::uint64_t kAll = kEventMaskForAllEvents;

}  // namespace wexo::platform::sim::testing
