#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/Event.h"
#include "platform/Log.h"

namespace wexo::platform::sim {

// The side effects the program causes on the simulated desktop, one type per
// kind. A new kind is a new struct added to SimRecordPayload; every consumer
// that visits the variant then fails to compile until it handles it.
namespace records {
// An event that passed every tap and reached the applications.
struct Deliver {
    Event event;
};
// A system-defined event posted to the HID system.
struct Hid {
    std::uint16_t subtype = 0;
    std::uint32_t keyType = 0;
    // true for a key-down record, false for key-up, nothing for other data.
    std::optional<bool> keyDown;
};
struct Launch {
    std::string path;
};
struct OpenUrl {
    std::string url;
};
struct DockNotification {
    std::string notification;
    int argument = 0;
};
// "arrow", "openHand", "closedHand", "crosshair", "pointingHand", "iBeam",
// "hide" or "unhide".
struct CursorChange {
    std::string style;
};
struct Acceleration {
    double value = 0;
};
struct Relaunch {
    double delay = 0;
};
struct Terminate {};
struct Exit {
    int status = 0;
};
// The whole list after a change.
struct LoginItems {
    std::vector<std::string> items;
};
struct LogLine {
    LogLevel level = LogLevel::Info;
    std::string message;
};
// An alert the program's user interface put on screen.
struct Alert {
    std::string message;
    std::vector<std::string> buttons;
};
// One of the program's windows came on screen ("shown") or left it ("closed").
struct Window {
    std::string name;
    bool shown = false;
};
// The status item became visible or invisible.
struct StatusItem {
    bool visible = false;
};
// true: regular (Dock icon and menu bar); false: accessory.
struct ActivationPolicy {
    bool regular = false;
};
// The status item's menu, each item's title ("-" for a separator), whenever
// it is built or a title changes.
struct Menu {
    std::vector<std::string> items;
};
// A verdict one of the program's taps gave, recorded while someone listens:
// which tap, the stage that decided, and the event as it left the tap.
struct Decision {
    std::string tap;
    std::string stage;
    bool swallowed = false;
    Event event;
};
// A tap's state machine changed state, as the trace hears it.
struct Transition {
    std::string tap;
    std::string name;
    std::string from;
    std::string to;
};
}  // namespace records

using SimRecordPayload =
    std::variant<records::Deliver, records::Hid, records::Launch, records::OpenUrl,
                 records::DockNotification, records::CursorChange, records::Acceleration,
                 records::Relaunch, records::Terminate, records::Exit, records::LoginItems,
                 records::LogLine, records::Alert, records::Window, records::StatusItem,
                 records::ActivationPolicy, records::Menu, records::Decision, records::Transition>;

struct SimRecord {
    std::int64_t time = 0;  // virtual nanoseconds
    SimRecordPayload what;
};

}  // namespace wexo::platform::sim
