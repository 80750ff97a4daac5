#include "plist/Utf8.h"

#include <gtest/gtest.h>

namespace wexo::plist {
namespace {

TEST(Utf8Test, AcceptsWellFormedText) {
    for (const char* text : {"", "ascii", "\xC3\xA9", "\xE2\x82\xAC", "\xEF\xBF\xBD",
                             "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF"}) {
        EXPECT_TRUE(Utf8::isValid(text)) << text;
    }
}

TEST(Utf8Test, RefusesWhatIsNotUtf8) {
    for (const char* text : {"\x80",              // continuation without a lead
                             "\xC0\x80",          // overlong NUL
                             "\xE0\x80\xAF",      // overlong slash
                             "\xED\xA0\x80",      // a surrogate
                             "\xF4\x90\x80\x80",  // beyond U+10FFFF
                             "\xE2\x82",          // cut short
                             "\xFF"}) {
        EXPECT_FALSE(Utf8::isValid(text)) << text;
    }
}

TEST(Utf8Test, RepairReplacesEachBadByteAndKeepsTheRest) {
    EXPECT_EQ(Utf8::repaired("a\xC3\xA9z"), "a\xC3\xA9z");
    EXPECT_EQ(Utf8::repaired("a\xFF"
                             "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(Utf8::repaired("\xC0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(Utf8::repaired("\xE2\x82"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace wexo::plist
