#include "ui/qt/KeyTranslation.h"

#include <array>
#include <utility>

namespace wexo::ui::qt {

namespace {
using Pair = std::pair<int, std::uint16_t>;

// Letters, digits and the US keyboard's punctuation, with the symbols their
// keys give under Shift.
constexpr std::array kMain = {
    Pair{Qt::Key_A, 0x00},
    Pair{Qt::Key_S, 0x01},
    Pair{Qt::Key_D, 0x02},
    Pair{Qt::Key_F, 0x03},
    Pair{Qt::Key_H, 0x04},
    Pair{Qt::Key_G, 0x05},
    Pair{Qt::Key_Z, 0x06},
    Pair{Qt::Key_X, 0x07},
    Pair{Qt::Key_C, 0x08},
    Pair{Qt::Key_V, 0x09},
    Pair{Qt::Key_B, 0x0B},
    Pair{Qt::Key_Q, 0x0C},
    Pair{Qt::Key_W, 0x0D},
    Pair{Qt::Key_E, 0x0E},
    Pair{Qt::Key_R, 0x0F},
    Pair{Qt::Key_Y, 0x10},
    Pair{Qt::Key_T, 0x11},
    Pair{Qt::Key_1, 0x12},
    Pair{Qt::Key_2, 0x13},
    Pair{Qt::Key_3, 0x14},
    Pair{Qt::Key_4, 0x15},
    Pair{Qt::Key_6, 0x16},
    Pair{Qt::Key_5, 0x17},
    Pair{Qt::Key_Equal, 0x18},
    Pair{Qt::Key_9, 0x19},
    Pair{Qt::Key_7, 0x1A},
    Pair{Qt::Key_Minus, 0x1B},
    Pair{Qt::Key_8, 0x1C},
    Pair{Qt::Key_0, 0x1D},
    Pair{Qt::Key_BracketRight, 0x1E},
    Pair{Qt::Key_O, 0x1F},
    Pair{Qt::Key_U, 0x20},
    Pair{Qt::Key_BracketLeft, 0x21},
    Pair{Qt::Key_I, 0x22},
    Pair{Qt::Key_P, 0x23},
    Pair{Qt::Key_L, 0x25},
    Pair{Qt::Key_J, 0x26},
    Pair{Qt::Key_Apostrophe, 0x27},
    Pair{Qt::Key_K, 0x28},
    Pair{Qt::Key_Semicolon, 0x29},
    Pair{Qt::Key_Backslash, 0x2A},
    Pair{Qt::Key_Comma, 0x2B},
    Pair{Qt::Key_Slash, 0x2C},
    Pair{Qt::Key_N, 0x2D},
    Pair{Qt::Key_M, 0x2E},
    Pair{Qt::Key_Period, 0x2F},
    Pair{Qt::Key_QuoteLeft, 0x32},
    // Shifted.
    Pair{Qt::Key_Exclam, 0x12},
    Pair{Qt::Key_At, 0x13},
    Pair{Qt::Key_NumberSign, 0x14},
    Pair{Qt::Key_Dollar, 0x15},
    Pair{Qt::Key_AsciiCircum, 0x16},
    Pair{Qt::Key_Percent, 0x17},
    Pair{Qt::Key_Plus, 0x18},
    Pair{Qt::Key_ParenLeft, 0x19},
    Pair{Qt::Key_Ampersand, 0x1A},
    Pair{Qt::Key_Underscore, 0x1B},
    Pair{Qt::Key_Asterisk, 0x1C},
    Pair{Qt::Key_ParenRight, 0x1D},
    Pair{Qt::Key_BraceRight, 0x1E},
    Pair{Qt::Key_BraceLeft, 0x21},
    Pair{Qt::Key_QuoteDbl, 0x27},
    Pair{Qt::Key_Colon, 0x29},
    Pair{Qt::Key_Bar, 0x2A},
    Pair{Qt::Key_Less, 0x2B},
    Pair{Qt::Key_Question, 0x2C},
    Pair{Qt::Key_Greater, 0x2F},
    Pair{Qt::Key_AsciiTilde, 0x32},
    // Editing, navigation and function keys.
    Pair{Qt::Key_Return, 0x24},
    Pair{Qt::Key_Tab, 0x30},
    Pair{Qt::Key_Backtab, 0x30},
    Pair{Qt::Key_Space, 0x31},
    Pair{Qt::Key_Backspace, 0x33},
    Pair{Qt::Key_Escape, 0x35},
    Pair{Qt::Key_Meta, 0x37},
    Pair{Qt::Key_Super_L, 0x37},
    Pair{Qt::Key_Super_R, 0x36},
    Pair{Qt::Key_Shift, 0x38},
    Pair{Qt::Key_CapsLock, 0x39},
    Pair{Qt::Key_Alt, 0x3A},
    Pair{Qt::Key_AltGr, 0x3D},
    Pair{Qt::Key_Control, 0x3B},
    Pair{Qt::Key_F17, 0x40},
    Pair{Qt::Key_VolumeUp, 0x48},
    Pair{Qt::Key_VolumeDown, 0x49},
    Pair{Qt::Key_VolumeMute, 0x4A},
    Pair{Qt::Key_F18, 0x4F},
    Pair{Qt::Key_F19, 0x50},
    Pair{Qt::Key_F20, 0x5A},
    Pair{Qt::Key_F5, 0x60},
    Pair{Qt::Key_F6, 0x61},
    Pair{Qt::Key_F7, 0x62},
    Pair{Qt::Key_F3, 0x63},
    Pair{Qt::Key_F8, 0x64},
    Pair{Qt::Key_F9, 0x65},
    Pair{Qt::Key_F11, 0x67},
    Pair{Qt::Key_F13, 0x69},
    Pair{Qt::Key_F16, 0x6A},
    Pair{Qt::Key_F14, 0x6B},
    Pair{Qt::Key_F10, 0x6D},
    Pair{Qt::Key_F12, 0x6F},
    Pair{Qt::Key_F15, 0x71},
    Pair{Qt::Key_Help, 0x72},
    Pair{Qt::Key_Insert, 0x72},
    Pair{Qt::Key_Home, 0x73},
    Pair{Qt::Key_PageUp, 0x74},
    Pair{Qt::Key_Delete, 0x75},
    Pair{Qt::Key_F4, 0x76},
    Pair{Qt::Key_End, 0x77},
    Pair{Qt::Key_F2, 0x78},
    Pair{Qt::Key_PageDown, 0x79},
    Pair{Qt::Key_F1, 0x7A},
    Pair{Qt::Key_Left, 0x7B},
    Pair{Qt::Key_Right, 0x7C},
    Pair{Qt::Key_Down, 0x7D},
    Pair{Qt::Key_Up, 0x7E},
};

constexpr std::array kKeypad = {
    Pair{Qt::Key_Period, 0x41}, Pair{Qt::Key_Comma, 0x41},    Pair{Qt::Key_Asterisk, 0x43},
    Pair{Qt::Key_Plus, 0x45},   Pair{Qt::Key_Clear, 0x47},    Pair{Qt::Key_Slash, 0x4B},
    Pair{Qt::Key_Enter, 0x4C},  Pair{Qt::Key_Minus, 0x4E},    Pair{Qt::Key_Equal, 0x51},
    Pair{Qt::Key_0, 0x52},      Pair{Qt::Key_1, 0x53},        Pair{Qt::Key_2, 0x54},
    Pair{Qt::Key_3, 0x55},      Pair{Qt::Key_4, 0x56},        Pair{Qt::Key_5, 0x57},
    Pair{Qt::Key_6, 0x58},      Pair{Qt::Key_7, 0x59},        Pair{Qt::Key_8, 0x5B},
    Pair{Qt::Key_9, 0x5C},      Pair{Qt::Key_Home, 0x59},     Pair{Qt::Key_End, 0x53},
    Pair{Qt::Key_PageUp, 0x5C}, Pair{Qt::Key_PageDown, 0x55}, Pair{Qt::Key_Left, 0x56},
    Pair{Qt::Key_Right, 0x58},  Pair{Qt::Key_Up, 0x5B},       Pair{Qt::Key_Down, 0x54},
    Pair{Qt::Key_Insert, 0x52}, Pair{Qt::Key_Delete, 0x41},
};

// The flag a modifier key itself stands for; 0 for other keys.
std::uint64_t modifierFlagOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Shift:
            return platform::EventFlags::Shift;
        case Qt::Key_Control:
            return platform::EventFlags::Control;
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
            return platform::EventFlags::Alternate;
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
            return platform::EventFlags::Command;
        case Qt::Key_CapsLock:
            return platform::EventFlags::AlphaShift;
        default:
            return 0;
    }
}
}  // namespace

