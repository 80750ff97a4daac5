#pragma once

#include <optional>
#include <string>

namespace wexo {

// The application among the user's login items, found by its bundle's
// path. When the list cannot be opened every operation does nothing and
// the application counts as no login item.
class MainBundleLoginItems {
  public:
    static bool isLoginItem();
    static void addToLoginItems();
    static void removeFromLoginItems();
    // The login item that resolves to the main bundle, or nothing.
    static std::optional<std::string> itemRefWithListRef();
};

}  // namespace wexo
