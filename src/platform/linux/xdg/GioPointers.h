#pragma once

#include <gio/gio.h>

#include <memory>
#include <string>

namespace wexo::platform::xdg {

// Owning handles for the GLib objects and strings this room uses.
struct GObjectUnref {
    void operator()(gpointer p) const {
        if (p) g_object_unref(p);
    }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GFree {
    void operator()(gpointer p) const { g_free(p); }
};
using GCharPtr = std::unique_ptr<gchar, GFree>;

struct GErrorFree {
    void operator()(GError* e) const {
        if (e) g_error_free(e);
    }
};
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

// The text of a GLib string that may be null.
inline std::string text(const char* s) {
    return s ? std::string(s) : std::string();
}

}  // namespace wexo::platform::xdg