std::uint64_t KeyTranslation::flags(Qt::KeyboardModifiers m) {
    std::uint64_t f = 0;
    if (m & Qt::ShiftModifier) f |= platform::EventFlags::Shift;
    if (m & Qt::ControlModifier) f |= platform::EventFlags::Control;
    if (m & Qt::AltModifier) f |= platform::EventFlags::Alternate;
    if (m & Qt::MetaModifier) f |= platform::EventFlags::Command;
    if (m & Qt::KeypadModifier) f |= platform::EventFlags::NumericPad;
    return f;
}

std::optional<std::uint16_t> KeyTranslation::keyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier)
        for (const Pair& p : kKeypad)
            if (p.first == qtKey) return p.second;
    for (const Pair& p : kMain)
        if (p.first == qtKey) return p.second;
    return std::nullopt;
}

std::optional<platform::Event> KeyTranslation::fromQt(const QKeyEvent& event) {
    const bool down = event.type() == QEvent::KeyPress || event.type() == QEvent::ShortcutOverride;
    const auto code = keyCode(event.key(), event.modifiers());
    if (!code) return std::nullopt;
    platform::Event e = platform::Event::keyboard(*code, down);
    std::uint64_t f = flags(event.modifiers());
    if (const std::uint64_t own = modifierFlagOf(event.key())) {
        // A modifier key alone changes the flags; they hold what is down after it.
        e.setType(platform::EventType::FlagsChanged);
        f = down ? (f | own) : (f & ~own);
    }
    e.setFlags(f);
    e.setIntegerField(platform::EventField::KeyboardEventAutorepeat, event.isAutoRepeat() ? 1 : 0);
    return e;
}

}  // namespace wexo::ui::qt
