#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/Geometry.h"
#include "wexo-sim/JsonPath.h"

namespace wexo::simrunner {

using Json = nlohmann::json;

// Typed reading of scenario values. Each throws ScenarioException naming the
// path when the value has the wrong type or range.
const Json& expectObject(const Json& j, const JsonPath& path);
const Json& expectArray(const Json& j, const JsonPath& path);
// Every member of `object` must be one of `allowed`.
void checkMembers(const Json& object, const JsonPath& path,
                  std::initializer_list<std::string_view> allowed);
double readNumber(const Json& j, const JsonPath& path);
double readNonNegative(const Json& j, const JsonPath& path);
std::int64_t readInteger(const Json& j, const JsonPath& path, std::int64_t min, std::int64_t max);
std::uint64_t readUnsigned(const Json& j, const JsonPath& path);
bool readBool(const Json& j, const JsonPath& path);
std::string readString(const Json& j, const JsonPath& path);
// [x, y]
platform::Point readPoint(const Json& j, const JsonPath& path);
// [x, y, w, h]
platform::Rect readRect(const Json& j, const JsonPath& path);

}  // namespace wexo::simrunner
