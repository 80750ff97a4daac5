#include "wexo-soak/Soak.h"

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/CompositionRoot.h"
#include "autoscroll/AutoScroll.h"
#include "events/MouseButtonListener.h"
#include "events/MouseMovementListener.h"
#include "platform/sim/SimDesktop.h"
#include "scroll/ScrollAnimation.h"
#include "ui/sim/SimUserInterface.h"
#include "wexo-sim/RunContext.h"
#include "wexo-sim/ScenarioParser.h"
#include "wexo-sim/ScenarioRunner.h"
#include "wexo-sim/StepKinds.h"
#include "wexo-soak/SoakGenerator.h"

namespace wexo::soak {

using nlohmann::json;
using platform::EventType;
namespace records = platform::sim::records;

namespace {

std::int64_t residentKiB() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * 4;
}

// What the applications have seen held, from the events delivered to them.
class Downstream {
  public:
    void see(const platform::Event& e) {
        const auto button = e.integerField(platform::EventField::MouseEventButtonNumber);
        const auto key = e.integerField(platform::EventField::KeyboardEventKeycode);
        switch (e.type()) {
            case EventType::LeftMouseDown:
                buttons_.insert(0);
                break;
            case EventType::RightMouseDown:
            case EventType::OtherMouseDown:
                buttons_.insert(button);
                break;
            case EventType::LeftMouseUp:
                buttons_.erase(0);
                break;
            case EventType::RightMouseUp:
            case EventType::OtherMouseUp:
                buttons_.erase(button);
                break;
            case EventType::KeyDown:
                keys_.insert(key);
                break;
            case EventType::KeyUp:
                keys_.erase(key);
                break;
            default:
                break;
        }
    }
    // Held here but not by the person: "button 3", "key 8".
    std::string strayFrom(const std::set<int>& buttons, const std::set<int>& keys) const {
        for (auto b : buttons_)
            if (!buttons.count(static_cast<int>(b))) return "button " + std::to_string(b);
        for (auto k : keys_)
            if (!keys.count(static_cast<int>(k))) return "key " + std::to_string(k);
        return {};
    }

  private:
    std::set<std::int64_t> buttons_, keys_;
};

class SoakRun {
  public:
    explicit SoakRun(const SoakOptions& options) : options_(options), generator_(options.seed) {
        // The runner builds the desktop exactly as it will for the replay.
        const auto parsed = simrunner::scenarioFromJson(scenarioHead());
        desktop_ = simrunner::buildDesktop(parsed);
        userInterface_.emplace(*desktop_);
        program_.emplace(*desktop_, *userInterface_);
        desktop_->simRunLoop().runWork([&] { program_->launch(); });
    }

    SoakResult run() {
        SoakResult result;
        for (std::int64_t i = 0; i < options_.events && !failure_; ++i) {
            // What the person holds until the step plays.
            held_ = {generator_.heldButtons(), generator_.heldKeys()};
            play(generator_.next());
            if (i == options_.events / 10) result.earlyKiB = residentKiB();
        }
        while (!failure_) {
            held_ = {generator_.heldButtons(), generator_.heldKeys()};
            const auto step = generator_.nextRelease();
            if (!step) break;
            play(*step);
        }
        if (!failure_) {
            rest(SoakGenerator::kRestSeconds);
            checkAtEnd();
        }
        result.finalKiB = residentKiB();
        result.steps = played_;
        result.delivered = delivered_;
        result.failure = failure_;
        if (!failure_) {
            failedAt_ = generated_;
            failedTime_ = desktop_->nowSeconds();
        }
        if (failure_ || options_.keepScenario) result.scenario = replayScenario();
        return result;
    }

  private:
    static json scenarioHead() {
        return {{"defaults", SoakGenerator::defaults()},
                {"desktop", SoakGenerator::desktop()},
                {"steps", json::array()}};
    }

    // The steps are not kept while the soak runs (a million of them would
    // outweigh the program); the seed gives them again, less those that did
    // nothing and the one before which the failure showed.
    json replayScenario() const {
        json scenario = scenarioHead();
        SoakGenerator again(options_.seed);
        std::int64_t index = 0;
        auto take = [&](const json& step) {
            if (index < failedAt_ && !dropped_.count(index)) scenario["steps"].push_back(step);
            ++index;
        };
        for (std::int64_t i = 0; i < options_.events && index < failedAt_; ++i) take(again.next());
        while (index < failedAt_) {
            const auto step = again.nextRelease();
            if (!step) break;
            take(*step);
        }
        scenario["until"] = failedTime_;
        return scenario;
    }

