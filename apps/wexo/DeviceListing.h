#pragma once

#include <string>
#include <vector>

#include "platform/linux/EvdevDevices.h"

namespace wexo::app {

// `wexo --list-devices`: one line per input device (its node, whether it is
// a mouse Wexo would grab, whether Wexo can open it, its name), then
// /dev/uinput, and what to do when something cannot be opened.
std::string deviceListing(const std::vector<platform::lnx::EvdevBackend::DeviceInfo>& devices,
                          const std::string& uinputProblem);

}  // namespace wexo::app
