#include "platform/MemoryPreferenceStore.h"

namespace wexo::platform {

MemoryPreferenceStore::MemoryPreferenceStore(std::string bundleIdentifier, plist::Dictionary domain,
                                             plist::Dictionary globalDomain)
    : PreferenceStoreBase(std::move(bundleIdentifier), domain, std::move(globalDomain)),
      synchronized_(std::move(domain)) {}

bool MemoryPreferenceStore::synchronize() {
    ++synchronizeCount_;
    if (hasUnsavedChanges()) {
        synchronized_ = this->domain();
        markSaved();
    }
    return true;
}

}  // namespace wexo::platform
