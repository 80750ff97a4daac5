#pragma once

#include <nlohmann/json.hpp>

#include "plist/Value.h"
#include "wexo-sim/JsonRead.h"

namespace wexo::simrunner {

// The scenario's mapping between JSON and property-list values: true/false
// are booleans, integers are integers, numbers with a fraction or exponent
// are reals, strings are strings, arrays arrays, objects dictionaries. JSON
// null has no property-list form and is refused.
plist::Value plistFromJson(const Json& j, const JsonPath& path);
plist::Dictionary dictionaryFromJson(const Json& j, const JsonPath& path);

// Back again; data is written as its base64 text and a date as its seconds
// since 1970 (neither has a JSON form of its own).
nlohmann::ordered_json jsonFromPlist(const plist::Value& v);
nlohmann::ordered_json jsonFromDictionary(const plist::Dictionary& d);

}  // namespace wexo::simrunner
