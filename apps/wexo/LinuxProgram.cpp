#include "wexo/LinuxProgram.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>

#include "platform/FilePreferenceStore.h"
#include "platform/Log.h"
#include "platform/linux/AccessGuide.h"
#include "platform/linux/HeadlessDesktop.h"
#include "platform/linux/StreamDevices.h"
#include "platform/linux/x11/X11Desktop.h"
#include "platform/linux/xdg/XdgLoginItems.h"
#include "ui/Application.h"

namespace wexo::app {

namespace {

namespace lnx = platform::lnx;

// What is still running when the input ends gets this long to finish.
constexpr double kFinishLimitSeconds = 10;
constexpr double kFinishPollSeconds = 0.01;

void reportLatencies(std::vector<double> ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) {
        return ms[std::min(ms.size() - 1,
                           static_cast<std::size_t>(q * static_cast<double>(ms.size())))];
    };
    std::fprintf(stderr, "latency: %zu reports, median %.3f ms, 99th percentile %.3f ms\n",
                 ms.size(), at(0.5), at(0.99));
}

std::unique_ptr<lnx::Desktop> makeDesktop(const Options& options) {
    // The program's own windows are known as its own.
    platform::x11::OwnProcess own;
    own.pid = ::getpid();
    own.identity.identifier = WEXO_BUNDLE_ID;
    own.identity.name = "Wexo";
    own.identity.icon = WEXO_BUNDLE_ID;
    // Without an X server (a console, Wayland without Xwayland) one log line
    // says what needs one.
    if (auto desktop = platform::x11::X11Desktop::openOrExplain({"", std::move(own)}))
        return desktop;
    lnx::HeadlessDesktop::Mode mode;
    if (!options.screen.empty()) mode = *lnx::HeadlessDesktop::parseMode(options.screen);
    return std::make_unique<lnx::HeadlessDesktop>(mode);
}

}  // namespace

int blockStopSignals() {
    // A reader that went away must not kill us before the devices are let go.
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    return signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

LinuxProgram::LinuxProgram(const Options& options, int signalFd, std::vector<std::string> arguments)
    : options_(options), signals_(signalFd) {
    lnx::LinuxPlatform::Parts parts;
    parts.desktop = makeDesktop(options);
    auto process = std::make_unique<platform::xdg::LinuxProcess>(
        entries_,
        platform::xdg::LinuxProcess::Identity{WEXO_BUNDLE_ID, WEXO_VERSION, std::move(arguments)});
    process_ = process.get();
    parts.process = std::move(process);
    parts.loginItems = std::make_unique<platform::xdg::XdgLoginItems>(
        entries_, platform::xdg::XdgLoginItems::Directories::fromEnvironment());
    parts.preferences = std::make_unique<platform::FilePreferenceStore>(WEXO_BUNDLE_ID);
    parts.measureLatency = options.measureLatency;
    if (options.stdio) {
        parts.devices = std::make_unique<lnx::StreamBackend>(STDIN_FILENO, STDOUT_FILENO);
        // Standard input and output are the devices: nothing to be granted.
        parts.trusted = [] { return true; };
    } else {
        std::optional<std::string> only;
        if (!options.device.empty()) only = options.device;
        parts.devices = std::make_unique<lnx::EvdevBackend>(only);
        access_ = std::make_shared<lnx::DeviceAccess>(only);
        parts.trusted = [access = access_] { return access->granted(); };
        parts.trustGuide = [only]() -> std::optional<platform::TrustGuide> {
            return lnx::AccessGuide::forDevices(only);
        };
    }
    platform_ = std::make_unique<lnx::LinuxPlatform>(std::move(parts));
    // Quitting ends the loops; ending at once (the permission screen's
    // close button, a restart) first lets go of the devices.
    process_->setTerminateHandler([this] { loop().quit(0); });
    process_->setBeforeExit([this] { platform_->linuxEventStream().stop(); });
    if (options.trace) {
        trace_ = std::make_unique<TraceWriter>(loop(), stderr);
        traceInstallation_ = std::make_unique<SharedInstallation<DecisionTracer>>(trace_.get());
    }
}

LinuxProgram::~LinuxProgram() {
    finish();
    signalWatch_.reset();
    if (signals_ >= 0) ::close(signals_);
}

bool LinuxProgram::mayIntercept() {
    return !access_ || access_->granted();
}

bool LinuxProgram::start() {
    lnx::LinuxRunLoop& loop = this->loop();
    lnx::LinuxEventStream& stream = platform_->linuxEventStream();
    stream.setListener(lnx::LinuxEventStream::Listener{
        [this, &loop, &stream] {
            // The end of input: what is running (a scroll animation) runs
            // to its end, then everything held is released.
            const double deadline = loop.now() + kFinishLimitSeconds;
            finishing_ = loop.schedule(
                kFinishPollSeconds, kFinishPollSeconds, [this, &loop, &stream, deadline] {
                    if (platform_->linuxDisplayLinks().runningCount() > 0 && loop.now() < deadline)
                        return;
                    finishing_->invalidate();
                    stream.releaseAll();
                    loop.quit(0);
                });
        },
        [&loop, &stream](const char*) {
            stream.stop();
            loop.quit(3);
        }});
    if (signals_ >= 0) {
        signalWatch_ = loop.watchReadable(signals_, [this, &loop, &stream] {
            signalfd_siginfo info{};
            if (::read(signals_, &info, sizeof info) != sizeof info) return;
            WEXO_LOG_INFO("Stopping on signal %u", info.ssi_signo);
            stream.stop();
            loop.quit(0);
        });
    }
    // A display added, removed or changed is the application's news, as
    // the system's screen-parameters notification would be.
    screenChanges_ = platform_->desktop().observeScreenChanges([] {
        if (auto* application = ui::Application::shared()) application->screenParametersDidChange();
    });
    // Without access the devices stay untouched; the permission screen
    // (or the log) says what is missing.
    if (!mayIntercept()) return true;
    if (!stream.start()) {
        WEXO_LOG_ERROR(options_.stdio ? "Nothing to read on standard input"
                                      : "No mouse to read, and no way to hear of new ones");
        return false;
    }
    return true;
}

void LinuxProgram::relaunchIfAsked() {
    if (process_->relaunchPending()) process_->execRelaunch();
}

void LinuxProgram::finish() {
    if (finished_) return;
    finished_ = true;
    screenChanges_.reset();
    platform_->linuxEventStream().stop();
    if (finishing_) finishing_->invalidate();
    if (options_.measureLatency) reportLatencies(platform_->linuxEventStream().latencies());
}

}  // namespace wexo::app
