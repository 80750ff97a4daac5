#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace wexo::soak {

struct SoakOptions {
    std::uint64_t seed = 1;
    std::int64_t events = 1'000'000;
    // Keep the scenario of a run that held up too (to check that the replay
    // gives what the soak saw).
    bool keepScenario = false;
};

struct SoakResult {
    // Steps the program got (events, screen changes, the closing releases).
    std::int64_t steps = 0;
    // Events the applications received.
    std::int64_t delivered = 0;
    // Set when an invariant broke: which, and at which step.
    std::optional<std::string> failure;
    // The scenario that reproduces the run up to where it failed, in the
    // runner's form (wexo-sim run FILE); kept for a failed run, or when asked.
    nlohmann::json scenario;
    // Resident memory at the end of the first tenth and at the end.
    std::int64_t earlyKiB = 0, finalKiB = 0;
};

// Plays seeded random input through the whole program on the simulated
// desktop and checks after every step:
// - the mouse tap and the wheel tap are enabled;
// - a grab runs exactly while the movement watcher listens;
// - every button and key the applications see held is one the person holds
//   (what the program posts, it releases in the same breath);
// - after a rest longer than any animation, nothing animates but an
//   auto-scroll a click started;
// - nothing logs a warning or an error;
// and at the end, once everything is let go and the rest has passed: no
// button or key held, no display link running, the mouse tap idle, and the
// resident memory no more than kMemoryGrowthKiB above the first tenth's.
SoakResult runSoak(const SoakOptions& options);

inline constexpr std::int64_t kMemoryGrowthKiB = 64 * 1024;

}  // namespace wexo::soak
