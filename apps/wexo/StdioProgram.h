#pragma once

#include "wexo/Options.h"

namespace wexo::app {

// `wexo --stdio`: the whole engine on the headless desktop, reading records
// from standard input and writing records to standard output, with the
// preference domain the program always uses. Answers the exit status: 0
// after the end of input (or SIGINT/SIGTERM), 3 after the panic chord, 1
// when it cannot start.
int runStdio(const Options& options);

}  // namespace wexo::app
