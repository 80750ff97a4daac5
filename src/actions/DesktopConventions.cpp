#include "actions/DesktopConventions.h"

#include <utility>
#include <vector>

#include "actions/KxRecorder.h"
#include "actions/MouseButton.h"
#include "platform/ObjcFormat.h"
#include "platform/Shared.h"

namespace wexo {

namespace {

using platform::DesktopCommand;

class MacConventions : public DesktopConventions {
  public:
    std::string shortcutText(const KxShortcut& s) const override {
        std::string text;
        if (s.control) text += "⌃";
        if (s.option) text += " ⌥";
        if (s.shift) text += " ⇧";
        if (s.command) text += " ⌘";
        if (s.key) text += objcFormat(" %@", s.keyString.value_or(""));
        return text;
    }
    std::string modifierMaskTitle(std::int64_t mask) const override {
        std::string title;
        if (mask & MouseButton::kCommandMask) title = "⌘";
        if (mask & MouseButton::kShiftMask) title = objcFormat("%@⇧", title);
        if (mask & MouseButton::kOptionMask) title = objcFormat("%@⌥", title);
        if (mask & MouseButton::kControlMask) title = objcFormat("%@⌃", title);
        return title;
    }
    std::string assignmentTitle(std::int64_t mask, const std::string& name) const override {
        const std::string modifiers = modifierMaskTitle(mask);
        return modifiers.empty() ? name : objcFormat("%@ + %@", modifiers, name);
    }
    std::string keyName(std::int64_t, const std::string& stored) const override { return stored; }
    std::array<std::string, 4> recorderModifiers() const override { return {"⌃", "⌥", "⇧", "⌘"}; }
    std::string catalogueTitle(SystemShortcut, const std::string& stored) const override {
        return stored;
    }
    ShortcutMeaning meaning(SystemShortcut) const override { return {}; }
};

// Modifiers in the order Linux desktops write them (Super, Ctrl, Alt,
// Shift), joined by "+".
class LinuxConventions : public DesktopConventions {
  public:
    std::string shortcutText(const KxShortcut& s) const override {
        std::vector<std::string> parts = modifiers(s.command, s.control, s.option, s.shift);
        if (s.key) parts.push_back(keyName(*s.key, s.keyString.value_or("")));
        return join(parts);
    }
    std::string modifierMaskTitle(std::int64_t mask) const override {
        return join(modifiers(mask & MouseButton::kCommandMask, mask & MouseButton::kControlMask,
                              mask & MouseButton::kOptionMask, mask & MouseButton::kShiftMask));
    }
    std::string assignmentTitle(std::int64_t mask, const std::string& name) const override {
        const std::string title = modifierMaskTitle(mask);
        return title.empty() ? name : title + "+" + name;
    }
    std::string keyName(std::int64_t key, const std::string& stored) const override {
        // Where a Mac keyboard's label differs from a PC keyboard's for the
        // same key (Delete is Backspace, Help is Insert, Clear is Num Lock),
        // and the Mac's short names of the page keys.
        static const std::pair<std::int64_t, const char*> kPcNames[] = {
            {51, "Backspace"}, {117, "Delete"},    {114, "Insert"},
            {116, "Page Up"},  {121, "Page Down"}, {71, "Num Lock"},
        };
        for (const auto& [code, name] : kPcNames)
            if (code == key) return name;
        if (!stored.empty()) return stored;
        return key >= 0 ? KxRecorder::keyStringFormKeyCode(static_cast<std::uint64_t>(key)) : "?";
    }
    std::array<std::string, 4> recorderModifiers() const override {
        return {"Ctrl", " Alt", " Shift", " Super"};
    }
    std::string catalogueTitle(SystemShortcut entry, const std::string&) const override {
        return row(entry).title;
    }
    ShortcutMeaning meaning(SystemShortcut entry) const override { return row(entry).meaning; }

  private:
    struct Row {
        std::string title;
        ShortcutMeaning meaning;
    };
    static Row keys(std::string title, std::int64_t key, bool super, bool ctrl, bool alt,
                    bool shift) {
        ShortcutMeaning m;
        m.kind = ShortcutMeaning::Kind::Keys;
        m.keys = KxShortcut(key, KxRecorder::keyStringFormKeyCode(static_cast<std::uint64_t>(key)),
                            super, ctrl, shift, alt, false);
        return {std::move(title), m};
    }
    static Row desktop(std::string title, DesktopCommand command) {
        ShortcutMeaning m;
        m.kind = ShortcutMeaning::Kind::Desktop;
        m.command = command;
        return {std::move(title), m};
    }
    static const Row& row(SystemShortcut entry) {
        // In catalogue order. Keys where the common desktops bind the same
        // ones (GNOME's zoom and input-source switch, every browser's and
        // editor's Back, Forward, Copy and Paste); the desktop's own means
        // where each desktop binds other keys or none.
        static const Row kRows[] = {
            keys("Zoom (Super+Alt+8)", 28, true, false, true, false),
            keys("Change Language (Super+Space)", 49, true, false, false, false),
            desktop("Show Applications", DesktopCommand::ShowApplications),
            desktop("Show Desktop", DesktopCommand::ShowDesktop),
            desktop("Right Desktop", DesktopCommand::NextDesktop),
            desktop("Left Desktop", DesktopCommand::PreviousDesktop),
            desktop("Overview (All Windows)", DesktopCommand::ShowOverview),
            desktop("Hide (Minimize Application)", DesktopCommand::HideApplication),
            desktop("Hide Others (Minimize Others)", DesktopCommand::HideOtherApplications),
            desktop("Minimize Window", DesktopCommand::MinimizeWindow),
            keys("Forward (Alt+Right)", 124, false, false, true, false),
            keys("Back (Alt+Left)", 123, false, false, true, false),
            keys("Copy (Ctrl+C)", 8, false, true, false, false),
            keys("Paste (Ctrl+V)", 9, false, true, false, false),
            keys("Clean Paste (Ctrl+Shift+V)", 9, false, true, false, true),
            {"Do Nothing", ShortcutMeaning{ShortcutMeaning::Kind::Nothing, {}, {}}},
        };
        return kRows[static_cast<std::size_t>(entry)];
    }
    static std::vector<std::string> modifiers(bool super, bool ctrl, bool alt, bool shift) {
        std::vector<std::string> parts;
        if (super) parts.emplace_back("Super");
        if (ctrl) parts.emplace_back("Ctrl");
        if (alt) parts.emplace_back("Alt");
        if (shift) parts.emplace_back("Shift");
        return parts;
    }
    static std::string join(const std::vector<std::string>& parts) {
        std::string text;
        for (const std::string& p : parts) text += (text.empty() ? "" : "+") + p;
        return text;
    }
};

}  // namespace

const DesktopConventions& DesktopConventions::forMac() {
    static const MacConventions kMac;
    return kMac;
}

const DesktopConventions& DesktopConventions::forLinux() {
    static const LinuxConventions kLinux;
    return kLinux;
}

const DesktopConventions& DesktopConventions::current() {
    if (const auto* installed = SharedSlot<const DesktopConventions>::get()) return *installed;
    return forMac();
}

}  // namespace wexo
