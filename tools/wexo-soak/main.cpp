// wexo-soak: seeded random input through the whole program on the simulated
// desktop, with the program's invariants checked after every step.
//
//   wexo-soak [--seed N] [--events N] [--scenario FILE]
//
// Exit status 0 when every invariant held. Otherwise 1: standard error says
// which invariant broke and where, and the scenario that reproduces the run
// up to there goes to FILE (default soak-failure-SEED.json), to be played
// with `wexo-sim run FILE`.

#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/Log.h"
#include "wexo-soak/Soak.h"

int main(int argc, char** argv) {
    wexo::soak::SoakOptions options;
    std::string scenarioFile;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 < argc && a == "--seed") {
            options.seed = std::stoull(argv[++i]);
        } else if (i + 1 < argc && a == "--events") {
            options.events = std::stoll(argv[++i]);
        } else if (i + 1 < argc && a == "--scenario") {
            scenarioFile = argv[++i];
        } else {
            std::cerr << "usage: wexo-soak [--seed N] [--events N] [--scenario FILE]\n";
            return 2;
        }
    }
    if (scenarioFile.empty())
        scenarioFile = "soak-failure-" + std::to_string(options.seed) + ".json";

    wexo::platform::Log::setStandardErrorEnabled(false);
    const auto result = wexo::soak::runSoak(options);
    std::cout << "soak: seed " << options.seed << ", " << result.steps << " steps, resident "
              << result.earlyKiB << " KiB after a tenth, " << result.finalKiB
              << " KiB at the end\n";
    if (!result.failure) {
        std::cout << "soak: every invariant held\n";
        return 0;
    }
    std::cerr << "soak: seed " << options.seed << ": " << *result.failure << "\n";
    if (!result.scenario.is_null()) {
        std::ofstream(scenarioFile) << result.scenario.dump(1) << "\n";
        std::cerr << "soak: the scenario that reproduces it: " << scenarioFile
                  << " (wexo-sim run --trace " << scenarioFile << ")\n";
    }
    return 1;
}
