// Keys and shortcuts in the words of the desktop the program runs on, and
// the system-shortcut catalogue doing there what its titles say, while the
// stored form of every assignment stays as it is.

#include <gtest/gtest.h>

#include "ActionTestDesktop.h"
#include "actions/CustomActionHandler.h"
#include "actions/DesktopConventions.h"
#include "actions/KxShortcutsKeeper.h"

namespace wexo::testing {
namespace {

constexpr std::uint64_t kOption = 0x80000;
constexpr std::uint64_t kControl = 0x40000;
constexpr std::uint64_t kShift = 0x20000;
// Arrow keys are created with the secondary-function bit, and keep it.
constexpr std::uint64_t kFn = 0x800000;

KxShortcut recorded(std::int64_t key, std::string name, bool command, bool control, bool shift,
                    bool option) {
    return KxShortcut(key, std::move(name), command, control, shift, option, false);
}

KxShortcut entry(SystemShortcut which) {
    return KxShortcutsKeeper::getPreDefinedShortcuts().at(static_cast<std::size_t>(which));
}

TEST(DesktopConventionsTest, LinuxNamesModifiersAndKeysAsLinuxDesktopsWriteThem) {
    const DesktopConventions& linux = DesktopConventions::forLinux();
    EXPECT_EQ(linux.shortcutText(recorded(49, "Space", false, true, false, true)),
              "Ctrl+Alt+Space");
    EXPECT_EQ(linux.shortcutText(recorded(9, "V", true, false, true, false)), "Super+Shift+V");
    EXPECT_EQ(linux.shortcutText(recorded(0, "A", true, true, true, true)),
              "Super+Ctrl+Alt+Shift+A");
    // The Mac's Delete is the PC's Backspace, whatever name was stored.
    EXPECT_EQ(linux.shortcutText(recorded(51, "Del", false, true, false, false)), "Ctrl+Backspace");
    EXPECT_EQ(linux.shortcutText(recorded(116, "Pgup", false, false, false, false)), "Page Up");
    EXPECT_EQ(linux.shortcutText(KxShortcut()), "");
    // Modifiers alone, as the editor holds them before a key is chosen.
    KxShortcut modifiersOnly;
    modifiersOnly.control = modifiersOnly.shift = true;
    EXPECT_EQ(linux.shortcutText(modifiersOnly), "Ctrl+Shift");

    // The assignment list: Command, Option and Shift.
    EXPECT_EQ(linux.modifierMaskTitle(0x1A0000), "Super+Alt+Shift");
    EXPECT_EQ(linux.modifierMaskTitle(0), "");
    EXPECT_EQ(linux.assignmentTitle(0x40000, "Scroll Up"), "Ctrl+Scroll Up");
    EXPECT_EQ(linux.assignmentTitle(0, "Side 3"), "Side 3");
    EXPECT_EQ(linux.recorderModifiers(),
              (std::array<std::string, 4>{"Ctrl", " Alt", " Shift", " Super"}));

    // The Mac's: glyphs, unchanged.
    const DesktopConventions& mac = DesktopConventions::forMac();
    EXPECT_EQ(mac.assignmentTitle(0x1A0000, "Side 3"), "⌘⇧⌥ + Side 3");
    EXPECT_EQ(mac.shortcutText(recorded(51, "Del", false, true, false, false)), "⌃ Del");
}

class InstalledConventionsTest : public ActionTestDesktop {
  protected:
    void useLinux() {
        root.reset();
        root = std::make_unique<CompositionRoot>(desktop, DesktopConventions::forLinux());
        desktop.clearRecords();
    }
    std::vector<std::string> desktopCommands() const {
        std::vector<std::string> out;
        for (const auto& r : desktop.records())
            if (auto* c = std::get_if<records::DesktopCommand>(&r.what)) out.push_back(c->command);
        return out;
    }
};

TEST_F(InstalledConventionsTest, TheCatalogueKeepsItsStoredFormAndShowsTheDesktopsTitles) {
    const auto macEntries = KxShortcutsKeeper::getPreDefinedShortcuts();
    EXPECT_EQ(entry(SystemShortcut::Copy).displayText(), "Copy (⌘ C)");
    EXPECT_EQ(recorded(9, "V", true, false, true, false).displayText(), " ⇧ ⌘ V");
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0x40000), "⌃");

