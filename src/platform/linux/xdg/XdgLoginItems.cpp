#include "platform/linux/xdg/XdgLoginItems.h"

#include <gio/gdesktopappinfo.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

#include "platform/Log.h"
#include "platform/linux/xdg/GioPointers.h"

namespace wexo::platform::xdg {

namespace fs = std::filesystem;

namespace {

constexpr const char* kGroup = "Desktop Entry";

struct KeyFileFree {
    void operator()(GKeyFile* k) const { g_key_file_free(k); }
};
using KeyFilePtr = std::unique_ptr<GKeyFile, KeyFileFree>;

KeyFilePtr loadKeyFile(const fs::path& file) {
    KeyFilePtr key(g_key_file_new());
    if (!g_key_file_load_from_file(
            key.get(), file.c_str(),
            static_cast<GKeyFileFlags>(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS),
            nullptr) ||
        !g_key_file_has_group(key.get(), kGroup))
        return nullptr;
    return key;
}

bool booleanKey(GKeyFile* key, const char* name) {
    return g_key_file_get_boolean(key, kGroup, name, nullptr);
}

// Written beside the target and renamed over it, so that a session starting
// meanwhile never reads half an entry.
bool saveKeyFile(GKeyFile* key, const fs::path& file) {
    GError* raw = nullptr;
    const bool saved = g_key_file_save_to_file(key, file.c_str(), &raw);
    GErrorPtr error(raw);
    if (!saved) WEXO_LOG_ERROR("Cannot write %@: %@", file.string(), error ? error->message : "");
    return saved;
}

std::vector<fs::path> desktopFilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        if (e.path().extension() == ".desktop") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

// An Exec argument in the double quotes desktop entries use, with the four
// characters that stay special inside them escaped.
std::string execQuoted(const std::string& argument) {
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::vector<fs::path> splitDirs(const char* value) {
    std::vector<fs::path> dirs;
    std::stringstream in(value ? value : "");
    std::string part;
    while (std::getline(in, part, ':'))
        if (!part.empty() && fs::path(part).is_absolute()) dirs.emplace_back(part);
    return dirs;
}

}  // namespace

XdgLoginItems::Directories XdgLoginItems::Directories::fromEnvironment() {
    Directories d;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (config && fs::path(config).is_absolute())
        d.configHome = fs::path(config);
    else if (home && *home)
        d.configHome = fs::path(home) / ".config";
    d.configDirs = splitDirs(std::getenv("XDG_CONFIG_DIRS"));
    if (d.configDirs.empty()) d.configDirs.emplace_back("/etc/xdg");
    return d;
}

std::optional<fs::path> XdgLoginItems::userFolder() const {
    if (!dirs_.configHome) return std::nullopt;
    return *dirs_.configHome / "autostart";
}

std::string XdgLoginItems::resolve(const fs::path& file) const {
    const std::string id = file.stem().string();
    if (auto installed = entries_.byId(id)) return installed->path;
    if (auto own = DesktopEntries::byPath(file.string()); own && !own->executable.empty())
        return own->executable;
    return file.string();
}

std::vector<XdgLoginItems::Item> XdgLoginItems::items() const {
    // A file name seen in a more important folder hides the same name in
    // the folders after it, whether it is enabled or not.
    std::map<std::string, bool> seen;
    std::vector<Item> found;
    std::vector<fs::path> folders;
    if (auto user = userFolder()) folders.push_back(*user);
    for (const auto& d : dirs_.configDirs) folders.push_back(d / "autostart");
    for (const auto& folder : folders) {
        for (const auto& file : desktopFilesIn(folder)) {
            const std::string name = file.filename().string();
            if (seen.count(name)) continue;
            seen[name] = true;
            KeyFilePtr key = loadKeyFile(file);
            if (!key || booleanKey(key.get(), "Hidden")) continue;
            if (g_key_file_has_key(key.get(), kGroup, "X-GNOME-Autostart-enabled", nullptr) &&
                !booleanKey(key.get(), "X-GNOME-Autostart-enabled"))
                continue;
            found.push_back(Item{file, resolve(file)});
        }
    }
    return found;
}

std::optional<std::vector<std::string>> XdgLoginItems::snapshot() const {
    if (!userFolder()) return std::nullopt;
    std::vector<std::string> paths;
    for (const auto& item : items()) paths.push_back(item.resolved);
    return paths;
}

bool XdgLoginItems::insertLast(const std::string& path) {
    auto folder = userFolder();
    if (!folder || path.empty()) return false;
    std::error_code ec;
    fs::create_directories(*folder, ec);
    if (ec) {
        WEXO_LOG_ERROR("Failed to create directory \"%@\". Error: %@", folder->string(),
                       ec.message());
        return false;
    }
    const fs::path source(path);
    if (source.extension() == ".desktop") {
        KeyFilePtr key = loadKeyFile(source);
        if (!key) return false;
        // A copy that a user once switched off must not stay off.
        g_key_file_remove_key(key.get(), kGroup, "Hidden", nullptr);
        g_key_file_remove_key(key.get(), kGroup, "X-GNOME-Autostart-enabled", nullptr);
        return saveKeyFile(key.get(), *folder / source.filename());
    }
    if (!source.is_absolute() || !fs::is_regular_file(source)) return false;
    KeyFilePtr key(g_key_file_new());
    g_key_file_set_string(key.get(), kGroup, "Type", "Application");
    g_key_file_set_string(key.get(), kGroup, "Name", source.filename().c_str());
    g_key_file_set_string(key.get(), kGroup, "Exec", execQuoted(path).c_str());
    return saveKeyFile(key.get(), *folder / (source.filename().string() + ".desktop"));
}

bool XdgLoginItems::remove(const std::string& path) {
    auto folder = userFolder();
    if (!folder) return false;
    for (const auto& item : items()) {
        if (item.resolved != path) continue;
        std::error_code ec;
        // Deleting the user's file would bring back a system entry of the
        // same name that it was hiding.
        const bool shadows = std::any_of(
            dirs_.configDirs.begin(), dirs_.configDirs.end(),
            [&](const fs::path& d) { return fs::exists(d / "autostart" / item.file.filename()); });
        if (item.file.parent_path() == *folder && !shadows) return fs::remove(item.file, ec) && !ec;
        fs::create_directories(*folder, ec);
        KeyFilePtr key = loadKeyFile(item.file);
        if (!key) return false;
        g_key_file_set_boolean(key.get(), kGroup, "Hidden", TRUE);
        return saveKeyFile(key.get(), *folder / item.file.filename());
    }
    return false;
}

}  // namespace wexo::platform::xdg
