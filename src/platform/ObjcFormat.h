#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace wexo {

// One argument of an Objective-C style format: an integer, an unsigned
// integer, a real or text (what %@ prints; numbers given to %@ print as
// NSNumber's description would).
using FormatArg = std::variant<std::int64_t, std::uint64_t, double, std::string>;

std::string objcFormatArgs(std::string_view format, const std::vector<FormatArg>& args);

template <class T>
FormatArg toFormatArg(const T& v) {
    if constexpr (std::is_same_v<T, bool>) {
        return static_cast<std::int64_t>(v);
    } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
        return static_cast<std::int64_t>(v);
    } else if constexpr (std::is_integral_v<T>) {
        return static_cast<std::uint64_t>(v);
    } else if constexpr (std::is_floating_point_v<T>) {
        return static_cast<double>(v);
    } else if constexpr (std::is_same_v<T, std::string>) {
        return FormatArg(std::in_place_type<std::string>, v);
    } else {
        return FormatArg(std::in_place_type<std::string>, std::string_view(v));
    }
}

// Renders the program's own texts as they stand: "%@" (text, or a number as
// its shortest decimal form), "%d", "%ld", "%lld", "%u", "%lu", "%llu", "%f",
// "%.02f", "%.3f", "%.f" (any precision), "%%". A placeholder without a
// matching argument renders empty; surplus arguments are ignored.
template <class... Args>
std::string objcFormat(std::string_view format, const Args&... args) {
    return objcFormatArgs(format, std::vector<FormatArg>{toFormatArg(args)...});
}

}  // namespace wexo
