#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace wexo::plist {

class Value;

using Data = std::vector<std::uint8_t>;
using Array = std::vector<Value>;
// Keys kept sorted so that anything written from a dictionary is byte-for-byte
// reproducible.
using Dictionary = std::map<std::string, Value, std::less<>>;

// A moment in time as property lists store it.
struct Date {
    double secondsSince1970 = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

// One property-list value. The typed accessors never throw: asking for the
// wrong type answers "absent" (an empty optional or a null pointer), which is
// how a stored value of an unexpected type reads.
//
// Booleans, integers and reals are all numbers in the sense of the stored
// settings: asBool/asInteger/asReal accept any of the three (a flag stored as
// the integer 1 reads as true, a line count stored as 2 reads as 2.0) and
// equality compares them by numeric value.
class Value {
  public:
    enum class Type { Boolean, Integer, Real, String, Data, Date, Array, Dictionary };

    Value() : v_(false) {}
    Value(bool b) : v_(b) {}
    Value(int i) : v_(static_cast<std::int64_t>(i)) {}
    Value(long i) : v_(static_cast<std::int64_t>(i)) {}
    Value(long long i) : v_(static_cast<std::int64_t>(i)) {}
    Value(unsigned i) : v_(static_cast<std::int64_t>(i)) {}
    Value(double d) : v_(d) {}
    Value(const char* s) : v_(std::string(s)) {}
    Value(std::string s) : v_(std::move(s)) {}
    Value(std::string_view s) : v_(std::string(s)) {}
    Value(plist::Data d) : v_(std::move(d)) {}
    Value(plist::Date d) : v_(d) {}
    Value(plist::Array a) : v_(std::move(a)) {}
    Value(plist::Dictionary d) : v_(std::move(d)) {}

    Type type() const { return static_cast<Type>(v_.index()); }
    bool isNumber() const;  // boolean, integer or real

    std::optional<bool> asBool() const;
    std::optional<std::int64_t> asInteger() const;  // reals truncate toward zero
    std::optional<double> asReal() const;
    std::optional<std::string> asString() const;
    const plist::Data* asData() const;
    std::optional<plist::Date> asDate() const;
    const plist::Array* asArray() const;
    plist::Array* asArray();
    const plist::Dictionary* asDictionary() const;
    plist::Dictionary* asDictionary();

    // The member under key when this is a dictionary that has it.
    const Value* find(std::string_view key) const;

    friend bool operator==(const Value& a, const Value& b);

  private:
    std::variant<bool, std::int64_t, double, std::string, plist::Data, plist::Date, plist::Array,
                 plist::Dictionary>
        v_;
};

const char* typeName(Value::Type t);

}  // namespace wexo::plist
