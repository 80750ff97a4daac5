#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "plist/Value.h"

namespace wexo {

// Typed reading of stored property-list values. Stored forms come from a file
// the user can edit or an older version wrote, so every reader is tolerant: a
// missing key is simply absent, and a value of another type reads as absent
// too, with a warning naming the key, so one bad value never costs the rest
// of the settings.
class StoredValues {
  public:
    // A flag: any number (a boolean, or 0/1 written as an integer or a real).
    static std::optional<bool> boolean(const plist::Value* v, std::string_view key);
    // An integer: any number, reals truncated toward zero.
    static std::optional<std::int64_t> integer(const plist::Value* v, std::string_view key);
    // A real: any finite number.
    static std::optional<double> real(const plist::Value* v, std::string_view key);
    static std::optional<std::string> string(const plist::Value* v, std::string_view key);
    // Text of a value the way a description turns it into text: a string as
    // it is, a number in decimal; anything else is absent.
    static std::optional<std::string> text(const plist::Value* v, std::string_view key);
    static const plist::Dictionary* dictionary(const plist::Value* v, std::string_view key);
    static const plist::Array* array(const plist::Value* v, std::string_view key);

    // The same readings of a dictionary's member.
    static std::optional<bool> boolean(const plist::Dictionary& d, std::string_view key);
    static std::optional<std::int64_t> integer(const plist::Dictionary& d, std::string_view key);
    static std::optional<double> real(const plist::Dictionary& d, std::string_view key);
    static std::optional<std::string> string(const plist::Dictionary& d, std::string_view key);
    static std::optional<std::string> text(const plist::Dictionary& d, std::string_view key);
    static const plist::Dictionary* dictionary(const plist::Dictionary& d, std::string_view key);
    static const plist::Array* array(const plist::Dictionary& d, std::string_view key);

    // A decimal integer written as text ("3", "-1", "1048576"), as stored
    // dictionary keys carry button numbers and modifier masks; nothing for
    // any other text.
    static std::optional<std::int64_t> decimalKey(std::string_view text);

    // Logs that the value under key was not of the expected type.
    static void reportWrongType(std::string_view key, const plist::Value& found,
                                std::string_view expected);
};

}  // namespace wexo
