#include <gtest/gtest.h>

#include "ActionTestDesktop.h"
#include "actions/CustomActionHandler.h"
#include "actions/KxShortcutsKeeper.h"

namespace wexo::testing {
namespace {

constexpr std::uint64_t kCommand = 0x100000;
constexpr std::uint64_t kOption = 0x80000;
constexpr std::uint64_t kControl = 0x40000;
constexpr std::uint64_t kShift = 0x20000;
constexpr std::uint64_t kFn = 0x800000;

struct Entry {
    std::string title;
    std::int64_t key;
    bool command, control, shift, option;
    std::vector<KeyPost> posts;  // what running it posts
};

const std::vector<Entry>& catalogue() {
    static const std::vector<Entry> entries = {
        {"Zoom (⌥ ⌘ *)",
         67,
         true,
         false,
         false,
         true,
         {down(55), down(58), down(67, kCommand | kOption), up(55), up(58),
          up(67, kCommand | kOption)}},
        {"Change Language (⌃ ⌥ Space)",
         49,
         false,
         true,
         false,
         true,
         {down(58), down(59), down(49, kOption | kControl), up(58), up(59),
          up(49, kOption | kControl)}},
        {"Show Launchpad (F12)", 111, false, false, false, false, {down(111, kFn), up(111, kFn)}},
        {"Show Desktop (F11)", 103, false, false, false, false, {down(103, kFn), up(103, kFn)}},
        {"Right Desktop (⌃ ⇨)",
         124,
         false,
         true,
         false,
         false,
         {down(59), down(124, kControl | kFn), up(59), up(124, kControl | kFn)}},
        {"Left Desktop (⌃ ⇦)",
         123,
         false,
         true,
         false,
         false,
         {down(59), down(123, kControl | kFn), up(59), up(123, kControl | kFn)}},
        {"Exposé (Also hover on Dock) ", 9000, false, false, false, false, {}},
        {"Hide (⌘ H)",
         4,
         true,
         false,
         false,
         false,
         {down(55), down(4, kCommand), up(55), up(4, kCommand)}},
        // H with Option and Command, as the title says.
        {"Hide Others (⌥ ⌘ H)",
         4,
         true,
         false,
         false,
         true,
         {down(55), down(58), down(4, kCommand | kOption), up(55), up(58),
          up(4, kCommand | kOption)}},
        // Command alone, as the title says.
        {"Minimize (⌘ M)",
         46,
         true,
         false,
         false,
         false,
         {down(55), down(46, kCommand), up(55), up(46, kCommand)}},
        {"Forward (⌘ ])",
         30,
         true,
         false,
         false,
         false,
         {down(55), down(30, kCommand), up(55), up(30, kCommand)}},
        {"Back (⌘ [)",
         33,
         true,
         false,
         false,
         false,
         {down(55), down(33, kCommand), up(55), up(33, kCommand)}},
        {"Copy (⌘ C)",
         8,
         true,
         false,
         false,
         false,
         {down(55), down(8, kCommand), up(55), up(8, kCommand)}},
        {"Paste (⌘ V)",
         9,
         true,
         false,
         false,
         false,
         {down(55), down(9, kCommand), up(55), up(9, kCommand)}},
        {"Clean Paste (⌘ ⇧ V)",
         9,
         true,
         false,
         true,
         false,
         {down(55), down(56), down(9, kCommand | kShift), up(55), up(56),
          up(9, kCommand | kShift)}},
        {"Do Nothing", -2700, false, false, false, false, {}},
    };
    return entries;
}

TEST(PreDefinedShortcuts, SixteenEntriesShowingTheirTitleInOrder) {
    const auto shortcuts = KxShortcutsKeeper::getPreDefinedShortcuts();
    ASSERT_EQ(shortcuts.size(), catalogue().size());
    for (std::size_t i = 0; i < shortcuts.size(); ++i) {
        const Entry& e = catalogue()[i];
        EXPECT_EQ(shortcuts[i],
                  KxShortcut(e.key, e.title, e.command, e.control, e.shift, e.option, true))
            << i;
        EXPECT_EQ(shortcuts[i].displayText(), e.title);
    }
    // Each call builds new objects.
    auto again = KxShortcutsKeeper::getPreDefinedShortcuts();
    again[0].key = 1;
    EXPECT_EQ(KxShortcutsKeeper::getPreDefinedShortcuts()[0].key, 67);
}

using PreDefinedShortcutsPosting = ActionTestDesktop;

TEST_F(PreDefinedShortcutsPosting, EachEntryPostsItsKeysInOrder) {
    const auto shortcuts = KxShortcutsKeeper::getPreDefinedShortcuts();
    for (std::size_t i = 0; i < shortcuts.size(); ++i) {
        desktop.clearRecords();
        CustomActionHandler::handleCustomAction(
            CustomAction(std::nullopt, shortcuts[i], std::nullopt, std::nullopt, std::nullopt, 2));
        EXPECT_EQ(keyPosts(), catalogue()[i].posts) << catalogue()[i].title;
    }
}

TEST_F(PreDefinedShortcutsPosting, StoredShortcutsPostTheirOwnKeyAndFlags) {
    // An assignment saved from the older catalogue keeps what it stored.
    CustomActionHandler::triggerShortcut(
        KxShortcut(103, "Hide Others (⌥ ⌘ H)", true, false, false, true, true));
    EXPECT_EQ(keyPosts(),
              (std::vector<KeyPost>{down(55), down(58), down(103, kCommand | kOption | kFn), up(55),
                                    up(58), up(103, kCommand | kOption | kFn)}));
}

TEST(PreDefinedKeyboardKeys, ThirtyOneNamedKeysWithoutModifiers) {
    const std::vector<std::pair<std::string, std::int64_t>> expected = {
        {"Home", 115},   {"End", 119}, {"PageUp", 116}, {"PageDown", 121}, {"BackSpace", 51},
        {"Clear", 71},   {"Esc", 53},  {"Return", 36},  {"Enter", 76},     {"Space", 49},
        {"Delete", 117}, {"Tab", 48},  {"F1", 122},     {"F2", 120},       {"F3", 99},
        {"F4", 118},     {"F5", 96},   {"F6", 97},      {"F7", 98},        {"F8", 100},
        {"F9", 101},     {"F10", 109}, {"F11", 103},    {"F12", 111},      {"F13", 105},
        {"F14", 107},    {"F15", 113}, {"F16", 106},    {"F17", 64},       {"F18", 79},
        {"F19", 80}};
    const auto keys = KxShortcutsKeeper::getPreDefinedKeyboardKeys();
    ASSERT_EQ(keys.size(), 31u);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i], KxShortcut(expected[i].second, expected[i].first, false, false, false,
                                      false, false))
            << i;
        // Shown by the key's name alone.
        EXPECT_EQ(keys[i].displayText(), " " + expected[i].first);
    }
}

}  // namespace
}  // namespace wexo::testing
