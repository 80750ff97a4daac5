#pragma once

#include <cstdint>
#include <memory>

#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"

namespace wexo::testing {

// A simulated desktop whose event stream keeps what the program posts
// instead of letting it enter the stream: everything else is the desktop's.
// Measurements of the scroll engine (its speed, its allocations) then see the
// engine's own work, not the desktop delivering the result.
class QuietPostPlatform : public platform::Platform {
  public:
    class Stream : public platform::EventStream {
      public:
        explicit Stream(platform::EventStream& inner) : inner_(inner) {}
        std::unique_ptr<platform::EventTap> createTap(platform::TapLocation location,
                                                      platform::TapPlacement placement,
                                                      platform::TapOption option,
                                                      std::uint64_t mask,
                                                      platform::TapCallback callback) override {
            return inner_.createTap(location, placement, option, mask, std::move(callback));
        }
        void post(platform::TapLocation, const platform::Event& event) override {
            ++postedCount;
            lastPosted = event;
        }
        platform::Point pointerLocation() const override { return inner_.pointerLocation(); }

        std::int64_t postedCount = 0;
        platform::Event lastPosted;

      private:
        platform::EventStream& inner_;
    };

    explicit QuietPostPlatform(platform::sim::SimDesktop& desktop)
        : desktop_(desktop), stream_(desktop.eventStream()) {}

    platform::EventStream& eventStream() override { return stream_; }
    platform::RunLoop& runLoop() override { return desktop_.runLoop(); }
    platform::DisplayLinks& displayLinks() override { return desktop_.displayLinks(); }
    platform::Screens& screens() override { return desktop_.screens(); }
    platform::WindowList& windowList() override { return desktop_.windowList(); }
    platform::Workspace& workspace() override { return desktop_.workspace(); }
    platform::Accessibility& accessibility() override { return desktop_.accessibility(); }
    platform::HotKeys& hotKeys() override { return desktop_.hotKeys(); }
    platform::KeyMonitors& keyMonitors() override { return desktop_.keyMonitors(); }
    platform::Cursor& cursor() override { return desktop_.cursor(); }
    platform::HidSystem& hidSystem() override { return desktop_.hidSystem(); }
    platform::Dock& dock() override { return desktop_.dock(); }
    platform::LoginItems& loginItems() override { return desktop_.loginItems(); }
    platform::Process& process() override { return desktop_.process(); }
    platform::PreferenceStore& preferences() override { return desktop_.preferences(); }

    Stream& stream() { return stream_; }

  private:
    platform::sim::SimDesktop& desktop_;
    Stream stream_;
};

}  // namespace wexo::testing
