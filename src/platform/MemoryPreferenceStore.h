#pragma once

#include "platform/PreferenceStoreBase.h"

namespace wexo::platform {

// A preference store whose backing is memory: the simulated desktop's user
// defaults. It behaves as the file-backed store does, and keeps what the last
// synchronize handed over, which is what a relaunch would find.
class MemoryPreferenceStore final : public PreferenceStoreBase {
  public:
    explicit MemoryPreferenceStore(std::string bundleIdentifier, plist::Dictionary domain = {},
                                   plist::Dictionary globalDomain = {});

    // Always succeeds.
    bool synchronize() override;

    const plist::Dictionary& synchronizedDomain() const { return synchronized_; }
    int synchronizeCount() const { return synchronizeCount_; }
    void replaceGlobalDomain(plist::Dictionary globalDomain) {
        setGlobalDomain(std::move(globalDomain));
    }

  private:
    plist::Dictionary synchronized_;
    int synchronizeCount_ = 0;
};

}  // namespace wexo::platform
