#include "actions/StoredValues.h"

#include <charconv>
#include <cmath>

#include "platform/Log.h"
#include "platform/ObjcFormat.h"

namespace wexo {

namespace {
const plist::Value* member(const plist::Dictionary& d, std::string_view key) {
    auto it = d.find(key);
    return it == d.end() ? nullptr : &it->second;
}
}  // namespace

void StoredValues::reportWrongType(std::string_view key, const plist::Value& found,
                                   std::string_view expected) {
    platform::Log::write(platform::LogLevel::Warning, __FILE__, __LINE__,
                         objcFormat("Stored value \"%@\" has the type %@, not %@; ignored", key,
                                    plist::typeName(found.type()), expected));
}

std::optional<bool> StoredValues::boolean(const plist::Value* v, std::string_view key) {
    if (!v) return std::nullopt;
    if (!v->isNumber()) {
        reportWrongType(key, *v, "boolean");
        return std::nullopt;
    }
    return v->asBool();
}

std::optional<std::int64_t> StoredValues::integer(const plist::Value* v, std::string_view key) {
    if (!v) return std::nullopt;
    auto i = v->asInteger();
    if (!i) reportWrongType(key, *v, "integer");
    return i;
}

std::optional<double> StoredValues::real(const plist::Value* v, std::string_view key) {
    if (!v) return std::nullopt;
    auto r = v->asReal();
    if (!r || !std::isfinite(*r)) {
        reportWrongType(key, *v, "finite number");
        return std::nullopt;
    }
    return r;
}

std::optional<std::string> StoredValues::string(const plist::Value* v, std::string_view key) {
    if (!v) return std::nullopt;
    auto s = v->asString();
    if (!s) reportWrongType(key, *v, "string");
    return s;
}

std::optional<std::string> StoredValues::text(const plist::Value* v, std::string_view key) {
    if (!v) return std::nullopt;
    if (auto s = v->asString()) return s;
    switch (v->type()) {
        case plist::Value::Type::Boolean:
        case plist::Value::Type::Integer:
            return objcFormat("%@", *v->asInteger());
        case plist::Value::Type::Real:
            if (std::isfinite(*v->asReal())) return objcFormat("%@", *v->asReal());
            break;
        default:
            break;
    }
    reportWrongType(key, *v, "string");
    return std::nullopt;
}

const plist::Dictionary* StoredValues::dictionary(const plist::Value* v, std::string_view key) {
    if (!v) return nullptr;
    auto* d = v->asDictionary();
    if (!d) reportWrongType(key, *v, "dictionary");
    return d;
}

const plist::Array* StoredValues::array(const plist::Value* v, std::string_view key) {
    if (!v) return nullptr;
    auto* a = v->asArray();
    if (!a) reportWrongType(key, *v, "array");
    return a;
}

std::optional<bool> StoredValues::boolean(const plist::Dictionary& d, std::string_view key) {
    return boolean(member(d, key), key);
}
std::optional<std::int64_t> StoredValues::integer(const plist::Dictionary& d,
                                                  std::string_view key) {
    return integer(member(d, key), key);
}
std::optional<double> StoredValues::real(const plist::Dictionary& d, std::string_view key) {
    return real(member(d, key), key);
}
std::optional<std::string> StoredValues::string(const plist::Dictionary& d, std::string_view key) {
    return string(member(d, key), key);
}
std::optional<std::string> StoredValues::text(const plist::Dictionary& d, std::string_view key) {
    return text(member(d, key), key);
}
const plist::Dictionary* StoredValues::dictionary(const plist::Dictionary& d,
                                                  std::string_view key) {
    return dictionary(member(d, key), key);
}
const plist::Array* StoredValues::array(const plist::Dictionary& d, std::string_view key) {
    return array(member(d, key), key);
}

std::optional<std::int64_t> StoredValues::decimalKey(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    return value;
}

}  // namespace wexo
