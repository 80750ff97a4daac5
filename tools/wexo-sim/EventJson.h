#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/Event.h"
#include "wexo-sim/JsonRead.h"

namespace wexo::simrunner {

// The scenario's event form, the same in both directions:
//   {"type": "<name>", "location": [x, y], "flags": n, "button": n,
//    "delta": [dx, dy], "clickState": n, "mouseEventNumber": n, "keyCode": n,
//    "autorepeat": bool, "unit": "line"|"pixel", "lineDelta": [v, h],
//    "pointDelta": [v, h], "phase": n, "momentumPhase": n, "targetPid": n,
//    "userData": n}

// An event read from a scenario. The members that depend on the moment it
// plays (the location and a move's or drag's delta default to the pointer)
// are filled in by complete().
struct EventInput {
    platform::Event event;
    bool hasLocation = false;
    bool hasDelta = false;

    // Missing location: where the pointer is. Missing delta of a move or
    // drag: its location minus the pointer.
    platform::Event complete(platform::Point pointer) const;
};

EventInput eventFromJson(const Json& j, const JsonPath& path);

// Members that are 0 are left out; "unit" is written for scroll-wheel events
// only. A type without a name is written as its number.
nlohmann::ordered_json eventToJson(const platform::Event& event);

std::optional<platform::EventType> eventTypeNamed(const std::string& name);
// Nothing for types outside the form's names.
std::optional<std::string> eventTypeName(platform::EventType type);

}  // namespace wexo::simrunner
