#include "platform/PreferenceStoreBase.h"

#include "platform/Log.h"
#include "plist/PropertyList.h"
#include "plist/Utf8.h"

namespace wexo::platform {

namespace {

// A name as it can appear in a log line, whatever bytes it holds.
std::string printable(std::string_view text) {
    std::string out = plist::Utf8::repaired(text);
    for (std::string::size_type at; (at = out.find('\0')) != std::string::npos;)
        out.replace(at, 1, "\\0");
    return out;
}

}  // namespace

PreferenceStoreBase::PreferenceStoreBase(std::string bundleIdentifier, plist::Dictionary domain,
                                         plist::Dictionary globalDomain)
    : bundleIdentifier_(std::move(bundleIdentifier)),
      domain_(std::move(domain)),
      global_(std::move(globalDomain)) {}

std::optional<plist::Value> PreferenceStoreBase::objectForKey(std::string_view key) const {
    if (auto it = domain_.find(key); it != domain_.end()) return it->second;
    if (auto it = registration_.find(key); it != registration_.end()) return it->second;
    return std::nullopt;
}

bool PreferenceStoreBase::setObjectForKey(std::string_view key, plist::Value value) {
    if (auto why = plist::PropertyList::whyUnwritable(plist::Value(key))) {
        WEXO_LOG_ERROR("Refused to store a value under the key \"%@\": %@", printable(key), *why);
        return false;
    }
    // Stored values sit one level down, in the domain's dictionary.
    if (auto why = plist::PropertyList::whyUnwritable(value, 1)) {
        WEXO_LOG_ERROR("Refused to store a value under \"%@\": %@", key, *why);
        return false;
    }
    domain_.insert_or_assign(std::string(key), std::move(value));
    unsaved_ = true;
    return true;
}

void PreferenceStoreBase::removeObjectForKey(std::string_view key) {
    if (auto it = domain_.find(key); it != domain_.end()) {
        domain_.erase(it);
        unsaved_ = true;
    }
}

void PreferenceStoreBase::removePersistentDomainForName(std::string_view domainName) {
    if (domainName != bundleIdentifier_) {
        WEXO_LOG_ERROR("Not removing preference domain \"%@\": this store holds \"%@\"",
                       printable(domainName), bundleIdentifier_);
        return;
    }
    domain_.clear();
    unsaved_ = true;
}

void PreferenceStoreBase::registerDefaults(const plist::Dictionary& defaults) {
    for (const auto& [key, value] : defaults) registration_.insert_or_assign(key, value);
}

std::optional<plist::Value> PreferenceStoreBase::globalObjectForKey(std::string_view key) const {
    if (auto it = global_.find(key); it != global_.end()) return it->second;
    return std::nullopt;
}

plist::Dictionary PreferenceStoreBase::persistentDomain() const {
    return domain_;
}

void PreferenceStoreBase::loadDomain(plist::Dictionary domain) {
    domain_ = std::move(domain);
    unsaved_ = false;
}

}  // namespace wexo::platform
