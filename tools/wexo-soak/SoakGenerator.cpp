#include "wexo-soak/SoakGenerator.h"

#include <algorithm>
#include <array>

namespace wexo::soak {

using nlohmann::json;

namespace {

// Shift, Control, Option, Command: what the wheel and the keys carry.
constexpr std::array<std::uint64_t, 5> kModifiers = {0, 0x20000, 0x40000, 0x80000, 0x100000};
// Left, right, middle (auto-scroll), 3 (grab), 4 (gestures), 5 and 6 (assigned or plain).
constexpr int kButtons = 7;
// Both displays side by side.
constexpr double kWidth = 3840, kHeight = 1080;

const char* downType(int b) {
    return b == 0 ? "leftMouseDown" : b == 1 ? "rightMouseDown" : "otherMouseDown";
}
const char* upType(int b) {
    return b == 0 ? "leftMouseUp" : b == 1 ? "rightMouseUp" : "otherMouseUp";
}
const char* dragType(int b) {
    return b == 0 ? "leftMouseDragged" : b == 1 ? "rightMouseDragged" : "otherMouseDragged";
}

}  // namespace

SoakGenerator::SoakGenerator(std::uint64_t seed) : random_(seed) {}

json SoakGenerator::desktop() {
    return {{"pointer", {400, 300}},
            {"screens",
             {{{"number", 1},
               {"frame", {0, 0, 1920, 1080}},
               {"vendor", 1},
               {"model", 2},
               {"serial", 3},
               {"name", "Left"}},
              {{"number", 2},
               {"frame", {1920, 0, 1920, 1080}},
               {"vendor", 4},
               {"model", 5},
               {"serial", 6},
               {"name", "Right"}}}},
            {"apps",
             {{{"pid", 501}, {"bundleId", "com.apple.Safari"}, {"name", "Safari"}},
              {{"pid", 502}, {"bundleId", "com.apple.mail"}, {"name", "Mail"}}}},
            {"windows",
             {{{"pid", 501}, {"bounds", {0, 0, 1920, 1080}}},
              {{"pid", 502}, {"bounds", {1920, 0, 1920, 1080}}}}},
            {"elements", {{{"bounds", {0, 0, 1200, 1080}}, {"role", "AXScrollArea"}}}}};
}

json SoakGenerator::defaults() {
    const json volumeUp = {{"prettyName", "Volume Up"}, {"auxKey", 0}, {"typeOfAction", 1}};
    const json rightClick = {{"prettyName", "Right Click"}, {"auxKey", 1}, {"typeOfAction", 4}};
    const json copy = {
        {"prettyName", "Copy"}, {"shortcut", {{"key", 8}, {"command", true}}}, {"typeOfAction", 2}};
    auto gesture = [](json key, const json& action) {
        json g = {
            {"prettyName", "g"}, {"gestureImagePath", ""}, {"isActive", true}, {"action", action}};
        g.update(key);
        return g;
    };
    return {{"scrollingEnabled", true},
            {"autoScrollButtonNumber", 2},
            {"grabButtonNumber", 3},
            {"gestureNumber", 4},
            {"isSmartAutoScroll", true},
            {"isOverLinkActAsButtonOutlt", true},
            {"isDisableGrabMoveCursor", false},
            {"isAnimateThrow", true},
            {"buttonAssignDict",
             {{"1", {{"131072", copy}}},
              {"5", {{"0", volumeUp}}},
              {"6", {{"0", rightClick}}},
              {"500", {{"1048576", volumeUp}}},
              {"502", {{"0", copy}}}}},
            {"gesturesAppsArray",
             {{{"prettyName", "Global"},
               {"bundleId", "com.global"},
               {"gestures",
                {gesture({{"gestureDirections", "1"}}, volumeUp),
                 gesture({{"gestureDirections", "14"}}, copy),
                 gesture({{"bindButton", 0}}, rightClick), gesture({{"bindButton", 1}}, copy)}}},
              {{"prettyName", "Safari"},
               {"bundleId", "com.apple.Safari"},
               {"gestures", {gesture({{"gestureDirections", "2"}}, copy)}}}}}};
}

json SoakGenerator::at(json step) {
    // Mostly the pace of a hand on a mouse; now and then a pause long enough
    // for animations and throws to end.
    const int r = pick(100);
    seconds_ += r < 90 ? 0.004 + 0.001 * pick(12) : r < 99 ? 0.05 + 0.01 * pick(30) : kRestSeconds;
    json out = {{"at", seconds_}};
    out.update(step);
    return out;
}

json SoakGenerator::mouse(const char* type, int button) {
    json e = {{"type", type}, {"location", {x_, y_}}};
    if (button != 0) e["button"] = button;
    if (flags_) e["flags"] = flags_;
    return at({{"event", e}});
}

json SoakGenerator::move() {
    // Small moves, now and then a leap to the other display.
    if (pick(20) == 0) {
        x_ = std::uniform_real_distribution<double>(0, kWidth - 1)(random_);
        y_ = std::uniform_real_distribution<double>(0, kHeight - 1)(random_);
    } else {
        x_ = std::clamp(x_ + pick(61) - 30, 0.0, kWidth - 1);
        y_ = std::clamp(y_ + pick(61) - 30, 0.0, kHeight - 1);
    }
    if (buttons_.empty()) return mouse("mouseMoved", 0);
    // The system names a drag after one of the buttons held.
    auto b = buttons_.begin();
    std::advance(b, pick(static_cast<int>(buttons_.size())));
    return mouse(dragType(*b), *b);
}

json SoakGenerator::press() {
    std::vector<int> free;
    for (int b = 0; b < kButtons; ++b)
        if (!buttons_.count(b)) free.push_back(b);
    if (free.empty()) return release(*buttons_.begin());
    const int b = free[pick(static_cast<int>(free.size()))];
    buttons_.insert(b);
    return mouse(downType(b), b);
}

json SoakGenerator::release(int button) {
    buttons_.erase(button);
    return mouse(upType(button), button);
}

json SoakGenerator::wheel() {
    const int lines = pick(2) ? 1 : -1;
    const bool horizontal = pick(4) == 0;
    json e = {{"type", "scrollWheel"}, {"location", {x_, y_}}};
    e["lineDelta"] = horizontal ? json{0, lines} : json{lines, 0};
    const std::uint64_t flags = kModifiers[pick(static_cast<int>(kModifiers.size()))];
    if (flags | flags_) e["flags"] = flags | flags_;
    return at({{"event", e}});
}

json SoakGenerator::key() {
    // Letters and the space bar; a key down is released by a later step.
    static constexpr std::array<int, 6> kKeys = {0, 1, 8, 9, 11, 49};
    if (!keys_.empty() && pick(2) == 0) {
        const int k = *keys_.begin();
        keys_.erase(k);
        return at({{"event", {{"type", "keyUp"}, {"keyCode", k}}}});
    }
    const int k = kKeys[pick(static_cast<int>(kKeys.size()))];
    if (keys_.count(k)) {
        keys_.erase(k);
        return at({{"event", {{"type", "keyUp"}, {"keyCode", k}}}});
    }
    keys_.insert(k);
    json e = {{"type", "keyDown"}, {"keyCode", k}};
    if (flags_) e["flags"] = flags_;
    return at({{"event", e}});
}

// The desktop changing under the program, and the person using its screens.
json SoakGenerator::screen() {
    static const std::array<const char*, 6> kTabs = {
        "showScroll:", "showButtonAssign:", "showGestures:",
        "showGrab:",   "showAuto:",         "showSettings:"};
    switch (pick(8)) {
        case 0: {
            static constexpr std::array<int, 4> kFront = {501, 502, kProgram, 0};
            return at({{"frontmost", kFront[pick(4)]}});
        }
        case 1: {
            // Safari's window moves to the front, or the windows trade places.
            const bool swapped = pick(2) == 0;
            json windows = {{{"pid", swapped ? 502 : 501}, {"bounds", {0, 0, 1920, 1080}}},
                            {{"pid", swapped ? 501 : 502}, {"bounds", {1920, 0, 1920, 1080}}}};
            return at({{"windows", windows}});
        }
        case 2: {
            // The right display comes and goes.
            json screens = {{{"number", 1},
                             {"frame", {0, 0, 1920, 1080}},
                             {"vendor", 1},
                             {"model", 2},
                             {"serial", 3}}};
            if (pick(2))
                screens.push_back({{"number", 2},
                                   {"frame", {1920, 0, 1920, 1080}},
                                   {"vendor", 4},
                                   {"model", 5},
                                   {"serial", 6}});
            return at({{"screens", screens}});
        }
        case 3:
            return at({{"ui", {{"screen", "Scroll"}, {"action", kTabs[pick(6)]}}}});
        case 4:
            return at({{"ui", {{"screen", "Grab"}, {"action", "removeGrabNumber:"}}}});
        case 5:
            return at({{"ui", {{"screen", "Auto"}, {"action", "removeAutoScrollNumber:"}}}});
        case 6:
            return at(
                {{"ui", {{"screen", "Auto"}, {"action", "superSlowDown:"}, {"value", pick(11)}}}});
        default: {
            static constexpr std::array<const char*, 3> kCursors = {"arrow", "pointingHand",
                                                                    "iBeam"};
            return at({{"cursor", kCursors[pick(3)]}});
        }
    }
}

json SoakGenerator::next() {
    const int r = pick(1000);
    if (r < 450) return move();
    if (r < 620) return press();
    if (r < 790) {
        if (buttons_.empty()) return press();
        auto b = buttons_.begin();
        std::advance(b, pick(static_cast<int>(buttons_.size())));
        return release(*b);
    }
    if (r < 900) return wheel();
    if (r < 960) return key();
    if (r < 970) {
        // A modifier key held or let go: later events carry it.
        flags_ = kModifiers[pick(static_cast<int>(kModifiers.size()))];
        return at({{"event", {{"type", "flagsChanged"}, {"flags", flags_}}}});
    }
    return screen();
}

std::optional<json> SoakGenerator::nextRelease() {
    flags_ = 0;
    if (!buttons_.empty()) return release(*buttons_.begin());
    if (!keys_.empty()) {
        const int k = *keys_.begin();
        keys_.erase(k);
        return at({{"event", {{"type", "keyUp"}, {"keyCode", k}}}});
    }
    if (clicked_) return std::nullopt;
    clicked_ = true;
    buttons_.insert(0);
    return mouse("leftMouseDown", 0);
}

}  // namespace wexo::soak
