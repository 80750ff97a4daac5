#include "platform/Event.h"

#include <cmath>

namespace wexo::platform {

namespace {
int index(EventField f) {
    int i = static_cast<int>(f);
    return (i >= 0 && i < kEventFieldCount) ? i : -1;
}

bool isFunctionGroupKey(std::uint16_t code) {
    switch (code) {
        case 96:
        case 97:
        case 98:
        case 99:
        case 100:
        case 101:
        case 103:
        case 105:
        case 106:
        case 107:
        case 109:
        case 111:
        case 113:
        case 114:
        case 115:
        case 116:
        case 117:
        case 118:
        case 119:
        case 120:
        case 121:
        case 122:
        case 123:
        case 124:
        case 125:
        case 126:
        case 64:
        case 79:
        case 80:
            return true;
        default:
            return false;
    }
}
}  // namespace

Event Event::mouse(EventType type, Point location, MouseButton button) {
    Event e;
    e.type_ = type;
    e.location_ = location;
    e.setIntegerField(EventField::MouseEventButtonNumber, static_cast<std::int64_t>(button));
    if (isMouseDown(type) || isMouseUp(type))
        e.setIntegerField(EventField::MouseEventClickState, 1);
    return e;
}

Event Event::keyboard(std::uint16_t keyCode, bool keyDown) {
    Event e;
    e.type_ = keyDown ? EventType::KeyDown : EventType::KeyUp;
    e.setIntegerField(EventField::KeyboardEventKeycode, keyCode);
    if (isFunctionGroupKey(keyCode)) e.flags_ = EventFlags::SecondaryFn;
    return e;
}

Event Event::scrollWheel(ScrollEventUnit unit, int wheelCount, std::int32_t wheel1,
                         std::int32_t wheel2) {
    Event e;
    e.type_ = EventType::ScrollWheel;
    const std::int32_t horizontal = wheelCount >= 2 ? wheel2 : 0;
    if (unit == ScrollEventUnit::Pixel) {
        e.setIntegerField(EventField::ScrollWheelEventIsContinuous, 1);
        e.setIntegerField(EventField::ScrollWheelEventPointDeltaAxis1, wheel1);
        e.setIntegerField(EventField::ScrollWheelEventPointDeltaAxis2, horizontal);
    } else {
        e.setIntegerField(EventField::ScrollWheelEventDeltaAxis1, wheel1);
        e.setIntegerField(EventField::ScrollWheelEventDeltaAxis2, horizontal);
        e.setDoubleField(EventField::ScrollWheelEventFixedPtDeltaAxis1, wheel1);
        e.setDoubleField(EventField::ScrollWheelEventFixedPtDeltaAxis2, horizontal);
        e.setIntegerField(EventField::ScrollWheelEventPointDeltaAxis1, std::int64_t{wheel1} * 10);
        e.setIntegerField(EventField::ScrollWheelEventPointDeltaAxis2,
                          std::int64_t{horizontal} * 10);
    }
    return e;
}

std::int64_t Event::integerField(EventField f) const {
    int i = index(f);
    return i < 0 ? 0 : static_cast<std::int64_t>(std::trunc(fields_[i]));
}

void Event::setIntegerField(EventField f, std::int64_t v) {
    if (int i = index(f); i >= 0) fields_[i] = static_cast<double>(v);
}

double Event::doubleField(EventField f) const {
    int i = index(f);
    return i < 0 ? 0.0 : fields_[i];
}

void Event::setDoubleField(EventField f, double v) {
    if (int i = index(f); i >= 0) fields_[i] = v;
}

bool isMouseDown(EventType t) {
    return t == EventType::LeftMouseDown || t == EventType::RightMouseDown ||
           t == EventType::OtherMouseDown;
}
bool isMouseUp(EventType t) {
    return t == EventType::LeftMouseUp || t == EventType::RightMouseUp ||
           t == EventType::OtherMouseUp;
}
bool isMouseDragged(EventType t) {
    return t == EventType::LeftMouseDragged || t == EventType::RightMouseDragged ||
           t == EventType::OtherMouseDragged;
}

}  // namespace wexo::platform
