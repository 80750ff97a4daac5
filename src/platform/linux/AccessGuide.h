#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Accessibility.h"

namespace wexo::platform::lnx {

// The permission screen's text on Linux: which devices Wexo cannot open,
// the udev rule that lets the person at the seat open the mice and
// /dev/uinput, and the command that installs it and has udev apply it.
class AccessGuide {
  public:
    static constexpr const char* kRuleName = "70-wexo.rules";

    // Where udev reads the rule when the package installed it, and where a
    // person installs it by hand.
    static constexpr const char* kPackageRulePath = "/usr/lib/udev/rules.d/70-wexo.rules";
    static constexpr const char* kLocalRulePath = "/etc/udev/rules.d/70-wexo.rules";

    // `missing`: what cannot be opened. `ruleCandidates`: where a copy of the
    // rule may be found, in order (the installed ones first).
    static TrustGuide make(std::vector<std::string> missing,
                           const std::vector<std::string>& ruleCandidates);
    // The rule's copies this program may find: udev's folders, the
    // program's own installation prefix, the source tree it was built from.
    static std::vector<std::string> ruleCandidates();
    // For the devices this run reads (all mice, or the one named).
    static TrustGuide forDevices(const std::optional<std::string>& onlyNode);
};

}  // namespace wexo::platform::lnx
