#include "actions/SimulateMouse.h"

#include "actions/ActionHandles.h"
#include "platform/EventMarks.h"
#include "platform/Log.h"
#include "platform/Platform.h"

namespace wexo {

using platform::Event;
using platform::EventType;
using platform::Point;

namespace {

// Left, right and other mouse down, mouse moved, right and other dragged.
// Left drags are left out: the program makes those itself while it holds.
constexpr std::uint64_t kKeepPressedMask = 0xA0000AA;

void post(const Event& event) {
    installedPlatform().eventStream().post(platform::TapLocation::HID, event);
}

Point pointer() {
    return installedPlatform().eventStream().pointerLocation();
}

// Open MarkedClicks scopes; main thread only, like everything here.
int markedScopes = 0;

// A press or release as the system creates it, without modifier flags:
// modifier keys the user holds must not turn the click into another one.
Event plainMouse(EventType type, Point at, platform::MouseButton button) {
    Event e = Event::mouse(type, at, button);
    e.setFlags(0);
    if (markedScopes > 0)
        e.setIntegerField(platform::EventField::EventSourceUserData,
                          platform::EventMarks::kSyntheticInput);
    return e;
}

void click(EventType down, EventType up, platform::MouseButton button, Point at) {
    post(plainMouse(down, at, button));
    post(plainMouse(up, at, button));
}

void lineScroll(int wheelCount, std::int32_t wheel1, std::int32_t wheel2) {
    Event e = Event::scrollWheel(platform::ScrollEventUnit::Line, wheelCount, wheel1, wheel2);
    e.setFlags(0);
    post(e);
}

platform::Verdict keepPressedCallback(EventType type, Event& event) {
    ActionHandles* handles = SharedSlot<ActionHandles>::get();
    if (!handles || !handles->keepPressedTap()) return platform::Verdict::pass();
    if (type == EventType::TapDisabledByTimeout || type == EventType::TapDisabledByUserInput) {
        // Left disabled, the tap would never see the press that ends the
        // hold, and the left button would stay down.
        handles->keepPressedTap()->enable(true);
        return platform::Verdict::pass();
    }
    if (platform::isMouseDown(type)) {
        post(plainMouse(EventType::LeftMouseUp, pointer(), platform::MouseButton::Left));
        // Discarding the tap also takes it off the run loop; the next "Keep
        // Left Pressed" makes a new one.
        std::unique_ptr<platform::EventTap> tap = handles->takeKeepPressedTap();
        tap->enable(false);
        return platform::Verdict::swallow();
    }
    post(plainMouse(EventType::LeftMouseDragged, event.location(), platform::MouseButton::Left));
    return platform::Verdict::swallow();
}

}  // namespace

SimulateMouse::MarkedClicks::MarkedClicks() {
    ++markedScopes;
}
SimulateMouse::MarkedClicks::~MarkedClicks() {
    --markedScopes;
}

std::vector<CustomAction> SimulateMouse::getSimulateMouseActions() {
    static constexpr const char* kNames[] = {
        "Left Click", "Right Click", "Middle Click",      "Scroll Right",      "Scroll Left",
        "Scroll Up",  "Scroll Down", "Double Left Click", "Keep Left Pressed",
    };
    std::vector<CustomAction> actions;
    std::int64_t index = 0;
    for (const char* name : kNames) {
        actions.emplace_back(name, std::nullopt, std::nullopt, index++, std::nullopt,
                             static_cast<std::int64_t>(CustomAction::Kind::SimulatedMouse));
    }
    return actions;
}

void SimulateMouse::postSimulateMouseKey(std::int64_t index) {
    switch (index) {
        case 0:
            return leftClick();
        case 1:
            return rightClick();
        case 2:
            return middleClick();
        case 3:
            return scrollRightHorizontalLines();
        case 4:
            return scrollLeftHorizontalLines();
        case 5:
            return scrollUpVerticalLines();
        case 6:
            return scrollDownVerticalLines();
        case 7:
            return doubleLeftClick();
        case 8:
            return leftClickKeepPressed();
        default:
            return;
    }
}

void SimulateMouse::simulateMouseByButtonNumber(std::int64_t n) {
    EventType down = EventType::OtherMouseDown;
    EventType up = EventType::OtherMouseUp;
    platform::MouseButton button = platform::MouseButton::Center;
    if (n == 0) {
        down = EventType::LeftMouseDown;
        up = EventType::LeftMouseUp;
        button = platform::MouseButton::Left;
    } else if (n == 1) {
        down = EventType::RightMouseDown;
        up = EventType::RightMouseUp;
        button = platform::MouseButton::Right;
    }
    const Point at = pointer();
    for (EventType type : {down, up}) {
        Event e = plainMouse(type, at, button);
        e.setIntegerField(platform::EventField::EventSourceUserData,
                          platform::EventMarks::kSyntheticInput);
        if (n >= 3) e.setIntegerField(platform::EventField::MouseEventButtonNumber, n);
        post(e);
    }
}

void SimulateMouse::leftClick() {
    leftClickAtCoordinate(pointer());
}
void SimulateMouse::rightClick() {
    rightClickAtCoordinate(pointer());
}
void SimulateMouse::middleClick() {
    middleClickAtCoordinate(pointer());
}
void SimulateMouse::doubleLeftClick() {
    doubleLeftClickAtCoordinate(pointer());
}
void SimulateMouse::leftClickKeepPressed() {
    leftClickAKeepPressedtCoordinate(pointer());
}

void SimulateMouse::leftClickAtCoordinate(Point point) {
    click(EventType::LeftMouseDown, EventType::LeftMouseUp, platform::MouseButton::Left, point);
}

void SimulateMouse::rightClickAtCoordinate(Point point) {
    click(EventType::RightMouseDown, EventType::RightMouseUp, platform::MouseButton::Right, point);
}

void SimulateMouse::middleClickAtCoordinate(Point point) {
    click(EventType::OtherMouseDown, EventType::OtherMouseUp, platform::MouseButton::Center, point);
}

void SimulateMouse::doubleLeftClickAtCoordinate(Point point) {
    Event e = plainMouse(EventType::LeftMouseDown, point, platform::MouseButton::Left);
    post(e);
    e.setType(EventType::LeftMouseUp);
    post(e);
    e.setIntegerField(platform::EventField::MouseEventClickState, 2);
    e.setType(EventType::LeftMouseDown);
    post(e);
    e.setType(EventType::LeftMouseUp);
    post(e);
}

void SimulateMouse::leftClickAKeepPressedtCoordinate(Point point) {
    ActionHandles& handles = ActionHandles::shared();
    if (handles.keepPressedTap()) return;
    platform::EventStream& stream = installedPlatform().eventStream();
    // The press goes first: the tap is created after it so that it does not
    // take the program's own press for the one that ends the hold.
    stream.post(platform::TapLocation::HID,
                plainMouse(EventType::LeftMouseDown, point, platform::MouseButton::Left));
    auto tap =
        stream.createTap(platform::TapLocation::HID, platform::TapPlacement::HeadInsert,
                         platform::TapOption::Default, kKeepPressedMask, keepPressedCallback);
    if (!tap) {
        // Without the tap nothing would ever let go of the button.
        stream.post(platform::TapLocation::HID,
                    plainMouse(EventType::LeftMouseUp, point, platform::MouseButton::Left));
        WEXO_LOG_ERROR(
            "Keep Left Pressed: the event tap could not be created; left button released");
        return;
    }
    tap->enable(true);
    handles.setKeepPressedTap(std::move(tap));
}

void SimulateMouse::scrollRightHorizontalLines() {
    lineScroll(2, 0, -4);
}
void SimulateMouse::scrollLeftHorizontalLines() {
    lineScroll(2, 0, 4);
}
void SimulateMouse::scrollUpVerticalLines() {
    lineScroll(1, 4, 0);
}
void SimulateMouse::scrollDownVerticalLines() {
    lineScroll(1, -4, 0);
}

}  // namespace wexo
