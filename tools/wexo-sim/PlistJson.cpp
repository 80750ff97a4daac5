#include "wexo-sim/PlistJson.h"

namespace wexo::simrunner {

namespace {
std::string base64(const plist::Data& data) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < data.size(); i += 3) {
        const unsigned n = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += kAlphabet[(n >> 6) & 63];
        out += kAlphabet[n & 63];
    }
    if (const std::size_t rest = data.size() - i; rest > 0) {
        const unsigned n = (data[i] << 16) | (rest == 2 ? data[i + 1] << 8 : 0);
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += rest == 2 ? kAlphabet[(n >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}
}  // namespace

plist::Value plistFromJson(const Json& j, const JsonPath& path) {
    switch (j.type()) {
        case Json::value_t::boolean:
            return plist::Value(j.get<bool>());
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
            return plist::Value(static_cast<long long>(readInteger(j, path, INT64_MIN, INT64_MAX)));
        case Json::value_t::number_float:
            return plist::Value(readNumber(j, path));
        case Json::value_t::string:
            return plist::Value(j.get<std::string>());
        case Json::value_t::array: {
            plist::Array a;
            for (std::size_t i = 0; i < j.size(); ++i) a.push_back(plistFromJson(j[i], path[i]));
            return plist::Value(std::move(a));
        }
        case Json::value_t::object:
            return plist::Value(dictionaryFromJson(j, path));
        default:
            throw ScenarioException(path, "null has no property-list form");
    }
}

plist::Dictionary dictionaryFromJson(const Json& j, const JsonPath& path) {
    expectObject(j, path);
    plist::Dictionary d;
    for (const auto& [key, value] : j.items()) d.emplace(key, plistFromJson(value, path / key));
    return d;
}

nlohmann::ordered_json jsonFromPlist(const plist::Value& v) {
    using T = plist::Value::Type;
    switch (v.type()) {
        case T::Boolean:
            return *v.asBool();
        case T::Integer:
            return *v.asInteger();
        case T::Real:
            return *v.asReal();
        case T::String:
            return *v.asString();
        case T::Data:
            return base64(*v.asData());
        case T::Date:
            return v.asDate()->secondsSince1970;
        case T::Array: {
            auto a = nlohmann::ordered_json::array();
            for (const auto& e : *v.asArray()) a.push_back(jsonFromPlist(e));
            return a;
        }
        case T::Dictionary:
            return jsonFromDictionary(*v.asDictionary());
    }
    return nullptr;
}

nlohmann::ordered_json jsonFromDictionary(const plist::Dictionary& d) {
    auto o = nlohmann::ordered_json::object();
    for (const auto& [key, value] : d) o[key] = jsonFromPlist(value);
    return o;
}

}  // namespace wexo::simrunner
