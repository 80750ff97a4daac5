#pragma once

#include <cstdint>
#include <memory>

#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"

namespace wexo::bench {

// The simulated desktop with an event stream that counts what is posted and
// drops it, so that a frame benchmark measures the engine's own work rather
// than the desktop's delivery and record of each event.
class DiscardingPlatform : public platform::Platform {
  public:
    class Stream : public platform::EventStream {
      public:
        explicit Stream(platform::EventStream& real) : real_(real) {}
        std::unique_ptr<platform::EventTap> createTap(platform::TapLocation location,
                                                      platform::TapPlacement placement,
                                                      platform::TapOption option,
                                                      std::uint64_t mask,
                                                      platform::TapCallback callback) override {
            return real_.createTap(location, placement, option, mask, std::move(callback));
        }
        void post(platform::TapLocation, const platform::Event&) override { ++posted; }
        platform::Point pointerLocation() const override { return real_.pointerLocation(); }
        std::int64_t posted = 0;

      private:
        platform::EventStream& real_;
    };

    explicit DiscardingPlatform(platform::sim::SimDesktop& desktop)
        : d_(desktop), stream_(desktop.eventStream()) {}

    platform::EventStream& eventStream() override { return stream_; }
    platform::RunLoop& runLoop() override { return d_.runLoop(); }
    platform::DisplayLinks& displayLinks() override { return d_.displayLinks(); }
    platform::Screens& screens() override { return d_.screens(); }
    platform::WindowList& windowList() override { return d_.windowList(); }
    platform::Workspace& workspace() override { return d_.workspace(); }
    platform::Accessibility& accessibility() override { return d_.accessibility(); }
    platform::HotKeys& hotKeys() override { return d_.hotKeys(); }
    platform::KeyMonitors& keyMonitors() override { return d_.keyMonitors(); }
    platform::Cursor& cursor() override { return d_.cursor(); }
    platform::HidSystem& hidSystem() override { return d_.hidSystem(); }
    platform::Dock& dock() override { return d_.dock(); }
    platform::LoginItems& loginItems() override { return d_.loginItems(); }
    platform::Process& process() override { return d_.process(); }
    platform::PreferenceStore& preferences() override { return d_.preferences(); }

    std::int64_t posted() const { return stream_.posted; }

  private:
    platform::sim::SimDesktop& d_;
    Stream stream_;
};

}  // namespace wexo::bench
