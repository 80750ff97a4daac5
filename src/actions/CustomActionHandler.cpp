#include "actions/CustomActionHandler.h"

#include <array>
#include <vector>

#include "actions/ActionHandles.h"
#include "actions/DesktopConventions.h"
#include "actions/ExposeQuery.h"
#include "actions/KxShortcutsKeeper.h"
#include "actions/MediaControl.h"
#include "actions/SimulateMouse.h"
#include "platform/Log.h"
#include "platform/Platform.h"

namespace wexo {

using platform::Event;
namespace EventFlags = platform::EventFlags;

namespace {

constexpr std::uint64_t kModifierBits =
    EventFlags::Command | EventFlags::Alternate | EventFlags::Control | EventFlags::Shift;

enum DockOrientation { kDockBottom = 2, kDockLeft = 3, kDockRight = 4 };

struct Modifier {
    bool held;
    std::uint16_t keyCode;
    std::uint64_t flag;
};

void showAllWindows() {
    if (CustomActionHandler::isClickOnDock() && !isExposeOpen()) SimulateMouse::leftClick();
    // The click lands on the Dock first; the windows are shown once it is through.
    auto timer = installedPlatform().runLoop().performAfterDelay(
        CustomActionHandler::kExposeDelay, [] { CustomActionHandler::openExpose(); });
    ActionHandles::shared().addPendingCall(std::move(timer));
}

}  // namespace

void CustomActionHandler::handleCustomAction(const CustomAction& action) {
    const std::optional<CustomAction::Kind> kind = action.kind();
    if (!kind) return;
    switch (*kind) {
        case CustomAction::Kind::MediaKey:
            // An action without its index runs nothing rather than entry 0.
            if (action.auxKey) MediaControl::postSystemKey(*action.auxKey);
            return;
        case CustomAction::Kind::KeyboardShortcut:
            if (action.shortcut) triggerShortcut(*action.shortcut);
            return;
        case CustomAction::Kind::OpenApplication:
            if (action.path && !action.path->empty())
                (void)installedPlatform().workspace().launchApplication(*action.path);
            return;
        case CustomAction::Kind::SimulatedMouse:
            if (action.auxKey) SimulateMouse::postSimulateMouseKey(*action.auxKey);
            return;
    }
}

void CustomActionHandler::triggerShortcut(const KxShortcut& shortcut) {
    // A catalogue entry does what its title says on this desktop, which may
    // be other keys than the stored ones, or the desktop's own means.
    if (const auto entry = KxShortcutsKeeper::systemShortcutOf(shortcut)) {
        const ShortcutMeaning meaning = DesktopConventions::current().meaning(*entry);
        switch (meaning.kind) {
            case ShortcutMeaning::Kind::AsStored:
                break;
            case ShortcutMeaning::Kind::Keys:
                return postShortcut(meaning.keys);
            case ShortcutMeaning::Kind::Desktop:
                if (!installedPlatform().dock().perform(meaning.command))
                    WEXO_LOG_INFO(
                        "This desktop has no means to %s",
                        std::string(platform::desktopCommandName(meaning.command)).c_str());
                return;
            case ShortcutMeaning::Kind::Nothing:
                return;
        }
    }
    postShortcut(shortcut);
}

void CustomActionHandler::postShortcut(const KxShortcut& shortcut) {
    // Without a key there is nothing to press: posting key code 0 would type
    // an "a" (or run the modifiers' A shortcut) that the user never chose.
    if (!shortcut.key) return;
    if (*shortcut.key == KxShortcut::kShowAllWindowsKey) return showAllWindows();
    if (*shortcut.key == KxShortcut::kNoKey) return;

    const std::array<Modifier, 4> modifiers{{
        {shortcut.command, 55, EventFlags::Command},
        {shortcut.option, 58, EventFlags::Alternate},
        {shortcut.control, 59, EventFlags::Control},
        {shortcut.shift, 56, EventFlags::Shift},
    }};
    std::vector<Event> modifierDowns, modifierUps;
    std::uint64_t modifierFlags = 0;
    for (const Modifier& m : modifiers) {
        if (!m.held) continue;
        modifierDowns.push_back(Event::keyboard(m.keyCode, true));
        modifierUps.push_back(Event::keyboard(m.keyCode, false));
        modifierFlags |= m.flag;
    }

    const auto keyCode = static_cast<std::uint16_t>(*shortcut.key);
    Event keyDown = Event::keyboard(keyCode, true);
    Event keyUp = Event::keyboard(keyCode, false);
    // Only the secondary-function bit of the created key survives, so modifier
    // keys the user holds do not add to the shortcut.
    const std::uint64_t created = keyDown.flags();
    std::uint64_t flags = created & EventFlags::SecondaryFn;
    if (modifierFlags != 0) flags = modifierFlags | (created & ~kModifierBits);
    keyDown.setFlags(flags);
    keyUp.setFlags(flags);

    platform::EventStream& stream = installedPlatform().eventStream();
    const auto post = [&](const Event& e) { stream.post(platform::TapLocation::HID, e); };
    for (const Event& e : modifierDowns) post(e);
    post(keyDown);
    for (const Event& e : modifierUps) post(e);
    post(keyUp);
}

void CustomActionHandler::openExpose() {
    installedPlatform().dock().sendNotification(kExposeNotification, 0);
}

bool CustomActionHandler::isClickOnDock() {
    platform::Platform& p = installedPlatform();
    const platform::Dock& dock = p.dock();
    if (dock.autoHideEnabled()) return false;

    // The display is looked up with the pointer as the event stream gives it
    // (origin top left); the Dock's edges are compared in the screen list's
    // coordinates (origin bottom left, y up).
    const platform::Point quartz = p.eventStream().pointerLocation();
    const auto displays = p.screens().displaysWithPoint(quartz, 1);
    if (!displays) {
        WEXO_LOG_ERROR("ERROR.");
        return false;
    }
    if (displays->empty()) return false;
    const std::vector<platform::ScreenInfo> screens = p.screens().screens();
    const platform::ScreenInfo* screen = nullptr;
    for (const auto& s : screens) {
        if (s.screenNumber == displays->front()) {
            screen = &s;
            break;
        }
    }
    if (!screen) return false;

    const platform::Rect& main = screens.front().frame;
    const platform::Point pointer{quartz.x, main.origin.y + main.size.height - quartz.y};
    const platform::Rect& f = screen->frame;
    const platform::Rect& v = screen->visibleFrame;
    // The magnified Dock reaches further than its resting size; the factor is
    // formed in single precision, as the Dock reports its size.
    const float magnified = dock.magnificationSize() + 1.0f;
    const double k = static_cast<double>(magnified);
    switch (dock.orientation()) {
        case kDockBottom:
            // Measured from the screen's own bottom edge, like the side
            // Docks from theirs, so that a screen above or below the main
            // one is judged by its own Dock band.
            return pointer.y < f.origin.y + k * (v.origin.y - f.origin.y);
        case kDockLeft:
            return pointer.x < f.origin.x + k * (f.size.width - v.size.width);
        case kDockRight:
            return pointer.x > f.origin.x + f.size.width - k * (f.size.width - v.size.width);
        default:
            return false;
    }
}

}  // namespace wexo
