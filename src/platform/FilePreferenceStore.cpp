#include "platform/FilePreferenceStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/Log.h"
#include "plist/PropertyList.h"

namespace wexo::platform {

namespace fs = std::filesystem;

namespace {

// Far beyond any settings file; a file this large is not one.
constexpr std::size_t kMaxFileSize = 256u << 20;

std::string errorText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

struct FileBytes {
    enum class Outcome { Missing, Read, Failed } outcome;
    std::string bytes;
    std::string error;
};

FileBytes readWholeFile(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {FileBytes::Outcome::Missing, {}, {}};
        return {FileBytes::Outcome::Failed, {}, errorText(errno)};
    }
    FileBytes result{FileBytes::Outcome::Read, {}, {}};
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            result = {FileBytes::Outcome::Failed, {}, errorText(errno)};
            break;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(n));
        if (result.bytes.size() > kMaxFileSize) {
            result = {FileBytes::Outcome::Failed, {}, "file too large"};
            break;
        }
    }
    ::close(fd);
    return result;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A bundle identifier names a file; nothing in it may lead elsewhere.
std::string fileNameFor(std::string bundleIdentifier) {
    for (char& c : bundleIdentifier) {
        if (c == '/' || c == '\0') c = '_';
    }
    if (bundleIdentifier.empty() || bundleIdentifier == "." || bundleIdentifier == "..")
        bundleIdentifier = "_" + bundleIdentifier;
    return bundleIdentifier + ".plist";
}

