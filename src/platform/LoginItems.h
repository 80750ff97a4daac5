#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wexo::platform {

// The user's login items (launch-services shared file list), by the path
// each item resolves to.
class LoginItems {
  public:
    virtual ~LoginItems() = default;
    // A snapshot of the list; nothing when the list cannot be opened. Items
    // that do not resolve are left out.
    virtual std::optional<std::vector<std::string>> snapshot() const = 0;
    // Inserts at the end; false on failure.
    virtual bool insertLast(const std::string& path) = 0;
    // Removes the first item resolving to the path; false on failure.
    virtual bool remove(const std::string& path) = 0;
};

}  // namespace wexo::platform
