#pragma once

#include <string>

#include "platform/PreferenceStore.h"

namespace wexo::platform {

// What every preference store shares, whatever keeps its domain: the
// persistent domain in memory, the registration domain behind it, the refusal
// of values a property list cannot hold, and the global domain. A store adds
// only how the domain reaches its backing (synchronize).
class PreferenceStoreBase : public PreferenceStore {
  public:
    std::optional<plist::Value> objectForKey(std::string_view key) const override;
    bool setObjectForKey(std::string_view key, plist::Value value) override;
    void removeObjectForKey(std::string_view key) override;
    // Only the store's own bundle identifier names a domain it holds; any
    // other name is logged and left alone.
    void removePersistentDomainForName(std::string_view domainName) override;
    // Later registrations replace earlier ones key by key.
    void registerDefaults(const plist::Dictionary& defaults) override;
    std::optional<plist::Value> globalObjectForKey(std::string_view key) const override;
    plist::Dictionary persistentDomain() const override;

    const std::string& bundleIdentifier() const { return bundleIdentifier_; }

  protected:
    PreferenceStoreBase(std::string bundleIdentifier, plist::Dictionary domain,
                        plist::Dictionary globalDomain);

    const plist::Dictionary& domain() const { return domain_; }
    // Replaces the whole domain as read from the backing (not a change).
    void loadDomain(plist::Dictionary domain);
    void setGlobalDomain(plist::Dictionary globalDomain) { global_ = std::move(globalDomain); }

    // Whether the domain changed since the backing last received it.
    bool hasUnsavedChanges() const { return unsaved_; }
    void markSaved() { unsaved_ = false; }

  private:
    std::string bundleIdentifier_;
    plist::Dictionary domain_;
    plist::Dictionary registration_;
    plist::Dictionary global_;
    bool unsaved_ = false;
};

}  // namespace wexo::platform
