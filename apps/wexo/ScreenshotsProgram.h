#pragma once

#include "wexo/Options.h"

namespace wexo::app {

// `wexo --screenshots DIR [--dark]`: a picture of every screen, drawn as a
// person sees them, from a sample set of preferences on a simulated desktop
// (so every picture is the same on every machine, with or without a
// display). 0 when every picture was written.
int renderScreenshots(const Options& options, const char* programName);

}  // namespace wexo::app
