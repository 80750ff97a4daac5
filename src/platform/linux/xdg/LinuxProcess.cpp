#include "platform/linux/xdg/LinuxProcess.h"

#include <glib.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

#include "platform/Log.h"
#include "platform/linux/xdg/GioPointers.h"

namespace wexo::platform::xdg {

LinuxProcess::LinuxProcess(DesktopEntries& entries, Identity identity)
    : entries_(entries), identity_(std::move(identity)) {}

std::string LinuxProcess::selfExecutable() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string LinuxProcess::bundlePath() const {
    if (auto installed = entries_.byId(identity_.bundleIdentifier)) return installed->path;
    return commandLine().front();
}

std::optional<std::string> LinuxProcess::applicationSupportDirectory() const {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && std::filesystem::path(data).is_absolute()) return std::string(data);
    const char* home = std::getenv("HOME");
    if (home && *home) return (std::filesystem::path(home) / ".local" / "share").string();
    return std::nullopt;
}

std::vector<std::string> LinuxProcess::commandLine() const {
    std::vector<std::string> argv = identity_.arguments;
    if (argv.empty()) argv.emplace_back();
    if (argv.front().empty()) argv.front() = selfExecutable();
    return argv;
}

void LinuxProcess::launchNewInstance(double delaySeconds) {
    if (!std::isfinite(delaySeconds) || delaySeconds <= 0) {
        relaunchPending_ = true;
        return;
    }
    // The shell sleeps on its own, detached from this process (GLib's
    // spawn leaves no child of ours behind), and then becomes the program.
    std::vector<std::string> argv{"/bin/sh", "-c", "sleep \"$0\"; exec \"$@\"",
                                  objcFormat("%.3f", delaySeconds)};
    for (const auto& a : commandLine()) argv.push_back(a);
    std::vector<char*> raw;
    for (auto& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    GError* error = nullptr;
    if (!g_spawn_async(nullptr, raw.data(), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr,
                       &error)) {
        GErrorPtr owned(error);
        WEXO_LOG_ERROR("Cannot start a new instance: %@", owned->message);
        return;
    }
    WEXO_LOG_INFO("run command: %@", argv[2]);
}

void LinuxProcess::terminate() {
    if (terminate_) return terminate_();
    exit(0);
}

void LinuxProcess::execRelaunch() {
    auto argv = commandLine();
    std::vector<char*> raw;
    for (auto& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    std::fflush(nullptr);
    ::execv(raw.front(), raw.data());
    WEXO_LOG_ERROR("Cannot relaunch %@: %@", argv.front(), std::strerror(errno));
}

void LinuxProcess::exit(int status) {
    if (auto hook = std::exchange(beforeExit_, nullptr)) hook();
    if (relaunchPending_) execRelaunch();
    std::fflush(nullptr);
    // At once: the other threads (the device reader, display links) are
    // still running, and the static destructors of a normal exit would pull
    // their objects away under them.
    std::_Exit(status);
}

}  // namespace wexo::platform::xdg
