#include "ui/qt/ToolTips.h"

#include <QCoreApplication>
#include <array>
#include <utility>

#include "platform/Log.h"

namespace wexo::ui::qt {

namespace {
struct Entry {
    const char* key;
    const char* text;
};

// QT_TRANSLATE_NOOP marks the texts for lupdate; tr() looks them up at run
// time under the "ToolTips" context.
constexpr std::array kTable = {
    Entry{"scrollOutlt",
          QT_TRANSLATE_NOOP("ToolTips", "Smooth scrolling per display and application")},
    Entry{"buttonsOutlt",
          QT_TRANSLATE_NOOP("ToolTips", "Actions for mouse buttons and wheel directions")},
    Entry{"gestureOutlt", QT_TRANSLATE_NOOP("ToolTips", "Gestures drawn with a held mouse button")},
    Entry{"grabOutlt",
          QT_TRANSLATE_NOOP("ToolTips", "Scroll by grabbing and dragging the content")},
    Entry{"autoOutlt",
          QT_TRANSLATE_NOOP("ToolTips", "Scroll by moving the pointer away from an anchor")},
    Entry{"scrollScreensCounter", QT_TRANSLATE_NOOP("ToolTips", "Number of connected displays")},
    Entry{"scrollScreens",
          QT_TRANSLATE_NOOP("ToolTips", "Edit the settings of all displays or of one display")},
    Entry{"scrollAnimate",
          QT_TRANSLATE_NOOP("ToolTips", "Turn each wheel notch into a smooth, eased scroll")},
    Entry{"horzScrollAnimate", QT_TRANSLATE_NOOP("ToolTips", "Animate horizontal scrolling")},
    Entry{"verScrollAnimate", QT_TRANSLATE_NOOP("ToolTips", "Animate vertical scrolling")},
    Entry{"scrollEnableDisable",
          QT_TRANSLATE_NOOP("ToolTips", "Switch Wexo's scrolling on or off everywhere")},
    Entry{"scrollLines", QT_TRANSLATE_NOOP("ToolTips", "How many lines one wheel notch scrolls")},
    Entry{"scrollAnimationSelect",
          QT_TRANSLATE_NOOP("ToolTips", "Choose the easing curve of the scroll animation")},
    Entry{"scrollContinuous",
          QT_TRANSLATE_NOOP("ToolTips", "Keep accelerating while the wheel keeps turning")},
    Entry{"multiplyLines",
          QT_TRANSLATE_NOOP("ToolTips",
                            "Multiply the lines per notch while Command (Super) is held")},
    Entry{"divideLines",
          QT_TRANSLATE_NOOP("ToolTips", "Divide the lines per notch while Option (Alt) is held")},
    Entry{"scrollAcceleration",
          QT_TRANSLATE_NOOP("ToolTips", "How strongly continuous scrolling accelerates")},
    Entry{"scrollDuration", QT_TRANSLATE_NOOP("ToolTips", "How long one notch's animation lasts")},
    Entry{"scrollDirectionV", QT_TRANSLATE_NOOP("ToolTips", "Reverse the vertical direction")},
    Entry{"scrollDirectionH", QT_TRANSLATE_NOOP("ToolTips", "Reverse the horizontal direction")},
    Entry{"buttonsEnableDisable",
          QT_TRANSLATE_NOOP("ToolTips",
                            "Leave the buttons to the system, or let Wexo run their actions")},
    Entry{"buttonsScrollView",
          QT_TRANSLATE_NOOP("ToolTips",
                            "Press a mouse button or turn the wheel over this list to add it")},
    Entry{"buttonsModifiers",
          QT_TRANSLATE_NOOP("ToolTips", "Keys to hold together with the button")},
    Entry{"gestureHideDrawing",
          QT_TRANSLATE_NOOP("ToolTips", "Do not draw the gesture's trail on screen")},
    Entry{"gestureHideOverlay",
          QT_TRANSLATE_NOOP("ToolTips", "Do not show the box around a gesture's start")},
    Entry{"gestureAddApp",
          QT_TRANSLATE_NOOP("ToolTips", "Add an application with gestures of its own")},
    Entry{"gestureAddBind",
          QT_TRANSLATE_NOOP("ToolTips", "Press another button while holding the gesture button")},
    Entry{"grabSpeed", QT_TRANSLATE_NOOP("ToolTips", "How fast the content follows the pointer")},
    Entry{"grabDisableAction", QT_TRANSLATE_NOOP("ToolTips", "Swallow the trigger's own click")},
    Entry{"grabAnimateThrow",
          QT_TRANSLATE_NOOP("ToolTips", "Keep scrolling for a moment after release")},
    Entry{"grabThrowDuration", QT_TRANSLATE_NOOP("ToolTips", "How long the throw lasts")},
    Entry{"dontMoveCursor",
          QT_TRANSLATE_NOOP("ToolTips", "Keep the pointer in place while grabbing")},
    Entry{"autoSpeed",
          QT_TRANSLATE_NOOP("ToolTips", "How fast auto scroll follows the pointer's distance")},
    Entry{"autoRelease", QT_TRANSLATE_NOOP("ToolTips", "Slow down smoothly when auto scroll ends")},
    Entry{"smartScrollOutlt",
          QT_TRANSLATE_NOOP("ToolTips", "Only start auto scroll over content that scrolls")},
    Entry{"autoReleaseDuration", QT_TRANSLATE_NOOP("ToolTips", "How long the slow-down lasts")},
    Entry{"overLinkActAsButton",
          QT_TRANSLATE_NOOP("ToolTips", "Over a link the button clicks as usual")},
    Entry{"holdToActivate",
          QT_TRANSLATE_NOOP("ToolTips", "Auto scroll only while the button is held")},
    Entry{"superSlowDown", QT_TRANSLATE_NOOP("ToolTips", "Scroll much slower near the anchor")},
    Entry{"settingsAcceleration",
          QT_TRANSLATE_NOOP("ToolTips", "Pointer acceleration, from none to the strongest")},
};
}  // namespace

QString ToolTips::text(const std::string& key) {
    for (const Entry& e : kTable)
        if (key == e.key) return QCoreApplication::translate("ToolTips", e.text);
    WEXO_LOG_ERROR("No tooltip text for the key \"%@\"", key);
    return {};
}

std::vector<std::string> ToolTips::keys() {
    std::vector<std::string> out;
    for (const Entry& e : kTable) out.emplace_back(e.key);
    return out;
}

}  // namespace wexo::ui::qt
