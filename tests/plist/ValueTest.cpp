#include "plist/Value.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace wexo::plist {
namespace {

TEST(ValueTest, NumbersCompareByNumericValueAcrossTheirTypes) {
    EXPECT_EQ(Value(1), Value(1.0));
    EXPECT_EQ(Value(true), Value(1));
    EXPECT_EQ(Value(false), Value(0.0));
    EXPECT_EQ(Value(-1600), Value(-1600.0));
    EXPECT_NE(Value(2), Value(2.5));
    EXPECT_NE(Value(true), Value(2));
    // Two integers compare exactly, even where doubles could not tell them apart.
    EXPECT_NE(Value(std::numeric_limits<long long>::max()),
              Value(std::numeric_limits<long long>::max() - 1));
    // A number is never equal to text spelling it.
    EXPECT_NE(Value(1), Value("1"));
}

TEST(ValueTest, ContainersCompareMemberByMember) {
    EXPECT_EQ(Value(Array{1, "a"}), Value(Array{1.0, "a"}));
    EXPECT_NE(Value(Array{1, "a"}), Value(Array{"a", 1}));
    EXPECT_EQ(Value(Dictionary{{"k", true}}), Value(Dictionary{{"k", 1}}));
    EXPECT_NE(Value(Dictionary{{"k", 1}}), Value(Dictionary{{"j", 1}}));
}

TEST(ValueTest, TypedAccessorsAnswerAbsentForOtherTypes) {
    const Value text("12");
    EXPECT_FALSE(text.asInteger());
    EXPECT_FALSE(text.asBool());
    EXPECT_FALSE(text.asReal());
    EXPECT_EQ(text.asArray(), nullptr);
    EXPECT_EQ(text.asDictionary(), nullptr);
    EXPECT_EQ(text.asData(), nullptr);
    EXPECT_FALSE(text.asDate());

    const Value number(3);
    EXPECT_FALSE(number.asString());
    EXPECT_EQ(number.find("key"), nullptr);

    const Value dictionary(Dictionary{{"key", Array{}}});
    EXPECT_FALSE(dictionary.find("key")->asInteger());
    EXPECT_NE(dictionary.find("key")->asArray(), nullptr);
    EXPECT_EQ(dictionary.find("other"), nullptr);
}

TEST(ValueTest, NumbersReadAsEachOther) {
    EXPECT_EQ(Value(1).asBool(), true);
    EXPECT_EQ(Value(0.0).asBool(), false);
    EXPECT_EQ(Value(true).asInteger(), 1);
    EXPECT_EQ(Value(-2.7).asInteger(), -2);  // toward zero
    EXPECT_EQ(Value(2).asReal(), 2.0);
    // No integer reading of a real beyond the integer range.
    EXPECT_FALSE(Value(1e19).asInteger());
    EXPECT_FALSE(Value(std::numeric_limits<double>::quiet_NaN()).asInteger());
}

}  // namespace
}  // namespace wexo::plist
