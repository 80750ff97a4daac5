#include "wexo/DeviceListing.h"

#include <algorithm>

namespace wexo::app {

namespace {
std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text + "  ";
}
}  // namespace

std::string deviceListing(const std::vector<platform::lnx::EvdevBackend::DeviceInfo>& devices,
                          const std::string& uinputProblem) {
    std::size_t nodeWidth = std::string("/dev/uinput").size();
    for (const auto& d : devices) nodeWidth = std::max(nodeWidth, d.node.size());
    std::string text;
    bool missing = !uinputProblem.empty();
    if (devices.empty()) text += "No input device (nothing under /dev/input)\n";
    for (const auto& d : devices) {
        text += padded(d.node, nodeWidth) + padded(d.mouse ? "mouse" : "not a mouse", 11);
        text += padded(d.problem.empty() ? "can open" : "cannot open: " + d.problem, 0);
        text += d.name.empty() ? "(no name)" : d.name;
        text += "\n";
        missing = missing || (d.mouse && !d.problem.empty());
    }
    text += padded("/dev/uinput", nodeWidth) + padded("output", 11) +
            (uinputProblem.empty() ? "can write" : "cannot write: " + uinputProblem) + "\n";
    if (missing)
        text +=
            "Wexo needs to open the mice and write /dev/uinput: install the udev rule "
            "70-wexo.rules (wexo opens a window that shows how), then log out and in again.\n";
    return text;
}

}  // namespace wexo::app
