// wexo: the mouse utility.
//
//   wexo                  the status icon and windows, on every mouse
//   wexo --headless       the same without the front end
//   interception -g DEVICE | wexo --stdio | uinput -d DEVICE -c CAPS.yaml
//
// Exit status: 0 after the input ends, on SIGINT/SIGTERM or Quit, 2 for a
// wrong command line, 3 after the panic chord, 4 when the X server went away
// (everything held let go first), 1 when it cannot start.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/linux/EvdevDevices.h"
#include "wexo/DeviceListing.h"
#include "wexo/FrontEndProgram.h"
#include "wexo/HeadlessProgram.h"
#include "wexo/Options.h"
#include "wexo/ScreenshotsProgram.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string problem;
    const auto options = wexo::app::parseOptions(args, problem);
    if (!options) {
        std::fprintf(stderr, "wexo: %s (wexo --help lists the options)\n", problem.c_str());
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
    if (options->listDevices) {
        using wexo::platform::lnx::EvdevBackend;
        std::fputs(
            wexo::app::deviceListing(EvdevBackend::listDevices(), EvdevBackend::uinputProblem())
                .c_str(),
            stdout);
        return 0;
    }
    if (!options->screenshots.empty()) return wexo::app::renderScreenshots(*options, argv[0]);
    const std::vector<std::string> commandLine(argv, argv + argc);
    if (options->showsFrontEnd()) return wexo::app::runFrontEnd(*options, commandLine);
    return wexo::app::runHeadless(*options, commandLine);
}
