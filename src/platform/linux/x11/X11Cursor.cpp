#include "platform/linux/x11/X11Cursor.h"

#include <X11/Xcursor/Xcursor.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>

namespace wexo::platform::x11 {

namespace {
struct ShapeNames {
    CursorShape shape;
    const char* themeName;
    unsigned fontShape;  // the core cursor when the theme has none
};
constexpr ShapeNames kShapes[] = {
    {CursorShape::Arrow, "left_ptr", XC_left_ptr},
    {CursorShape::OpenHand, "openhand", XC_hand1},
    {CursorShape::ClosedHand, "grabbing", XC_fleur},
    {CursorShape::Crosshair, "crosshair", XC_crosshair},
    {CursorShape::PointingHand, "pointer", XC_hand2},
    {CursorShape::IBeam, "text", XC_xterm},
};

const ShapeNames& namesOf(CursorShape shape) {
    for (const auto& s : kShapes)
        if (s.shape == shape) return s;
    return kShapes[0];
}
}  // namespace

const std::vector<std::string>& X11Cursor::replacedNames() {
    // The arrow and the text beam under the names toolkits load them by.
    static const std::vector<std::string> names{"left_ptr",       "default", "arrow",
                                                "top_left_arrow", "xterm",   "text"};
    return names;
}

X11Cursor::X11Cursor(X11Connection& connection) : c_(connection) {}

X11Cursor::~X11Cursor() {
    if (shown_ && *shown_ != CursorShape::Arrow) restoreNames();
    while (hidden_ > 0) unhide();
    XFlush(c_.display());
}

::Cursor X11Cursor::loadNamed(const std::string& name) const {
    return XcursorLibraryLoadCursor(c_.display(), name.c_str());
}

::Cursor X11Cursor::load(CursorShape shape) const {
    const ShapeNames& n = namesOf(shape);
    if (::Cursor themed = loadNamed(n.themeName)) return themed;
    return XCreateFontCursor(c_.display(), n.fontShape);
}

void X11Cursor::restoreNames() {
    Display* d = c_.display();
    c_.trapErrors([&] {
        for (const auto& name : replacedNames()) {
            // A fresh cursor of the theme carries the name and its own image.
            ::Cursor own = loadNamed(name);
            if (!own) continue;
            XFixesChangeCursorByName(d, own, name.c_str());
            XFreeCursor(d, own);
        }
        XUndefineCursor(d, c_.root());
    });
}

void X11Cursor::set(CursorShape shape) {
    if (shown_ == shape) return;
    shown_ = shape;
    if (shape == CursorShape::Arrow) return restoreNames();
    Display* d = c_.display();
    c_.trapErrors([&] {
        for (const auto& name : replacedNames()) {
            ::Cursor image = load(shape);
            if (!image) continue;
            // Named as the cursors it replaces, so that they can be found by
            // that name again to be put back.
            XFixesSetCursorName(d, image, name.c_str());
            XFixesChangeCursorByName(d, image, name.c_str());
            XFreeCursor(d, image);
        }
        if (::Cursor image = load(shape)) {
            XDefineCursor(d, c_.root(), image);
            XFreeCursor(d, image);
        }
    });
}

void X11Cursor::hide() {
    XFixesHideCursor(c_.display(), c_.root());
    XFlush(c_.display());
    ++hidden_;
}

void X11Cursor::unhide() {
    // Shows balance hides: one show too many must not undo another
    // program's hide.
    if (hidden_ == 0) return;
    XFixesShowCursor(c_.display(), c_.root());
    XFlush(c_.display());
    --hidden_;
}

Point X11Cursor::currentSystemCursorHotSpot() const {
    XFixesCursorImage* image = XFixesGetCursorImage(c_.display());
    if (!image) return Point{};
    const Point hot{double(image->xhot), double(image->yhot)};
    XFree(image);
    return hot;
}

Point X11Cursor::pointingHandHotSpot() const {
    Display* d = c_.display();
    for (const char* name : {"pointer", "hand2"}) {
        XcursorImage* image =
            XcursorLibraryLoadImage(name, XcursorGetTheme(d), XcursorGetDefaultSize(d));
        if (!image) continue;
        const Point hot{double(image->xhot), double(image->yhot)};
        XcursorImageDestroy(image);
        return hot;
    }
    return Point{};
}

}  // namespace wexo::platform::x11
