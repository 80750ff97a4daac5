#pragma once

#include <iosfwd>
#include <memory>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/sim/SimDesktop.h"
#include "wexo-sim/Scenario.h"

namespace wexo::simrunner {

// How a scenario is played.
struct RunOptions {
    // Adds a "decision" record for every verdict of the program's taps.
    bool trace = false;
};

// Plays a scenario: builds the simulated desktop it describes, launches the
// program on it (the application with its user interface), plays the steps
// in virtual time up to "until" and answers the records, ascending in time,
// ending with the "defaults" record. Throws RunError when a step cannot be
// played as written.
std::vector<nlohmann::ordered_json> playScenario(const Scenario& scenario,
                                                 const RunOptions& options = {});

// The desktop a scenario starts on, with its preference domain.
std::unique_ptr<platform::sim::SimDesktop> buildDesktop(const Scenario& scenario);

// The whole of `wexo-sim run`: reads the scenario text, writes one JSON
// record per line to `out`, and answers the exit status: 0, or 2 for a
// malformed scenario (with one line on `err` naming where it is wrong).
int runScenarioText(std::string_view text, std::ostream& out, std::ostream& err,
                    const RunOptions& options = {});

}  // namespace wexo::simrunner
