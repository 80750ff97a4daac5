#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SettingsTestDesktop.h"
#include "settings/FileManagment.h"

namespace wexo {
namespace {

namespace fs = std::filesystem;

class FileManagmentTest : public testing::SettingsTestDesktop {
  protected:
    FileManagmentTest() {
        root_ = fs::temp_directory_path() /
                ("wexo-files-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    ~FileManagmentTest() override { fs::remove_all(root_); }

    fs::path root_;
};

TEST_F(FileManagmentTest, TheSupportDirectoryIsCreatedUnderTheBundleIdentifier) {
    desktop().simProcess().setApplicationSupportDirectory((root_ / "Application Support").string());
    auto directory = FileManagment::applicationDirectory();
    ASSERT_TRUE(directory);
    const fs::path expected =
        root_ / "Application Support" / platform::sim::SimProcess::builtBundleIdentifier();
    EXPECT_EQ(fs::path(*directory), expected);
    EXPECT_TRUE(fs::is_directory(expected));
    // Asking again succeeds on the existing directory.
    EXPECT_EQ(FileManagment::applicationDirectory(), directory);
}

TEST_F(FileManagmentTest, NoSupportDirectoryOrOneThatCannotBeCreatedGivesNothing) {
    desktop().simProcess().setApplicationSupportDirectory(std::nullopt);
    EXPECT_FALSE(FileManagment::applicationDirectory());

    std::ofstream(root_ / "file") << "x";
    desktop().simProcess().setApplicationSupportDirectory((root_ / "file").string());
    EXPECT_FALSE(FileManagment::applicationDirectory());
}

TEST_F(FileManagmentTest, CheckAndCreate) {
    const fs::path nested = root_ / "support" / "com.apple.Safari";
    EXPECT_TRUE(FileManagment::checkAndCreateDirectoryAt(nested.string()));
    EXPECT_TRUE(fs::is_directory(nested));
    EXPECT_TRUE(FileManagment::checkAndCreateDirectoryAt(nested.string()));

    // Something that exists counts, even when it is not a directory.
    std::ofstream(root_ / "file") << "x";
    EXPECT_TRUE(FileManagment::checkAndCreateDirectoryAt((root_ / "file").string()));
    EXPECT_TRUE(logged(platform::LogLevel::Error).empty());

    const std::string blocked = (root_ / "file" / "below").string();
    EXPECT_FALSE(FileManagment::checkAndCreateDirectoryAt(blocked));
    auto errors = logged(platform::LogLevel::Error);
    ASSERT_EQ(errors.size(), 1u);
    const std::string prefix = "Failed to create directory \"" + blocked + "\". Error: ";
    EXPECT_EQ(errors[0].substr(0, prefix.size()), prefix);
    EXPECT_GT(errors[0].size(), prefix.size());

    EXPECT_FALSE(FileManagment::checkAndCreateDirectoryAt(""));
}

}  // namespace
}  // namespace wexo