// Where a write to `path` has to land so that a symbolic link (settings kept
// in a dotfiles repository, say) stays a link to the new contents.
fs::path resolveLinks(fs::path path) {
    std::error_code ec;
    for (int hops = 0; hops < 16 && fs::is_symlink(path, ec); ++hops) {
        fs::path target = fs::read_symlink(path, ec);
        if (ec) break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

std::string utcTimestamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

std::string joined(const std::vector<std::string>& problems) {
    std::string text;
    for (const auto& p : problems) text += (text.empty() ? "" : "; ") + p;
    return text;
}

}  // namespace

FilePreferenceStore::FilePreferenceStore(std::string bundleIdentifier, Options options)
    : PreferenceStoreBase(bundleIdentifier, {}, {}) {
    fs::path directory = options.directory.empty() ? defaultDirectory() : options.directory;
    if (!directory.empty()) path_ = directory / fileNameFor(std::move(bundleIdentifier));
    globalPath_ = !options.globalDomainFile.empty() ? options.globalDomainFile
                  : directory.empty()               ? fs::path()
                                                    : directory / ".GlobalPreferences.plist";
    load();
    loadGlobalDomain();
}

fs::path FilePreferenceStore::defaultDirectory() {
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        return fs::path(xdg) / "wexo";
    const char* home = std::getenv("HOME");
    if (!home || home[0] == '\0') {
        const passwd* account = ::getpwuid(::getuid());
        home = account ? account->pw_dir : nullptr;
    }
    if (!home || home[0] == '\0') return {};
    return fs::path(home) / ".config" / "wexo";
}

void FilePreferenceStore::load() {
    if (path_.empty()) {
        WEXO_LOG_ERROR(
            "No home folder for the preference file of \"%@\"; settings will not be saved",
            bundleIdentifier());
        return;
    }
    const FileBytes file = readWholeFile(path_);
    if (file.outcome == FileBytes::Outcome::Missing) return;
    if (file.outcome == FileBytes::Outcome::Failed) {
        setAsideAtStart(file.error);
        return;
    }
    std::vector<std::string> problems;
    std::optional<plist::Value> root = plist::PropertyList::read(file.bytes, &problems);
    if (!root || !root->asDictionary()) {
        const std::string why = !root ? joined(problems)
                                      : std::string("its root is a ") +
                                            plist::typeName(root->type()) + ", not a dictionary";
        setAsideAtStart(why);
        return;
    }
    for (const auto& problem : problems)
        WEXO_LOG_ERROR("Preference file \"%@\": %@", path_.string(), problem);
    loadDomain(std::move(*root->asDictionary()));
}

// Moving the file at once, rather than at the first write, keeps what it
// held out of reach of anything this run saves, and lets the person be told
// where it went while the run is young.
void FilePreferenceStore::setAsideAtStart(const std::string& why) {
    unreadable_ = UnreadableBacking{path_.string(), {}};
    if (auto aside = moveAside(resolveLinks(path_))) {
        unreadable_->keptAt = aside->string();
        WEXO_LOG_INFO(
            "Preference file \"%@\" is unreadable (%@); moved aside to \"%@\", "
            "starting from the defaults",
            path_.string(), why, aside->string());
        return;
    }
    WEXO_LOG_ERROR(
        "Preference file \"%@\" is unreadable (%@); starting from the defaults, the file "
        "will be moved aside before it is replaced",
        path_.string(), why);
    unreadableOnDisk_ = true;
}

std::optional<PreferenceStore::UnreadableBacking> FilePreferenceStore::takeUnreadableBacking() {
    return std::exchange(unreadable_, std::nullopt);
}

void FilePreferenceStore::loadGlobalDomain() {
    if (globalPath_.empty()) return;
    const FileBytes file = readWholeFile(globalPath_);
    if (file.outcome == FileBytes::Outcome::Missing) {
        setGlobalDomain({});
        return;
    }
    std::vector<std::string> problems;
    std::optional<plist::Value> root;
    if (file.outcome == FileBytes::Outcome::Read)
        root = plist::PropertyList::read(file.bytes, &problems);
    else
        problems.push_back(file.error);
    if (!root || !root->asDictionary()) {
        WEXO_LOG_ERROR("Global preference file \"%@\" is unreadable (%@); read as empty",
                       globalPath_.string(), root ? "not a dictionary" : joined(problems));
        setGlobalDomain({});
        return;
    }
    setGlobalDomain(std::move(*root->asDictionary()));
}

bool FilePreferenceStore::synchronize() {
    loadGlobalDomain();
    if (!hasUnsavedChanges()) return true;
    if (path_.empty()) {
        WEXO_LOG_ERROR("Preferences of \"%@\" not saved: no home folder", bundleIdentifier());
        return false;
    }
    std::string problem;
    std::optional<std::string> xml =
        plist::PropertyList::write(plist::Value(domain()), plist::Format::Xml, &problem);
    if (!xml) {
        WEXO_LOG_ERROR("Preferences of \"%@\" not saved: %@", bundleIdentifier(), problem);
        return false;
    }
    const fs::path directory = path_.parent_path();
    std::error_code ec;
    fs::create_directories(directory, ec);
    if (ec) {
        WEXO_LOG_ERROR("Failed to create directory \"%@\". Error: %@", directory.string(),
                       ec.message());
        return false;
    }
    const fs::path target = resolveLinks(path_);
    if (unreadableOnDisk_) {
        if (fs::exists(fs::symlink_status(target, ec))) {
            const auto aside = moveAside(target);
            if (!aside) return false;
            WEXO_LOG_ERROR("Moved unreadable preference file \"%@\" aside to \"%@\"",
                           target.string(), aside->string());
        }
        unreadableOnDisk_ = false;
    }
    if (!writeAtomically(target, *xml)) return false;
    markSaved();
    return true;
}

std::optional<fs::path> FilePreferenceStore::moveAside(const fs::path& file) {
    const std::string stem = file.filename().string() + ".corrupt-" + utcTimestamp();
    fs::path aside = file.parent_path() / stem;
    std::error_code ec;
    for (int n = 2; fs::exists(fs::symlink_status(aside, ec)); ++n)
        aside = file.parent_path() / (stem + "-" + std::to_string(n));
    if (::rename(file.c_str(), aside.c_str()) != 0) {
        WEXO_LOG_ERROR(
            "Could not move unreadable preference file \"%@\" aside (%@); not "
            "replacing it",
            file.string(), errorText(errno));
        return std::nullopt;
    }
    return aside;
}

bool FilePreferenceStore::writeAtomically(const fs::path& target, const std::string& bytes) {
    const std::string pattern =
        (target.parent_path() / (target.filename().string() + ".tmp-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        WEXO_LOG_ERROR("Could not write preference file \"%@\": %@", target.string(),
                       errorText(errno));
        return false;
    }
    const std::string temporary(name.data());
    // The replacement keeps the permissions the user gave the old file.
    struct stat old;
    if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);

    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        WEXO_LOG_ERROR("Could not write preference file \"%@\": %@", target.string(),
                       errorText(written ? errno : writeError));
        ::unlink(temporary.c_str());
        return false;
    }
    if (crashBeforeRename_) {
        crashBeforeRename_ = false;
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        WEXO_LOG_ERROR("Could not replace preference file \"%@\": %@", target.string(),
                       errorText(errno));
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

}  // namespace wexo::platform
