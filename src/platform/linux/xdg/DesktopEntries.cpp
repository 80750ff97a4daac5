#include "platform/linux/xdg/DesktopEntries.h"

#include <gio/gdesktopappinfo.h>
#include <strings.h>

#include <filesystem>

#include "platform/linux/xdg/GioPointers.h"

namespace wexo::platform::xdg {

namespace {

constexpr std::string_view kSuffix = ".desktop";

std::string withoutSuffix(std::string_view id) {
    if (id.size() > kSuffix.size() && id.substr(id.size() - kSuffix.size()) == kSuffix)
        id.remove_suffix(kSuffix.size());
    return std::string(id);
}

// GIO's own executable reading stops at the first space, even inside
// quotes; the shell rules the Exec key follows keep a quoted path whole.
std::string executableOf(GAppInfo* info) {
    const char* commandLine = g_app_info_get_commandline(info);
    if (!commandLine) return {};
    gchar** argv = nullptr;
    if (!g_shell_parse_argv(commandLine, nullptr, &argv, nullptr)) return {};
    const std::string program = text(argv[0]);
    g_strfreev(argv);
    if (program.empty()) return {};
    if (g_path_is_absolute(program.c_str())) return canonicalPath(program);
    GCharPtr found(g_find_program_in_path(program.c_str()));
    return found ? canonicalPath(found.get()) : std::string();
}

DesktopEntry entryFrom(GDesktopAppInfo* info, std::string id) {
    auto* app = G_APP_INFO(info);
    DesktopEntry e;
    e.id = std::move(id);
    e.path = text(g_desktop_app_info_get_filename(info));
    e.name = text(g_app_info_get_name(app));
    if (GIcon* icon = g_app_info_get_icon(app)) {
        GCharPtr s(g_icon_to_string(icon));
        e.icon = text(s.get());
    }
    e.executable = executableOf(app);
    e.startupWMClass = text(g_desktop_app_info_get_startup_wm_class(info));
    return e;
}

}  // namespace

std::string canonicalPath(const std::string& path) {
    std::error_code ec;
    auto canonical = std::filesystem::canonical(path, ec);
    return ec ? path : canonical.string();
}

std::optional<DesktopEntry> DesktopEntries::byId(std::string_view id) const {
    const std::string bare = withoutSuffix(id);
    if (bare.empty()) return std::nullopt;
    GObjectPtr<GDesktopAppInfo> info(g_desktop_app_info_new((bare + ".desktop").c_str()));
    if (!info) return std::nullopt;
    return entryFrom(info.get(), bare);
}

std::optional<DesktopEntry> DesktopEntries::byPath(const std::string& path) {
    GObjectPtr<GDesktopAppInfo> info(g_desktop_app_info_new_from_filename(path.c_str()));
    if (!info) return std::nullopt;
    return entryFrom(info.get(), withoutSuffix(std::filesystem::path(path).filename().string()));
}

void DesktopEntries::loadIfNeeded(bool afterMiss) {
    const auto now = std::chrono::steady_clock::now();
    if (loadedAt_ && (!afterMiss || now - *loadedAt_ < kReloadInterval)) return;
    loadedAt_ = now;
    entries_.clear();
    GList* all = g_app_info_get_all();
    for (GList* l = all; l; l = l->next) {
        auto* info = G_DESKTOP_APP_INFO(l->data);
        const char* id = g_app_info_get_id(G_APP_INFO(info));
        if (id) entries_.push_back(entryFrom(info, withoutSuffix(id)));
    }
    g_list_free_full(all, g_object_unref);
}

std::optional<DesktopEntry> DesktopEntries::byStartupWMClass(std::string_view wmClass) {
    if (wmClass.empty()) return std::nullopt;
    const std::string wanted(wmClass);
    for (bool reloaded : {false, true}) {
        loadIfNeeded(reloaded);
        for (const auto& e : entries_)
            if (e.startupWMClass == wanted) return e;
        for (const auto& e : entries_)
            if (!e.startupWMClass.empty() &&
                strcasecmp(e.startupWMClass.c_str(), wanted.c_str()) == 0)
                return e;
    }
    return std::nullopt;
}

std::optional<DesktopEntry> DesktopEntries::byExecutable(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const std::string wanted = canonicalPath(path);
    for (bool reloaded : {false, true}) {
        loadIfNeeded(reloaded);
        const DesktopEntry* found = nullptr;
        int count = 0;
        for (const auto& e : entries_) {
            if (e.executable != wanted) continue;
            found = &e;
            ++count;
        }
        if (count == 1) return *found;
        if (count > 1) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace wexo::platform::xdg
