#include "platform/linux/AccessGuide.h"

#include <filesystem>
#include <system_error>

#include "platform/linux/EvdevDevices.h"

namespace wexo::platform::lnx {

namespace {
namespace fs = std::filesystem;

bool readsRulesThere(const std::string& path) {
    const std::string folder = fs::path(path).parent_path().string();
    return folder == "/usr/lib/udev/rules.d" || folder == "/lib/udev/rules.d" ||
           folder == "/etc/udev/rules.d";
}

// udev applies the rule to the devices there are, uinput appears if its
// module was not loaded.
constexpr const char* kApply =
    "sudo modprobe uinput && sudo udevadm control --reload && "
    "sudo udevadm trigger --subsystem-match=input --subsystem-match=misc";
}  // namespace

TrustGuide AccessGuide::make(std::vector<std::string> missing,
                             const std::vector<std::string>& ruleCandidates) {
    TrustGuide guide;
    guide.missing = std::move(missing);
    std::string found;
    for (const std::string& candidate : ruleCandidates) {
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec)) {
            found = candidate;
            break;
        }
    }
    guide.explanation =
        "Wexo reads your mice and writes what they do through /dev/uinput. Its udev rule, " +
        std::string(kRuleName) +
        ", lets the person at the computer open the mice and /dev/uinput (never the "
        "keyboards). ";
    if (found.empty()) {
        guide.explanation += "The Wexo package installs it as " + std::string(kPackageRulePath) +
                             "; install the package, or copy the rule from Wexo's sources to " +
                             kLocalRulePath + ", then run:";
        guide.command = kApply;
    } else if (readsRulesThere(found)) {
        guide.explanation += "It is installed as " + found + "; to have udev apply it, run:";
        guide.command = kApply;
    } else {
        guide.explanation +=
            "To install it as " + std::string(kLocalRulePath) + " and have udev apply it, run:";
        guide.command = "sudo install -m 644 " + found + " " + kLocalRulePath + " && " + kApply;
    }
    guide.afterwards =
        "If Wexo still cannot open them, log out and in again. Wexo checks every second and "
        "starts by itself as soon as it can.";
    return guide;
}

std::vector<std::string> AccessGuide::ruleCandidates() {
    std::vector<std::string> candidates{kLocalRulePath, kPackageRulePath,
                                        std::string("/lib/udev/rules.d/") + kRuleName};
    // An installation under another prefix (/usr/local/bin/wexo beside
    // /usr/local/lib/udev/rules.d).
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        candidates.push_back(
            (exe.parent_path().parent_path() / "lib/udev/rules.d" / kRuleName).string());
#ifdef WEXO_SOURCE_DATA_DIR
    candidates.push_back(std::string(WEXO_SOURCE_DATA_DIR) + "/" + kRuleName);
#endif
    return candidates;
}

TrustGuide AccessGuide::forDevices(const std::optional<std::string>& onlyNode) {
    return make(EvdevBackend::unopenable(onlyNode), ruleCandidates());
}

}  // namespace wexo::platform::lnx
