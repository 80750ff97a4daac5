#include "platform/linux/xdg/Launcher.h"

#include <gio/gdesktopappinfo.h>
#include <unistd.h>

#include <filesystem>

#include "platform/Log.h"
#include "platform/linux/xdg/GioPointers.h"

namespace wexo::platform::xdg {

namespace {

bool isDesktopFile(const std::string& path) {
    return std::filesystem::path(path).extension() == ".desktop";
}

GObjectPtr<GAppInfo> appInfoFor(const std::string& what, GError** error) {
    if (isDesktopFile(what) && std::filesystem::path(what).is_absolute())
        return GObjectPtr<GAppInfo>(G_APP_INFO(g_desktop_app_info_new_from_filename(what.c_str())));
    if (std::filesystem::path(what).is_absolute()) {
        if (::access(what.c_str(), X_OK) != 0) return nullptr;
        // Quoted, so that a path with spaces or quotes stays one argument.
        GCharPtr quoted(g_shell_quote(what.c_str()));
        return GObjectPtr<GAppInfo>(g_app_info_create_from_commandline(
            quoted.get(), nullptr, G_APP_INFO_CREATE_NONE, error));
    }
    std::string id = what;
    if (!isDesktopFile(id)) id += ".desktop";
    return GObjectPtr<GAppInfo>(G_APP_INFO(g_desktop_app_info_new(id.c_str())));
}

}  // namespace

bool Launcher::launch(const std::string& what) {
    if (what.empty()) return false;
    GError* raw = nullptr;
    GObjectPtr<GAppInfo> info = appInfoFor(what, &raw);
    GErrorPtr error(raw);
    if (!info) {
        WEXO_LOG_ERROR("Cannot launch %@: %@", what,
                       error ? error->message : "no such application");
        return false;
    }
    raw = nullptr;
    const bool launched = g_app_info_launch(info.get(), nullptr, nullptr, &raw);
    error.reset(raw);
    if (!launched) WEXO_LOG_ERROR("Cannot launch %@: %@", what, error ? error->message : "");
    return launched;
}

bool Launcher::openUri(const std::string& uri) {
    if (uri.empty()) return false;
    GError* raw = nullptr;
    const bool opened = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &raw);
    GErrorPtr error(raw);
    if (!opened) WEXO_LOG_ERROR("Cannot open %@: %@", uri, error ? error->message : "");
    return opened;
}

std::optional<std::string> Launcher::idAtPath(const std::string& path) {
    if (path.empty()) return std::nullopt;
    if (isDesktopFile(path)) {
        if (auto e = DesktopEntries::byPath(path)) return e->id;
        return std::nullopt;
    }
    if (auto e = entries_.byExecutable(path)) return e->id;
    return std::nullopt;
}

}  // namespace wexo::platform::xdg
