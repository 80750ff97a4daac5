#include "plist/Value.h"

#include <cmath>
#include <limits>

namespace wexo::plist {

bool Value::isNumber() const {
    auto t = type();
    return t == Type::Boolean || t == Type::Integer || t == Type::Real;
}

std::optional<bool> Value::asBool() const {
    if (auto* b = std::get_if<bool>(&v_)) return *b;
    if (auto* i = std::get_if<std::int64_t>(&v_)) return *i != 0;
    if (auto* d = std::get_if<double>(&v_)) return *d != 0.0;
    return std::nullopt;
}

std::optional<std::int64_t> Value::asInteger() const {
    if (auto* b = std::get_if<bool>(&v_)) return *b ? 1 : 0;
    if (auto* i = std::get_if<std::int64_t>(&v_)) return *i;
    if (auto* d = std::get_if<double>(&v_)) {
        // A real outside the integer range (or not a number) has no integer reading.
        if (!std::isfinite(*d) || *d >= 9.2233720368547758e18 || *d < -9.2233720368547758e18)
            return std::nullopt;
        return static_cast<std::int64_t>(*d);
    }
    return std::nullopt;
}

std::optional<double> Value::asReal() const {
    if (auto* b = std::get_if<bool>(&v_)) return *b ? 1.0 : 0.0;
    if (auto* i = std::get_if<std::int64_t>(&v_)) return static_cast<double>(*i);
    if (auto* d = std::get_if<double>(&v_)) return *d;
    return std::nullopt;
}

std::optional<std::string> Value::asString() const {
    if (auto* s = std::get_if<std::string>(&v_)) return *s;
    return std::nullopt;
}

const Data* Value::asData() const {
    return std::get_if<plist::Data>(&v_);
}

std::optional<Date> Value::asDate() const {
    if (auto* d = std::get_if<plist::Date>(&v_)) return *d;
    return std::nullopt;
}

const Array* Value::asArray() const {
    return std::get_if<plist::Array>(&v_);
}
Array* Value::asArray() {
    return std::get_if<plist::Array>(&v_);
}
const Dictionary* Value::asDictionary() const {
    return std::get_if<plist::Dictionary>(&v_);
}
Dictionary* Value::asDictionary() {
    return std::get_if<plist::Dictionary>(&v_);
}

const Value* Value::find(std::string_view key) const {
    auto* d = asDictionary();
    if (!d) return nullptr;
    auto it = d->find(key);
    return it == d->end() ? nullptr : &it->second;
}

bool operator==(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber()) {
        // Two integers compare exactly; anything involving a real compares as reals.
        if (a.type() != Value::Type::Real && b.type() != Value::Type::Real)
            return *a.asInteger() == *b.asInteger();
        return *a.asReal() == *b.asReal();
    }
    return a.v_ == b.v_;
}

const char* typeName(Value::Type t) {
    switch (t) {
        case Value::Type::Boolean:
            return "boolean";
        case Value::Type::Integer:
            return "integer";
        case Value::Type::Real:
            return "real";
        case Value::Type::String:
            return "string";
        case Value::Type::Data:
            return "data";
        case Value::Type::Date:
            return "date";
        case Value::Type::Array:
            return "array";
        case Value::Type::Dictionary:
            return "dictionary";
    }
    return "unknown";
}

}  // namespace wexo::plist
