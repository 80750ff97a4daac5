#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "plist/Value.h"

namespace wexo::platform {

// The application's user-defaults domain (NSUserDefaults standardUserDefaults):
// one property-list dictionary, plus a registration domain that is read for
// absent keys and never stored, plus read access to the global domain.
// Used on the main thread.
class PreferenceStore {
  public:
    virtual ~PreferenceStore() = default;

    // The stored value, else the registered default, else nothing.
    virtual std::optional<plist::Value> objectForKey(std::string_view key) const = 0;
    // Stores the value, replacing any previous one. A value the property-list
    // format cannot hold (a non-finite real, a string that is not UTF-8) is
    // refused with a log line and false.
    virtual bool setObjectForKey(std::string_view key, plist::Value value) = 0;
    virtual void removeObjectForKey(std::string_view key) = 0;
    // Writes the domain to its backing store; false when that failed.
    virtual bool synchronize() = 0;
    // Removes the whole persistent domain of that name (the application's own
    // bundle identifier removes everything stored here).
    virtual void removePersistentDomainForName(std::string_view domainName) = 0;
    // Values read for absent keys; never written to the persistent domain.
    virtual void registerDefaults(const plist::Dictionary& defaults) = 0;
    // A key of the global domain (NSGlobalDomain), such as "_HIHideMenuBar".
    virtual std::optional<plist::Value> globalObjectForKey(std::string_view key) const = 0;
    // The persistent domain as it stands (without registered defaults).
    virtual plist::Dictionary persistentDomain() const = 0;

    // The domain's backing could not be read when the store was made, so
    // the store began from nothing; the person has to hear of it, once.
    struct UnreadableBacking {
        std::string location;
        // Where the unreadable contents were kept; empty when they could
        // not be moved (and so are left in place, never overwritten).
        std::string keptAt;
    };
    // The first call answers what happened at the start, if anything; every
    // later call nothing.
    virtual std::optional<UnreadableBacking> takeUnreadableBacking() { return std::nullopt; }
};

}  // namespace wexo::platform
