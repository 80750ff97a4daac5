#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/PreferenceStoreBase.h"

namespace wexo::platform {

// The user defaults of a Linux desktop: the domain is an XML property list
// (the form of a macOS preference file, so settings move between the two)
// at <folder>/<bundle identifier>.plist, where the folder is
// $XDG_CONFIG_HOME/wexo or, without it, ~/.config/wexo.
//
// The file is read once, when the store is made. synchronize writes it only
// when something changed, and atomically: a temporary file in the same
// folder is written and flushed to disk, then renamed over the old one, so a
// crash leaves either the old file or the new one. A file that cannot be
// read (damaged, truncated, empty, not a dictionary at its root) leaves the
// domain empty and is moved aside next to itself as <name>.corrupt-<UTC
// timestamp> when the store is made (or, when that move fails, before the
// first write would replace it); takeUnreadableBacking tells of it once. A
// dictionary that reads is taken key by key as it stands, whatever the
// types of its values.
//
// The global domain is read from a property list of its own, by default
// .GlobalPreferences.plist in the same folder (the name macOS gives it),
// when the store is made and again at each synchronize. Nothing on Linux
// writes it; a user or a desktop integration may.
class FilePreferenceStore final : public PreferenceStoreBase {
  public:
    struct Options {
        // The folder of the domain file; empty for the XDG default.
        std::filesystem::path directory;
        // The global domain's file; empty for .GlobalPreferences.plist in the
        // domain's folder.
        std::filesystem::path globalDomainFile;
    };

    explicit FilePreferenceStore(std::string bundleIdentifier, Options options = {});

    bool synchronize() override;
    std::optional<UnreadableBacking> takeUnreadableBacking() override;

    const std::filesystem::path& path() const { return path_; }

    // $XDG_CONFIG_HOME/wexo when that is an absolute path, else
    // $HOME/.config/wexo (the account's home when HOME is unset); empty when
    // no home can be found.
    static std::filesystem::path defaultDirectory();

    // Makes the next synchronize stop as a crash would: after the temporary
    // file is written and flushed, before the rename. It returns false and
    // leaves the temporary file behind.
    void crashBeforeRenameForTesting() { crashBeforeRename_ = true; }

  private:
    void load();
    void loadGlobalDomain();
    void setAsideAtStart(const std::string& why);
    // Where the file now is; nothing when it could not be moved.
    std::optional<std::filesystem::path> moveAside(const std::filesystem::path& file);
    bool writeAtomically(const std::filesystem::path& target, const std::string& bytes);

    std::filesystem::path path_;
    std::filesystem::path globalPath_;
    // The file on disk could not be read nor moved at the start; it must be
    // moved aside, not overwritten, by the first write.
    bool unreadableOnDisk_ = false;
    bool crashBeforeRename_ = false;
    std::optional<UnreadableBacking> unreadable_;
};

}  // namespace wexo::platform
