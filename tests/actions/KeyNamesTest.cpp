#include <gtest/gtest.h>

#include <set>

#include "actions/KxRecorder.h"

namespace wexo {
namespace {

TEST(KeyNames, SampleCodes) {
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(0), "A");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(9), "V");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(42), "\\");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(49), "Space");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(51), "Del");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(53), "Esc");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(111), "F12");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(116), "Pgup");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(117), "Delete");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(126), "Up");
    // The keypad shares the main keys' names.
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(82), "0");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(76), "Enter");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(10), "?");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(55), "?");  // Command
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(127), "?");
    EXPECT_EQ(KxRecorder::keyStringFormKeyCode(0xFFFF), "?");
}

TEST(KeyNames, ExactlyTheUnnamedCodesBelow127AreQuestionMarks) {
    std::set<std::uint64_t> unnamed = {10, 66, 68, 70, 72,  73,  74,  77,  79,  80,
                                       90, 93, 94, 95, 102, 104, 106, 108, 110, 112};
    for (std::uint64_t code = 54; code <= 64; ++code) unnamed.insert(code);
    int named = 0;
    for (std::uint64_t code = 0; code <= 126; ++code) {
        const bool isUnnamed = KxRecorder::keyStringFormKeyCode(code) == "?";
        EXPECT_EQ(isUnnamed, unnamed.count(code) == 1) << "code " << code;
        if (!isUnnamed) ++named;
    }
    EXPECT_EQ(named, 96);
}

}  // namespace
}  // namespace wexo
