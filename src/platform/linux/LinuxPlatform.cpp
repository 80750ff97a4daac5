#include "platform/linux/LinuxPlatform.h"

#include <cmath>

#include "platform/Log.h"

namespace wexo::platform::lnx {

LinuxPlatform::LinuxPlatform(Parts parts)
    : preferences_(std::move(parts.preferences)),
      desktop_(std::move(parts.desktop)),
      devices_(std::move(parts.devices)),
      trusted_(std::move(parts.trusted)),
      loginItems_(std::move(parts.loginItems)),
      process_(std::move(parts.process)) {
    auto trusted = [this] { return !trusted_ || trusted_(); };
    stream_ = std::make_unique<LinuxEventStream>(
        loop_, *desktop_, *devices_,
        LinuxEventStream::Options{parts.settleTimeout, trusted, parts.measureLatency});
    // Events posted while a callback runs enter once it is over.
    loop_.setAfterWork([this] { stream_->chain().drain(); });
    Desktop* desktop = desktop_.get();
    displayLinks_ = std::make_unique<LinuxDisplayLinks>(
        desktop_->screens(), [desktop](DisplayId d) { return desktop->refreshRate(d); });
    hid_ = std::make_unique<LinuxHidSystem>(stream_->outputs(), *desktop_);
    accessibility_ =
        std::make_unique<LinuxAccessibility>(*desktop_, trusted, std::move(parts.trustGuide));
    if (!loginItems_) loginItems_ = std::make_unique<NoLoginItems>();
    if (!process_) process_ = std::make_unique<LoopProcess>(loop_);

    if (auto stored = preferences_->objectForKey(kPixelsPerNotchKey)) {
        const auto pixels = stored->asReal();
        if (pixels && std::isfinite(*pixels) && *pixels >= 1 && *pixels <= 1000) {
            stream_->outputs().setPixelsPerNotch(*pixels);
        } else {
            stream_->outputs().setPixelsPerNotch(
                pixels && std::isfinite(*pixels) ? *pixels : OutputDevices::kDefaultPixelsPerNotch);
            WEXO_LOG_ERROR("\"%s\" is not a number from 1 to 1000; %g is used", kPixelsPerNotchKey,
                           stream_->outputs().pixelsPerNotch());
        }
    }
    // Posted, not done at once: the desktop finds the loss inside a call to
    // its server, which may be in the middle of handling an event.
    desktop_->setServerLost([this] {
        loop_.postToMain([this] {
            stream_->stop();
            loop_.quit(kServerLostStatus);
        });
    });
    desktop_->attach(loop_, loop_);
}

LinuxPlatform::~LinuxPlatform() {
    // The links call into the program; they stop before anything goes.
    displayLinks_->shutDown();
    stream_->stop();
    loop_.setAfterWork(nullptr);
}

}  // namespace wexo::platform::lnx
