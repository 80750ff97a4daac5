#include "wexo/StdioProgram.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>

#include "app/CompositionRoot.h"
#include "platform/FilePreferenceStore.h"
#include "platform/Log.h"
#include "platform/Shared.h"
#include "platform/linux/HeadlessDesktop.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/StreamDevices.h"
#include "wexo/QuietUserInterface.h"
#include "wexo/TraceWriter.h"

namespace wexo::app {

namespace {

namespace lnx = platform::lnx;

// What is still running when the input ends gets this long to finish.
constexpr double kFinishLimitSeconds = 10;
constexpr double kFinishPollSeconds = 0.01;

// SIGINT and SIGTERM arrive as a readable descriptor on the main loop, so
// stopping runs like any other work there.
int blockStopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    return signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

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

}  // namespace

int runStdio(const Options& options) {
    // A reader that went away must not kill us before the devices are let go.
    std::signal(SIGPIPE, SIG_IGN);
    const int signals = blockStopSignals();

    lnx::HeadlessDesktop::Mode mode;
    if (!options.screen.empty()) mode = *lnx::HeadlessDesktop::parseMode(options.screen);

    lnx::LinuxPlatform::Parts parts;
    parts.desktop = std::make_unique<lnx::HeadlessDesktop>(mode);
    parts.devices = std::make_unique<lnx::StreamBackend>(STDIN_FILENO, STDOUT_FILENO);
    parts.preferences = std::make_unique<platform::FilePreferenceStore>(WEXO_BUNDLE_ID);
    // Standard input and output are the devices: nothing to be granted.
    parts.trusted = [] { return true; };
    parts.measureLatency = options.measureLatency;
    lnx::LinuxPlatform platform(std::move(parts));
    lnx::LinuxRunLoop& loop = platform.linuxRunLoop();
    lnx::LinuxEventStream& stream = platform.linuxEventStream();

    std::unique_ptr<TraceWriter> trace;
    std::unique_ptr<SharedInstallation<DecisionTracer>> traceInstallation;
    if (options.trace) {
        trace = std::make_unique<TraceWriter>(loop, stderr);
        traceInstallation = std::make_unique<SharedInstallation<DecisionTracer>>(trace.get());
    }

    QuietUserInterface userInterface(loop);
    CompositionRoot program(platform, userInterface);
    program.launch();

    std::shared_ptr<platform::Timer> finishing;
    stream.setListener(lnx::LinuxEventStream::Listener{
        [&] {
            // The end of input: what is running (a scroll animation) runs
            // to its end, then everything held is released.
            const double deadline = loop.now() + kFinishLimitSeconds;
            finishing = loop.schedule(kFinishPollSeconds, kFinishPollSeconds, [&, deadline] {
                if (platform.linuxDisplayLinks().runningCount() > 0 && loop.now() < deadline)
                    return;
                finishing->invalidate();
                stream.releaseAll();
                loop.quit(0);
            });
        },
        [&](const char*) {
            stream.stop();
            loop.quit(3);
        }});

    platform::Subscription signalWatch;
    if (signals >= 0) {
        signalWatch = loop.watchReadable(signals, [&] {
            signalfd_siginfo info{};
            if (::read(signals, &info, sizeof info) != sizeof info) return;
            WEXO_LOG_INFO("Stopping on signal %u", info.ssi_signo);
            stream.stop();
            loop.quit(0);
        });
    }

    if (!stream.start()) {
        WEXO_LOG_ERROR("Nothing to read on standard input");
        return 1;
    }
    const int status = loop.run();
    stream.stop();
    signalWatch.reset();
    if (signals >= 0) ::close(signals);
    if (options.measureLatency) reportLatencies(stream.latencies());
    return status;
}

}  // namespace wexo::app
