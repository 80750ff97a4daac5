#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/CompositionRoot.h"
#include "platform/sim/SimDesktop.h"

namespace wexo::testing {

using platform::Event;
using platform::EventField;
using platform::EventType;
using platform::Point;
namespace records = platform::sim::records;

// A key event as the applications received it.
struct KeyPost {
    EventType type;
    std::int64_t keyCode;
    std::uint64_t flags;
    friend bool operator==(const KeyPost&, const KeyPost&) = default;
    friend std::ostream& operator<<(std::ostream& os, const KeyPost& k) {
        return os << (k.type == EventType::KeyDown ? "down " : "up ") << k.keyCode << " flags 0x"
                  << std::hex << k.flags << std::dec;
    }
};
inline KeyPost down(std::int64_t key, std::uint64_t flags = 0) {
    return {EventType::KeyDown, key, flags};
}
inline KeyPost up(std::int64_t key, std::uint64_t flags = 0) {
    return {EventType::KeyUp, key, flags};
}

// A mouse event as the applications received it.
struct MousePost {
    EventType type;
    Point at;
    std::int64_t button = 0;
    std::int64_t clickState = 0;
    std::int64_t userData = 0;
    std::uint64_t flags = 0;
    friend bool operator==(const MousePost&, const MousePost&) = default;
    friend std::ostream& operator<<(std::ostream& os, const MousePost& m) {
        return os << "type " << static_cast<int>(m.type) << " at {" << m.at.x << ", " << m.at.y
                  << "} button " << m.button << " clickState " << m.clickState << " userData "
                  << m.userData << " flags 0x" << std::hex << m.flags << std::dec;
    }
};

// The program started on a fresh desktop (one 1920 x 1080 screen) with the
// pointer at (300, 200) and Safari in front.
class ActionTestDesktop : public ::testing::Test {
  protected:
    static constexpr Point kPointer{300, 200};

    ActionTestDesktop() {
        platform::RunningApplication safari;
        safari.pid = 501;
        safari.bundleIdentifier = "com.apple.Safari";
        desktop.simWorkspace().setApplications({safari});
        desktop.simWorkspace().setFrontmost(501);
        desktop.simEventStream().setPointer(kPointer);
        root = std::make_unique<CompositionRoot>(desktop);
        desktop.clearRecords();
    }

    std::vector<Event> delivered() const {
        std::vector<Event> out;
        for (const auto& r : desktop.records())
            if (auto* d = std::get_if<records::Deliver>(&r.what)) out.push_back(d->event);
        return out;
    }
    std::vector<KeyPost> keyPosts() const {
        std::vector<KeyPost> out;
        for (const Event& e : delivered())
            out.push_back({e.type(), e.integerField(EventField::KeyboardEventKeycode), e.flags()});
        return out;
    }
    std::vector<MousePost> mousePosts() const {
        std::vector<MousePost> out;
        for (const Event& e : delivered())
            out.push_back({e.type(), e.location(),
                           e.integerField(EventField::MouseEventButtonNumber),
                           e.integerField(EventField::MouseEventClickState),
                           e.integerField(EventField::EventSourceUserData), e.flags()});
        return out;
    }
    template <class Kind>
    std::vector<Kind> recordsOf() const {
        std::vector<Kind> out;
        for (const auto& r : desktop.records())
            if (auto* k = std::get_if<Kind>(&r.what)) out.push_back(*k);
        return out;
    }
    std::vector<std::string> loggedLines() const {
        std::vector<std::string> out;
        for (const auto& line : recordsOf<records::LogLine>()) out.push_back(line.message);
        return out;
    }

    platform::sim::SimDesktop desktop;
    std::unique_ptr<CompositionRoot> root;
};

}  // namespace wexo::testing
