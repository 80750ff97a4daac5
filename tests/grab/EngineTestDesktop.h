#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/CompositionRoot.h"
#include "platform/sim/SimDesktop.h"
#include "settings/SettingsKeeper.h"

namespace wexo::testing {

// A simulated desktop and, once started, the program on it, for the
// movement-driven engines. Whatever must hold before the engines exist
// (threaded display links, a failing link creation) is set up before start().
class EngineTestDesktop : public ::testing::Test {
  protected:
    platform::sim::SimDesktop desktop;
    std::optional<CompositionRoot> root;

    void start() { root.emplace(desktop); }
    SettingsKeeper& settings() { return SettingsKeeper::shared(); }

    // Frame k of the 60 Hz display is due at floor(k * 1e9 / 60) ns.
    static std::int64_t frameTime(std::int64_t k) {
        return platform::sim::SimDisplayLinks::frameTime(k, 60);
    }
    // Runs the next `n` display frames (and what is due before them).
    void runFrames(std::int64_t n) {
        std::int64_t k = 0;
        while (frameTime(k) <= desktop.nowNanos()) ++k;
        desktop.advanceTo(frameTime(k + n - 1));
    }

    // The program's own scroll events delivered since the last call, as (vertical,
    // horizontal) pixel amounts; the engines post nothing else.
    struct Scroll {
        std::int64_t vertical;
        std::int64_t horizontal;
        friend bool operator==(const Scroll&, const Scroll&) = default;
    };
    std::vector<Scroll> takeScrolls() {
        std::vector<Scroll> out;
        const auto records = desktop.records();
        for (std::size_t i = seenRecords_; i < records.size(); ++i) {
            const auto& r = records[i];
            auto* d = std::get_if<platform::sim::records::Deliver>(&r.what);
            if (!d || d->event.type() != platform::EventType::ScrollWheel) continue;
            EXPECT_EQ(d->event.integerField(platform::EventField::EventSourceUserData), -1600);
            EXPECT_EQ(d->event.integerField(platform::EventField::ScrollWheelEventIsContinuous), 1);
            out.push_back(
                {d->event.integerField(platform::EventField::ScrollWheelEventPointDeltaAxis1),
                 d->event.integerField(platform::EventField::ScrollWheelEventPointDeltaAxis2)});
        }
        seenRecords_ = records.size();
        return out;
    }
    std::vector<std::int64_t> takeVertical() {
        std::vector<std::int64_t> out;
        for (const auto& s : takeScrolls()) out.push_back(s.vertical);
        return out;
    }

    std::vector<std::string> loggedErrors() const {
        std::vector<std::string> lines;
        for (const auto& r : desktop.records())
            if (auto* l = std::get_if<platform::sim::records::LogLine>(&r.what))
                if (l->level == platform::LogLevel::Error) lines.push_back(l->message);
        return lines;
    }
    template <class Kind>
    std::size_t countOf() const {
        std::size_t n = 0;
        for (const auto& r : desktop.records())
            if (std::holds_alternative<Kind>(r.what)) ++n;
        return n;
    }

  private:
    std::size_t seenRecords_ = 0;
};

}  // namespace wexo::testing
