#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Platform.h"

namespace wexo {

// The little state that running actions keeps between calls: the HID system
// connection of the media keys, the temporary tap of "Keep Left Pressed" and
// the delayed calls not yet run. The composition root owns one and installs
// it for the executors (shared()); a fresh root starts from nothing. Main
// thread only.
class ActionHandles {
  public:
    explicit ActionHandles(platform::Platform& platform);
    // Cancels the delayed calls, and lets go of a left button still held by
    // "Keep Left Pressed", so that nothing stays pressed once the program
    // is gone.
    ~ActionHandles();
    ActionHandles(const ActionHandles&) = delete;
    ActionHandles& operator=(const ActionHandles&) = delete;

    // The installed instance; a composition root must exist.
    static ActionHandles& shared();

    // The HID system connection, opened on first use and kept. Nothing when
    // it cannot be opened; the next call tries again.
    std::optional<std::uint32_t> hidConnection();
    // Drops a connection that stopped working, so the next call reopens it.
    void forgetHidConnection() { hidConnection_ = 0; }

    // The tap of "Keep Left Pressed", null while no left button is held.
    platform::EventTap* keepPressedTap() const { return keepPressedTap_.get(); }
    void setKeepPressedTap(std::unique_ptr<platform::EventTap> tap) {
        keepPressedTap_ = std::move(tap);
    }
    // Hands the tap over (to be discarded) and leaves none.
    std::unique_ptr<platform::EventTap> takeKeepPressedTap() { return std::move(keepPressedTap_); }

    // Keeps a delayed call so that it can be cancelled with the program.
    void addPendingCall(std::shared_ptr<platform::Timer> timer);

  private:
    platform::Platform& platform_;
    std::uint32_t hidConnection_ = 0;  // 0 until opened
    std::unique_ptr<platform::EventTap> keepPressedTap_;
    std::vector<std::shared_ptr<platform::Timer>> pendingCalls_;
};

}  // namespace wexo
