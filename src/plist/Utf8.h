#pragma once

#include <string>
#include <string_view>

namespace wexo::plist {

// UTF-8 as property lists require it: well-formed, no overlong forms, no
// surrogates, nothing beyond U+10FFFF.
class Utf8 {
  public:
    static bool isValid(std::string_view text);
    // The text with every byte that does not start a well-formed sequence
    // replaced by U+FFFD.
    static std::string repaired(std::string_view text);
};

}  // namespace wexo::plist
