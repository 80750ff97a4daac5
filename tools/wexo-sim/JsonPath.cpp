#include "wexo-sim/JsonPath.h"

#include <algorithm>
#include <cctype>

namespace wexo::simrunner {

JsonPath JsonPath::operator/(std::string_view key) const {
    const bool plain = !key.empty() && std::all_of(key.begin(), key.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_';
    });
    if (plain) return JsonPath(text_ + "." + std::string(key));
    std::string quoted = "[\"";
    for (char c : key) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return JsonPath(text_ + quoted + "\"]");
}

JsonPath JsonPath::operator[](std::size_t index) const {
    return JsonPath(text_ + "[" + std::to_string(index) + "]");
}

}  // namespace wexo::simrunner
