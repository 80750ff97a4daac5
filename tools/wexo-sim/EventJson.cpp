#include "wexo-sim/EventJson.h"

#include <array>
#include <cmath>
#include <utility>

namespace wexo::simrunner {

using platform::Event;
using platform::EventField;
using platform::EventType;

namespace {
constexpr std::array<std::pair<EventType, const char*>, 14> kTypeNames{{
    {EventType::LeftMouseDown, "leftMouseDown"},
    {EventType::LeftMouseUp, "leftMouseUp"},
    {EventType::RightMouseDown, "rightMouseDown"},
    {EventType::RightMouseUp, "rightMouseUp"},
    {EventType::OtherMouseDown, "otherMouseDown"},
    {EventType::OtherMouseUp, "otherMouseUp"},
    {EventType::MouseMoved, "mouseMoved"},
    {EventType::LeftMouseDragged, "leftMouseDragged"},
    {EventType::RightMouseDragged, "rightMouseDragged"},
    {EventType::OtherMouseDragged, "otherMouseDragged"},
    {EventType::KeyDown, "keyDown"},
    {EventType::KeyUp, "keyUp"},
    {EventType::FlagsChanged, "flagsChanged"},
    {EventType::ScrollWheel, "scrollWheel"},
}};

// Integer-valued fields as plain integers, anything else as a real.
nlohmann::ordered_json number(double v) {
    if (std::trunc(v) == v && std::fabs(v) < 9.0e15) return static_cast<std::int64_t>(v);
    return v;
}

bool movesPointer(EventType t) {
    return t == EventType::MouseMoved || platform::isMouseDragged(t);
}

void readPair(const Json& j, const JsonPath& path, Event& e, EventField first, EventField second) {
    const platform::Point p = readPoint(j, path);
    e.setDoubleField(first, p.x);
    e.setDoubleField(second, p.y);
}
}  // namespace

std::optional<EventType> eventTypeNamed(const std::string& name) {
    for (const auto& [type, n] : kTypeNames)
        if (name == n) return type;
    return std::nullopt;
}

std::optional<std::string> eventTypeName(EventType type) {
    for (const auto& [t, n] : kTypeNames)
        if (t == type) return std::string(n);
    return std::nullopt;
}

EventInput eventFromJson(const Json& j, const JsonPath& path) {
    expectObject(j, path);
    checkMembers(j, path,
                 {"type", "location", "flags", "button", "delta", "clickState", "mouseEventNumber",
                  "keyCode", "autorepeat", "unit", "lineDelta", "pointDelta", "phase",
                  "momentumPhase", "targetPid", "userData"});
    EventInput in;
    Event& e = in.event;
    if (!j.contains("type")) throw ScenarioException(path / "type", "an event needs a type");
    const std::string name = readString(j["type"], path / "type");
    const auto type = eventTypeNamed(name);
    if (!type) throw ScenarioException(path / "type", "unknown event type \"" + name + "\"");
    e.setType(*type);

    constexpr std::int64_t kInt32Min = INT32_MIN;
    constexpr std::int64_t kInt32Max = INT32_MAX;
    for (const auto& [key, value] : j.items()) {
        const JsonPath at = path / key;
        if (key == "location") {
            e.setLocation(readPoint(value, at));
            in.hasLocation = true;
        } else if (key == "flags") {
            e.setFlags(readUnsigned(value, at));
        } else if (key == "button") {
            e.setIntegerField(EventField::MouseEventButtonNumber, readInteger(value, at, 0, 31));
        } else if (key == "delta") {
            readPair(value, at, e, EventField::MouseEventDeltaX, EventField::MouseEventDeltaY);
            in.hasDelta = true;
        } else if (key == "clickState") {
            e.setIntegerField(EventField::MouseEventClickState,
                              readInteger(value, at, kInt32Min, kInt32Max));
        } else if (key == "mouseEventNumber") {
            e.setIntegerField(EventField::MouseEventNumber,
                              readInteger(value, at, kInt32Min, kInt32Max));
        } else if (key == "keyCode") {
            e.setIntegerField(EventField::KeyboardEventKeycode, readInteger(value, at, 0, 0xFFFF));
        } else if (key == "autorepeat") {
            e.setIntegerField(EventField::KeyboardEventAutorepeat, readBool(value, at) ? 1 : 0);
        } else if (key == "unit") {
            const std::string unit = readString(value, at);
            if (unit != "line" && unit != "pixel")
                throw ScenarioException(at, "unknown unit \"" + unit + "\" (line or pixel)");
            e.setIntegerField(EventField::ScrollWheelEventIsContinuous, unit == "pixel" ? 1 : 0);
        } else if (key == "lineDelta") {
            readPair(value, at, e, EventField::ScrollWheelEventDeltaAxis1,
                     EventField::ScrollWheelEventDeltaAxis2);
        } else if (key == "pointDelta") {
            readPair(value, at, e, EventField::ScrollWheelEventPointDeltaAxis1,
                     EventField::ScrollWheelEventPointDeltaAxis2);
        } else if (key == "phase") {
            e.setIntegerField(EventField::ScrollWheelEventScrollPhase,
                              readInteger(value, at, kInt32Min, kInt32Max));
        } else if (key == "momentumPhase") {
            e.setIntegerField(EventField::ScrollWheelEventMomentumPhase,
                              readInteger(value, at, kInt32Min, kInt32Max));
        } else if (key == "targetPid") {
            e.setIntegerField(EventField::EventTargetUnixProcessID,
                              readInteger(value, at, 0, kInt32Max));
        } else if (key == "userData") {
            e.setIntegerField(EventField::EventSourceUserData,
                              readInteger(value, at, INT64_MIN / 2, INT64_MAX / 2));
        }
    }
    return in;
}

Event EventInput::complete(platform::Point pointer) const {
    Event e = event;
    if (!hasLocation) e.setLocation(pointer);
    if (!hasDelta && movesPointer(e.type())) {
        e.setDoubleField(EventField::MouseEventDeltaX, e.location().x - pointer.x);
        e.setDoubleField(EventField::MouseEventDeltaY, e.location().y - pointer.y);
    }
    return e;
}

nlohmann::ordered_json eventToJson(const Event& e) {
    nlohmann::ordered_json j;
    if (auto name = eventTypeName(e.type())) {
        j["type"] = *name;
    } else {
        j["type"] = static_cast<std::uint32_t>(e.type());
    }
    j["location"] = {number(e.location().x), number(e.location().y)};
    if (e.flags() != 0) j["flags"] = e.flags();

    auto field = [&](const char* key, EventField f) {
        if (const double v = e.doubleField(f); v != 0) j[key] = number(v);
    };
    auto pair = [&](const char* key, EventField a, EventField b) {
        const double x = e.doubleField(a);
        const double y = e.doubleField(b);
        if (x != 0 || y != 0) j[key] = {number(x), number(y)};
    };
    field("button", EventField::MouseEventButtonNumber);
    pair("delta", EventField::MouseEventDeltaX, EventField::MouseEventDeltaY);
    field("clickState", EventField::MouseEventClickState);
    field("mouseEventNumber", EventField::MouseEventNumber);
    field("keyCode", EventField::KeyboardEventKeycode);
    if (e.integerField(EventField::KeyboardEventAutorepeat) != 0) j["autorepeat"] = true;
    if (e.type() == EventType::ScrollWheel)
        j["unit"] =
            e.integerField(EventField::ScrollWheelEventIsContinuous) != 0 ? "pixel" : "line";
    pair("lineDelta", EventField::ScrollWheelEventDeltaAxis1,
         EventField::ScrollWheelEventDeltaAxis2);
    pair("pointDelta", EventField::ScrollWheelEventPointDeltaAxis1,
         EventField::ScrollWheelEventPointDeltaAxis2);
    field("phase", EventField::ScrollWheelEventScrollPhase);
    field("momentumPhase", EventField::ScrollWheelEventMomentumPhase);
    field("targetPid", EventField::EventTargetUnixProcessID);
    field("userData", EventField::EventSourceUserData);
    return j;
}

}  // namespace wexo::simrunner
