// wexo-sim: plays a scenario on the simulated desktop and prints what
// happened, one JSON record per line.
//
//   wexo-sim run [--trace] FILE     (FILE "-" reads standard input)
//
// Exit status: 0 after a run, 2 for a malformed scenario or a wrong command
// line (one line on standard error says what and where), 1 if the run
// itself failed.

#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Log.h"
#include "wexo-sim/ScenarioRunner.h"

namespace {

constexpr const char* kUsage = "usage: wexo-sim run [--trace] FILE|-";

int usage(const std::string& problem) {
    std::cerr << "wexo-sim: " << problem << "\n" << kUsage << "\n";
    return 2;
}

struct Options {
    std::string file;
    wexo::simrunner::RunOptions run;
};

// --trace adds the decisions of the taps; any other option is refused.
bool parseRunArguments(const std::vector<std::string>& args, Options& options,
                       std::string& problem) {
    for (const auto& a : args) {
        if (a == "--trace") {
            options.run.trace = true;
            continue;
        }
        if (a.size() > 1 && a[0] == '-' && a != "-") {
            problem = "unknown option " + a;
            return false;
        }
        if (!options.file.empty()) {
            problem = "one scenario at a time";
            return false;
        }
        options.file = a;
    }
    if (options.file.empty()) {
        problem = "no scenario given";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] != "run")
        return usage(args.empty() ? "no command" : "unknown command " + args[0]);
    Options options;
    std::string problem;
    if (!parseRunArguments({args.begin() + 1, args.end()}, options, problem)) return usage(problem);

    std::string text;
    if (options.file == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream in(options.file, std::ios::binary);
        if (!in) {
            std::cerr << "wexo-sim: cannot read " << options.file << "\n";
            return 2;
        }
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The run's log lines are records of their own; standard error stays for
    // the runner's complaints.
    wexo::platform::Log::setStandardErrorEnabled(false);
    try {
        return wexo::simrunner::runScenarioText(text, std::cout, std::cerr, options.run);
    } catch (const std::exception& e) {
        std::cerr << "wexo-sim: the run failed: " << e.what() << "\n";
        return 1;
    }
}
