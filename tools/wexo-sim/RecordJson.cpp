#include "wexo-sim/RecordJson.h"

#include "platform/sim/SimClock.h"
#include "wexo-sim/DecisionJson.h"
#include "wexo-sim/EventJson.h"
#include "wexo-sim/PlistJson.h"

namespace wexo::simrunner {

namespace records = platform::sim::records;
using nlohmann::ordered_json;

namespace {
ordered_json header(std::int64_t time, const char* kind) {
    ordered_json j;
    j["t"] = platform::sim::nanosToSeconds(time);
    j["kind"] = kind;
    return j;
}

const char* levelName(platform::LogLevel level) {
    switch (level) {
        case platform::LogLevel::Debug:
            return "debug";
        case platform::LogLevel::Info:
            return "info";
        case platform::LogLevel::Warning:
            return "warning";
        case platform::LogLevel::Error:
            return "error";
    }
    return "error";
}

// One overload per kind of record: a kind without one does not compile.
struct Writer {
    std::int64_t t;

    // Most records carry one member besides their time and kind.
    template <class Value>
    ordered_json single(const char* kind, const char* key, const Value& value) const {
        auto j = header(t, kind);
        j[key] = value;
        return j;
    }

    ordered_json operator()(const records::Deliver& r) const {
        return single("deliver", "event", eventToJson(r.event));
    }
    ordered_json operator()(const records::Hid& r) const {
        auto j = header(t, "hid");
        j["subtype"] = r.subtype;
        j["keyType"] = r.keyType;
        if (r.keyDown) j["keyState"] = *r.keyDown ? "down" : "up";
        return j;
    }
    ordered_json operator()(const records::Launch& r) const {
        return single("launch", "path", r.path);
    }
    ordered_json operator()(const records::OpenUrl& r) const {
        return single("openURL", "url", r.url);
    }
    ordered_json operator()(const records::DockNotification& r) const {
        return single("dock", "notification", r.notification);
    }
    ordered_json operator()(const records::CursorChange& r) const {
        return single("cursor", "style", r.style);
    }
    ordered_json operator()(const records::Acceleration& r) const {
        return single("acceleration", "value", r.value);
    }
    ordered_json operator()(const records::Relaunch& r) const {
        return single("relaunch", "delay", r.delay);
    }
    ordered_json operator()(const records::Terminate&) const { return header(t, "terminate"); }
    ordered_json operator()(const records::Exit& r) const {
        return single("exit", "status", r.status);
    }
    ordered_json operator()(const records::LoginItems& r) const {
        return single("loginItems", "items", r.items);
    }
    ordered_json operator()(const records::Alert& r) const {
        auto j = header(t, "alert");
        j["message"] = r.message;
        j["buttons"] = r.buttons;
        return j;
    }
    ordered_json operator()(const records::Window& r) const {
        auto j = header(t, "window");
        j["name"] = r.name;
        j["state"] = r.shown ? "shown" : "closed";
        return j;
    }
    ordered_json operator()(const records::StatusItem& r) const {
        return single("statusItem", "visible", r.visible);
    }
    ordered_json operator()(const records::ActivationPolicy& r) const {
        return single("activationPolicy", "policy", r.regular ? "regular" : "accessory");
    }
    ordered_json operator()(const records::Menu& r) const {
        return single("menu", "items", r.items);
    }
    ordered_json operator()(const records::LogLine& r) const {
        auto j = header(t, "log");
        j["level"] = levelName(r.level);
        j["message"] = r.message;
        return j;
    }
    ordered_json operator()(const records::Decision& r) const {
        return decisionRecord(platform::sim::nanosToSeconds(t), r.tap, r.stage, r.swallowed,
                              r.event);
    }
    ordered_json operator()(const records::Transition& r) const {
        auto j = header(t, "transition");
        j["tap"] = r.tap;
        j["transition"] = r.name;
        j["from"] = r.from;
        j["to"] = r.to;
        return j;
    }
};
}  // namespace

ordered_json recordToJson(const platform::sim::SimRecord& record) {
    return std::visit(Writer{record.time}, record.what);
}

ordered_json defaultsRecord(std::int64_t time, const plist::Dictionary& domain) {
    auto j = header(time, "defaults");
    j["domain"] = jsonFromDictionary(domain);
    return j;
}

std::string recordLine(const ordered_json& record) {
    // Text the program logs need not be valid UTF-8; it must not stop the run.
    return record.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace wexo::simrunner
