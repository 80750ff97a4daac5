#include "wexo/HeadlessProgram.h"

#include "actions/DesktopConventions.h"
#include "app/CompositionRoot.h"
#include "platform/Log.h"
#include "wexo/LinuxProgram.h"
#include "wexo/QuietUserInterface.h"

namespace wexo::app {

int runHeadless(const Options& options, const std::vector<std::string>& commandLine) {
    std::vector<std::string> again = commandLine;
    again.front().clear();
    LinuxProgram program(options, blockStopSignals(), again);
    if (!program.mayIntercept()) {
        // Nobody is there to see a permission screen: the log says what is
        // missing, and a service manager may try again later.
        WEXO_LOG_ERROR("Wexo may not read the mice or write /dev/uinput; it stops");
        return 1;
    }
    QuietUserInterface userInterface(program.loop());
    CompositionRoot root(program.platform(), userInterface, DesktopConventions::forLinux());
    root.launch();
    if (!program.start()) return 1;
    const int status = program.loop().run();
    program.finish();
    program.relaunchIfAsked();
    return status;
}

}  // namespace wexo::app
