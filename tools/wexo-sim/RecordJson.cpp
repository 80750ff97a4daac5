#include "wexo-sim/RecordJson.h"

#include "platform/sim/SimClock.h"
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

    ordered_json operator()(const records::Deliver& r) const {
        auto j = header(t, "deliver");
        j["event"] = eventToJson(r.event);
        return j;
    }
    ordered_json operator()(const records::Hid& r) const {
        auto j = header(t, "hid");
        j["subtype"] = r.subtype;
        j["keyType"] = r.keyType;
        if (r.keyDown) j["keyState"] = *r.keyDown ? "down" : "up";
        return j;
    }
    ordered_json operator()(const records::Launch& r) const {
        auto j = header(t, "launch");
        j["path"] = r.path;
        return j;
    }
    ordered_json operator()(const records::OpenUrl& r) const {
        auto j = header(t, "openURL");
        j["url"] = r.url;
        return j;
    }
    ordered_json operator()(const records::DockNotification& r) const {
        auto j = header(t, "dock");
        j["notification"] = r.notification;
        return j;
    }
    ordered_json operator()(const records::CursorChange& r) const {
        auto j = header(t, "cursor");
        j["style"] = r.style;
        return j;
    }
    ordered_json operator()(const records::Acceleration& r) const {
        auto j = header(t, "acceleration");
        j["value"] = r.value;
        return j;
    }
    ordered_json operator()(const records::Relaunch& r) const {
        auto j = header(t, "relaunch");
        j["delay"] = r.delay;
        return j;
    }
    ordered_json operator()(const records::Terminate&) const { return header(t, "terminate"); }
    ordered_json operator()(const records::Exit& r) const {
        auto j = header(t, "exit");
        j["status"] = r.status;
        return j;
    }
    ordered_json operator()(const records::LoginItems& r) const {
        auto j = header(t, "loginItems");
        j["items"] = r.items;
        return j;
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
        auto j = header(t, "statusItem");
        j["visible"] = r.visible;
        return j;
    }
    ordered_json operator()(const records::ActivationPolicy& r) const {
        auto j = header(t, "activationPolicy");
        j["policy"] = r.regular ? "regular" : "accessory";
        return j;
    }
    ordered_json operator()(const records::Menu& r) const {
        auto j = header(t, "menu");
        j["items"] = r.items;
        return j;
    }
    ordered_json operator()(const records::LogLine& r) const {
        auto j = header(t, "log");
        j["level"] = levelName(r.level);
        j["message"] = r.message;
        return j;
    }
    ordered_json operator()(const records::Decision& r) const {
        auto j = header(t, "decision");
        j["tap"] = r.tap;
        j["stage"] = r.stage;
        j["verdict"] = r.swallowed ? "swallow" : "pass";
        j["event"] = eventToJson(r.event);
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