    void play(const json& step) {
        const std::int64_t index = generated_++;
        const std::int64_t at = static_cast<std::int64_t>(step["at"].get<double>() * 1e9 + 0.5);
        const double gap = step["at"].get<double>() - desktop_->nowSeconds();
        desktop_->advanceToInstant(at);
        consumeRecords();
        if (gap >= SoakGenerator::kRestSeconds) checkRested();
        check();
        if (failure_) {
            failedAt_ = index;
            failure_ = *failure_ + ", before " + step.dump();
            return;
        }

        // A step is its time and one member naming what it does.
        auto kind = step.begin();
        if (kind.key() == "at") ++kind;
        const auto play =
            simrunner::stepKinds().at(kind.key())(kind.value(), simrunner::JsonPath{} / kind.key());
        simrunner::RunContext context{*desktop_, *program_, *userInterface_};
        try {
            play(context);
        } catch (const simrunner::RunError&) {
            // A control that is not on screen now: the step did nothing, and
            // the replay leaves it out as well.
            dropped_.insert(index);
            return;
        }
        ++played_;
    }

    void rest(double seconds) {
        desktop_->advanceBySeconds(seconds);
        consumeRecords();
    }

    void consumeRecords() {
        for (const auto& r : desktop_->takeRecords()) {
            if (auto* d = std::get_if<records::Deliver>(&r.what)) {
                downstream_.see(d->event);
                ++delivered_;
            }
            // Well-formed input gives the program nothing to complain of: a
            // warning here (an event impossible in the mouse tap's state,
            // say) is a fault the other invariants may not show.
            if (auto* l = std::get_if<records::LogLine>(&r.what);
                l && l->level >= platform::LogLevel::Warning)
                fail("the program logged \"" + l->message + "\"");
        }
    }

    void fail(const std::string& what) {
        if (failure_) return;
        failedTime_ = desktop_->nowSeconds();
        failedAt_ = generated_;
        failure_ = what + " (at " + std::to_string(failedTime_) + " s, after " +
                   std::to_string(played_) + " steps)";
    }

    void check() {
        if (!desktop_->simProcess().alive()) return fail("the program ended");
        bool mouseTap = false, wheelTap = false;
        for (const auto& t : desktop_->simEventStream().taps()) {
            if (t.mask == MouseButtonListener::kMouseEventMask)
                mouseTap = t.enabled;
            else if (t.enabled && (t.mask & (1ull << 22)) != 0)
                wheelTap = true;
        }
        if (!mouseTap) return fail("the mouse tap is missing or disabled");
        if (ScrollAnimation::shared() && !wheelTap) return fail("the wheel tap is disabled");
        // The grab key (which the Grab screen may capture) follows movement
        // too, while the person holds it.
        const bool grabbing = MouseButtonListener::shared().state() == TapState::Grabbing;
        const bool watching = MouseMovementListener::sharedInstance().isListening();
        if (grabbing && !watching) return fail("a grab runs without its movement watcher");
        if (watching && !grabbing && held_.second.empty())
            return fail("the movement watcher listens with no grab running");
        if (auto stray = downstream_.strayFrom(held_.first, held_.second); !stray.empty())
            return fail("the applications see " + stray + " held that nobody holds");
    }

    // After a rest longer than any animation, with nothing held (a key may
    // be the grab key), only a click-started auto-scroll may still run: it
    // waits for the next press.
    void checkRested() {
        if (!held_.first.empty() || !held_.second.empty()) return;
        const auto& autoScroll = AutoScroll::sharedInstance();
        if (desktop_->simDisplayLinks().runningCount() > 0 && !autoScroll.isScrollingInProgress())
            fail("an animation still runs after its input stopped plus its length");
    }

    void checkAtEnd() {
        check();
        if (failure_) return;
        if (desktop_->simDisplayLinks().runningCount() != 0)
            return fail("a display link still runs at the end");
        if (MouseButtonListener::shared().state() != TapState::Idle)
            return fail("the mouse tap is not idle at the end");
    }

    SoakOptions options_;
    SoakGenerator generator_;
    std::unique_ptr<platform::sim::SimDesktop> desktop_;
    std::optional<ui::sim::SimUserInterface> userInterface_;
    std::optional<CompositionRoot> program_;
    Downstream downstream_;
    std::pair<std::set<int>, std::set<int>> held_;
    std::int64_t generated_ = 0, played_ = 0, delivered_ = 0;
    std::set<std::int64_t> dropped_;
    std::int64_t failedAt_ = 0;
    double failedTime_ = 0;
    std::optional<std::string> failure_;
};

}  // namespace

SoakResult runSoak(const SoakOptions& options) {
    SoakResult result = SoakRun(options).run();
    if (!result.failure && result.earlyKiB > 0 &&
        result.finalKiB - result.earlyKiB > kMemoryGrowthKiB)
        result.failure =
            "resident memory grew by " + std::to_string(result.finalKiB - result.earlyKiB) + " KiB";
    return result;
}

}  // namespace wexo::soak
