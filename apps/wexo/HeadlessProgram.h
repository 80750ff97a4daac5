#pragma once

#include <string>
#include <vector>

#include "wexo/Options.h"

namespace wexo::app {

// The whole engine without the front end: on the grabbed mice
// (`--headless`, `--device`) or between standard input and output
// (`--stdio`), with the preference domain the program always uses. Answers
// the exit status: 0 after the end of input (or SIGINT/SIGTERM), 3 after the
// panic chord, 1 when it cannot start (nothing to read, or no access to the
// devices: the log says what is missing).
// `commandLine` is what the program was started with, for starting again.
int runHeadless(const Options& options, const std::vector<std::string>& commandLine);

}  // namespace wexo::app
