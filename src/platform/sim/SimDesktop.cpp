#include "platform/sim/SimDesktop.h"

#include <algorithm>
#include <string>

#include "platform/MemoryPreferenceStore.h"

namespace wexo::platform::sim {

SimDesktop::SimDesktop()
    : SimDesktop(std::make_unique<MemoryPreferenceStore>(SimProcess::builtBundleIdentifier())) {}

SimDesktop::SimDesktop(std::unique_ptr<PreferenceStore> preferences)
    : recorder_(clock_),
      process_(recorder_),
      runLoop_(clock_, process_),
      workspace_(runLoop_, recorder_, process_),
      windows_(workspace_),
      hotKeys_(runLoop_, process_),
      mainWork_(runLoop_, process_),
      keyMonitors_(mainWork_),
      stream_(SimEventStream::Services{clock_, runLoop_, recorder_, process_, accessibility_,
                                       windows_, workspace_, hotKeys_, keyMonitors_}),
      displayLinks_(clock_, runLoop_, screens_, process_),
      cursor_(recorder_, workspace_),
      hid_(recorder_),
      dock_(recorder_),
      loginItems_(recorder_),
      preferences_(std::move(preferences)) {
    runLoop_.setAfterWork([this] { stream_.drain(); });
    const Rect main = screens_.displayBounds(screens_.mainDisplayId());
    stream_.setPointer(
        Point{main.origin.x + main.size.width / 2, main.origin.y + main.size.height / 2});
    logSink_ = Log::addSink([this](LogLevel level, std::string_view message) {
        recorder_.record(records::LogLine{level, std::string(message)});
    });
}

SimDesktop::~SimDesktop() {
    Log::removeSink(logSink_);
    displayLinks_.shutDown();
    runLoop_.setAfterWork(nullptr);
}

bool SimDesktop::runNextInstant(std::int64_t limit, bool inclusive) {
    std::optional<std::int64_t> next = runLoop_.nextDue();
    if (auto frame = displayLinks_.nextFrame(); frame && (!next || *frame < *next)) next = frame;
    if (!next || *next > limit || (!inclusive && *next == limit)) return false;
    clock_.advanceTo(*next);
    runLoop_.fireDue();
    displayLinks_.fireFrames();
    return true;
}

void SimDesktop::advanceTo(std::int64_t ns) {
    stream_.drain();
    while (runNextInstant(ns, /*inclusive=*/true)) {
    }
    clock_.advanceTo(ns);
}

void SimDesktop::advanceToInstant(std::int64_t ns) {
    stream_.drain();
    while (runNextInstant(ns, /*inclusive=*/false)) {
    }
    clock_.advanceTo(ns);
}

bool SimDesktop::pump() {
    return runLoop_.drainInbox();
}

void SimDesktop::runFor(double realSeconds) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const std::int64_t virtualStart = clock_.nanos();
    const auto length = std::chrono::duration<double>(std::max(0.0, realSeconds));
    for (;;) {
        const auto elapsed = Clock::now() - start;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count();
        pump();
        advanceTo(virtualStart + ns);
        if (elapsed >= length) break;
        runLoop_.waitForInbox(std::chrono::milliseconds(1));
    }
    pump();
}

}  // namespace wexo::platform::sim
