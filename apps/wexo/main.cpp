// wexo: the mouse utility. This build runs the whole engine on a stream of
// evdev records:
//
//   interception -g DEVICE | wexo --stdio | uinput -d DEVICE -c CAPS.yaml
//
// Exit status: 0 after the input ends or on SIGINT/SIGTERM, 2 for a wrong
// command line, 3 after the panic chord, 1 when it cannot start.

#include <cstdio>
#include <string>
#include <vector>

#include "wexo/Options.h"
#include "wexo/StdioProgram.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string problem;
    const auto options = wexo::app::parseOptions(args, problem);
    if (!options) {
        std::fprintf(stderr, "wexo: %s\n%s", problem.c_str(), wexo::app::usageText().c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(wexo::app::usageText().c_str(), stdout);
        return 0;
    }
    if (options->version) {
        std::printf("wexo %s\n", WEXO_VERSION);
        return 0;
    }
    if (!options->stdio) {
        std::fprintf(stderr,
                     "wexo: only the stream form (--stdio) is built so far; the device mode "
                     "comes with the front end\n%s",
                     wexo::app::usageText().c_str());
        return 2;
    }
    return wexo::app::runStdio(*options);
}
