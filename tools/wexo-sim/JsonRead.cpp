#include "wexo-sim/JsonRead.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wexo::simrunner {

namespace {
std::string describe(const Json& j) {
    switch (j.type()) {
        case Json::value_t::null:
            return "null";
        case Json::value_t::boolean:
            return "a boolean";
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
            return "an integer";
        case Json::value_t::number_float:
            return "a number";
        case Json::value_t::string:
            return "a string";
        case Json::value_t::array:
            return "an array";
        case Json::value_t::object:
            return "an object";
        default:
            return "an unexpected value";
    }
}

[[noreturn]] void wrongType(const Json& j, const JsonPath& path, std::string_view expected) {
    throw ScenarioException(path, "expected " + std::string(expected) + ", found " + describe(j));
}
}  // namespace

const Json& expectObject(const Json& j, const JsonPath& path) {
    if (!j.is_object()) wrongType(j, path, "an object");
    return j;
}

const Json& expectArray(const Json& j, const JsonPath& path) {
    if (!j.is_array()) wrongType(j, path, "an array");
    return j;
}

void checkMembers(const Json& object, const JsonPath& path,
                  std::initializer_list<std::string_view> allowed) {
    for (const auto& [key, value] : object.items()) {
        if (std::find(allowed.begin(), allowed.end(), key) == allowed.end())
            throw ScenarioException(path / key, "unknown member \"" + key + "\"");
    }
}

double readNumber(const Json& j, const JsonPath& path) {
    if (!j.is_number()) wrongType(j, path, "a number");
    const double d = j.get<double>();
    if (!std::isfinite(d)) throw ScenarioException(path, "expected a finite number");
    return d;
}

double readNonNegative(const Json& j, const JsonPath& path) {
    const double d = readNumber(j, path);
    if (d < 0) throw ScenarioException(path, "expected a number of at least 0");
    return d;
}

std::int64_t readInteger(const Json& j, const JsonPath& path, std::int64_t min, std::int64_t max) {
    std::int64_t v = 0;
    if (j.is_number_unsigned()) {
        const auto u = j.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            throw ScenarioException(path, "integer out of range");
        v = static_cast<std::int64_t>(u);
    } else if (j.is_number_integer()) {
        v = j.get<std::int64_t>();
    } else {
        wrongType(j, path, "an integer");
    }
    if (v < min || v > max)
        throw ScenarioException(
            path, "expected an integer from " + std::to_string(min) + " to " + std::to_string(max));
    return v;
}

std::uint64_t readUnsigned(const Json& j, const JsonPath& path) {
    if (j.is_number_unsigned()) return j.get<std::uint64_t>();
    if (j.is_number_integer()) {
        const auto v = j.get<std::int64_t>();
        if (v < 0) throw ScenarioException(path, "expected an integer of at least 0");
        return static_cast<std::uint64_t>(v);
    }
    wrongType(j, path, "an integer");
}

bool readBool(const Json& j, const JsonPath& path) {
    if (!j.is_boolean()) wrongType(j, path, "a boolean");
    return j.get<bool>();
}

std::string readString(const Json& j, const JsonPath& path) {
    if (!j.is_string()) wrongType(j, path, "a string");
    return j.get<std::string>();
}

platform::Point readPoint(const Json& j, const JsonPath& path) {
    if (!j.is_array() || j.size() != 2) wrongType(j, path, "an array [x, y]");
    return platform::Point{readNumber(j[0], path[0]), readNumber(j[1], path[1])};
}

platform::Rect readRect(const Json& j, const JsonPath& path) {
    if (!j.is_array() || j.size() != 4) wrongType(j, path, "an array [x, y, width, height]");
    return platform::Rect(readNumber(j[0], path[0]), readNumber(j[1], path[1]),
                          readNumber(j[2], path[2]), readNumber(j[3], path[3]));
}

}  // namespace wexo::simrunner
