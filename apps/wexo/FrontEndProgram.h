#pragma once

#include <string>
#include <vector>

#include "wexo/Options.h"

namespace wexo::app {

// Wexo as a person runs it: the status icon and the windows drawn with Qt,
// on the main thread together with the Linux run loop, over the grabbed mice
// (or standard input with `--stdio --front-end`). One per user and display:
// a second one shows the first one's preferences window and ends with 0.
// Answers the exit status.
// `commandLine` is what the program was started with (its name first).
int runFrontEnd(const Options& options, const std::vector<std::string>& commandLine);

}  // namespace wexo::app
