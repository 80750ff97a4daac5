#include "settings/FileManagment.h"

#include <filesystem>
#include <system_error>

#include "platform/Log.h"
#include "platform/Platform.h"

namespace wexo {

std::optional<std::string> FileManagment::applicationDirectory() {
    auto& process = installedPlatform().process();
    auto support = process.applicationSupportDirectory();
    if (!support) return std::nullopt;
    const std::filesystem::path directory =
        std::filesystem::path(*support) / process.bundleIdentifier();
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) return std::nullopt;
    return directory.string();
}

bool FileManagment::checkAndCreateDirectoryAt(const std::string& path) {
    std::error_code error;
    if (path.empty()) {
        error = std::make_error_code(std::errc::no_such_file_or_directory);
    } else {
        if (std::filesystem::exists(path, error)) return true;
        error.clear();
        std::filesystem::create_directories(path, error);
    }
    if (error) {
        WEXO_LOG_ERROR("Failed to create directory \"%@\". Error: %@", path, error.message());
        return false;
    }
    return true;
}

}  // namespace wexo
