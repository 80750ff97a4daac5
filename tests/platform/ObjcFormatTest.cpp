#include "platform/ObjcFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace wexo {
namespace {

TEST(ObjcFormatTest, TheProgramsOwnTexts) {
    EXPECT_EQ(objcFormat("Disable Scroll for %@", "Safari"), "Disable Scroll for Safari");
    EXPECT_EQ(objcFormat("%u-%u-%u", 1552u, 41001u, 0u), "1552-41001-0");
    EXPECT_EQ(objcFormat("%@. %@", "Shift", "Scroll Up"), "Shift. Scroll Up");
    EXPECT_EQ(objcFormat("DisplayLink created with error:%d", -6661),
              "DisplayLink created with error:-6661");
    EXPECT_EQ(objcFormat("Button %@", 3), "Button 3");
    EXPECT_EQ(objcFormat("%.02f", 2.5), "2.50");
    EXPECT_EQ(objcFormat("%.f", 3.7), "4");
    EXPECT_EQ(objcFormat("sleep %f; open \"%@\"", 1.5, "/Applications/Wexo.app"),
              "sleep 1.500000; open \"/Applications/Wexo.app\"");
    EXPECT_EQ(objcFormat("open -n %@", "/Applications/Wexo.app"), "open -n /Applications/Wexo.app");
    EXPECT_EQ(objcFormat("Failed to create directory \"%@\". Error: %@", "/x", "Permission denied"),
              "Failed to create directory \"/x\". Error: Permission denied");
}

TEST(ObjcFormatTest, RealsGivenToTextPrintTheirShortestForm) {
    EXPECT_EQ(objcFormat("%@", 2.5), "2.5");
    EXPECT_EQ(objcFormat("%@", 3.0), "3");
    EXPECT_EQ(objcFormat("%@", 0.1), "0.1");
    EXPECT_EQ(objcFormat("%@", -1600.0), "-1600");
    EXPECT_EQ(objcFormat("%@", 1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(objcFormat("%@", 0.0001), "0.0001");
    EXPECT_EQ(objcFormat("%@", 0.00001), "1e-05");
    EXPECT_EQ(objcFormat("%@", 1e16), "10000000000000000");
    EXPECT_EQ(objcFormat("%@", 1e17), "1e+17");
    EXPECT_EQ(objcFormat("%@", 1.5e300), "1.5e+300");
    EXPECT_EQ(objcFormat("%@", std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(objcFormat("%@", true), "1");
}

TEST(ObjcFormatTest, PrecisionRoundsAsPrintfDoes) {
    EXPECT_EQ(objcFormat("%f", 2.5), "2.500000");
    EXPECT_EQ(objcFormat("%.3f", 1.0 / 3.0), "0.333");
    EXPECT_EQ(objcFormat("%.f", 2.5), "2");  // an exact tie goes to the even neighbour
    EXPECT_EQ(objcFormat("%.02f", 0.125), "0.12");
    EXPECT_EQ(objcFormat("%.f", -0.4), "-0");
    EXPECT_EQ(objcFormat("%.02f", 10), "10.00");  // an integer given to a real placeholder
}

TEST(ObjcFormatTest, IntegerLengthsAndSigns) {
    EXPECT_EQ(objcFormat("%ld|%lld|%lu|%llu", -5L, std::numeric_limits<long long>::min(), 7UL,
                         std::numeric_limits<std::uint64_t>::max()),
              "-5|-9223372036854775808|7|18446744073709551615");
    // A negative number given to an unsigned placeholder prints the bit
    // pattern of an int, or of a long with a length.
    EXPECT_EQ(objcFormat("%u", -1), "4294967295");
    EXPECT_EQ(objcFormat("%lu", -1), "18446744073709551615");
    EXPECT_EQ(objcFormat("%d", 2.9), "2");
    EXPECT_EQ(objcFormat("%5d|%-4d|%03u", 42, 7, 7u), "   42|7   |007");
    EXPECT_EQ(objcFormat("%x", 255), "ff");
}

TEST(ObjcFormatTest, PercentSignsPositionsAndMissingArguments) {
    EXPECT_EQ(objcFormat("100%% sure"), "100% sure");
    EXPECT_EQ(objcFormat("50%"), "50%");
    EXPECT_EQ(objcFormat("%2$@ %1$@", "a", "b"), "b a");
    EXPECT_EQ(objcFormat("Button %@ of %@", 3), "Button 3 of ");
    EXPECT_EQ(objcFormat("plain", 1, 2), "plain");
    EXPECT_EQ(objcFormat("%k stays"), "%k stays");
    EXPECT_EQ(objcFormat("%d items", "text"), "text items");
}

}  // namespace
}  // namespace wexo