    useLinux();
    EXPECT_EQ(KxShortcutsKeeper::getPreDefinedShortcuts(), macEntries);
    EXPECT_EQ(entry(SystemShortcut::Copy).displayText(), "Copy (Ctrl+C)");
    EXPECT_EQ(entry(SystemShortcut::CleanPaste).displayText(), "Clean Paste (Ctrl+Shift+V)");
    EXPECT_EQ(entry(SystemShortcut::DoNothing).displayText(), "Do Nothing");
    EXPECT_EQ(recorded(9, "V", true, false, true, false).displayText(), "Super+Shift+V");
    EXPECT_EQ(KxShortcutsKeeper::modifierMaskTitle(0x40000), "Ctrl");
    // A title the catalogue never had is shown as stored.
    EXPECT_EQ(KxShortcut(8, "My text", true, false, false, false, true).displayText(), "My text");

    // Gone with the program that installed them.
    root.reset();
    EXPECT_EQ(entry(SystemShortcut::Copy).displayText(), "Copy (⌘ C)");
}

TEST_F(InstalledConventionsTest, AnEntryIsKnownByItsStoredTitleWhateverKeyItCarries) {
    // Files written on a Mac store "Hide Others" with F11 (103).
    const KxShortcut stored(103, "Hide Others (⌥ ⌘ H)", true, false, false, true, true);
    EXPECT_EQ(KxShortcutsKeeper::systemShortcutOf(stored), SystemShortcut::HideOthers);
    EXPECT_EQ(
        KxShortcutsKeeper::systemShortcutOf(recorded(8, "Copy (⌘ C)", true, false, false, false)),
        std::nullopt);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(
            KxShortcutsKeeper::systemShortcutOf(KxShortcutsKeeper::getPreDefinedShortcuts().at(i)),
            static_cast<SystemShortcut>(i));
}

TEST_F(InstalledConventionsTest, OnLinuxCopyBackAndZoomPressTheKeysLinuxDesktopsUse) {
    useLinux();
    CustomActionHandler::triggerShortcut(entry(SystemShortcut::Copy));
    // Control (59) around C (8), as Command was on the Mac.
    EXPECT_EQ(keyPosts(),
              (std::vector<KeyPost>{down(59), down(8, kControl), up(59), up(8, kControl)}));
    desktop.clearRecords();
    CustomActionHandler::triggerShortcut(entry(SystemShortcut::Back));
    CustomActionHandler::triggerShortcut(entry(SystemShortcut::CleanPaste));
    EXPECT_EQ(keyPosts(),
              (std::vector<KeyPost>{
                  down(58), down(123, kOption | kFn), up(58), up(123, kOption | kFn), down(59),
                  down(56), down(9, kControl | kShift), up(59), up(56), up(9, kControl | kShift)}));
    desktop.clearRecords();
    // Super (Command, 55) and Alt with 8 (28): GNOME's zoom.
    CustomActionHandler::triggerShortcut(entry(SystemShortcut::Zoom));
    EXPECT_EQ(keyPosts(), (std::vector<KeyPost>{down(55), down(58), down(28, 0x100000 | kOption),
                                                up(55), up(58), up(28, 0x100000 | kOption)}));
    EXPECT_TRUE(desktopCommands().empty());
}

TEST_F(InstalledConventionsTest, OnLinuxWindowsAndDesktopsGoThroughTheDesktopsOwnMeans) {
    useLinux();
    for (SystemShortcut s :
         {SystemShortcut::Minimize, SystemShortcut::Hide, SystemShortcut::HideOthers,
          SystemShortcut::ShowDesktop, SystemShortcut::RightDesktop, SystemShortcut::LeftDesktop,
          SystemShortcut::ShowAllWindows, SystemShortcut::ShowLaunchpad, SystemShortcut::DoNothing})
        CustomActionHandler::triggerShortcut(entry(s));
    desktop.advanceBySeconds(1);
    EXPECT_EQ(desktopCommands(),
              (std::vector<std::string>{"minimize-window", "hide-application",
                                        "hide-other-applications", "show-desktop", "next-desktop",
                                        "previous-desktop", "show-overview", "show-applications"}));
    // No key, no click on a panel, no Dock notification.
    EXPECT_TRUE(delivered().empty());
    for (const auto& r : desktop.records())
        EXPECT_FALSE(std::holds_alternative<records::DockNotification>(r.what));

    // A recorded shortcut is pressed as stored: Super+M stays Super+M.
    desktop.clearRecords();
    CustomActionHandler::triggerShortcut(recorded(46, "M", true, false, false, false));
    EXPECT_EQ(keyPosts(),
              (std::vector<KeyPost>{down(55), down(46, 0x100000), up(55), up(46, 0x100000)}));
}

}  // namespace
}  // namespace wexo::testing
