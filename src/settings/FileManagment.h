#pragma once

#include <optional>
#include <string>

namespace wexo {

// The support directory, where gesture thumbnails live: the user's
// application-support directory plus the program's bundle identifier.
class FileManagment {
  public:
    // The support directory, created (with its parents) when missing;
    // nothing when there is no application-support directory or the
    // directory cannot be created.
    static std::optional<std::string> applicationDirectory();
    // True when something exists at the path; otherwise creates the directory
    // with its parents and answers whether that worked, logging the failure.
    static bool checkAndCreateDirectoryAt(const std::string& path);
};

}  // namespace wexo
