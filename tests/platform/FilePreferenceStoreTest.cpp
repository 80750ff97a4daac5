#include "platform/FilePreferenceStore.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <optional>
#include <regex>

#include "platform/LogCapture.h"
#include "platform/TempFolder.h"
#include "plist/PropertyList.h"

namespace wexo::platform {
namespace {

namespace fs = std::filesystem;
using plist::Array;
using plist::Data;
using plist::Date;
using plist::Dictionary;
using plist::Value;

constexpr const char* kBundle = "com.wexo.Wexo";

class FilePreferenceStoreTest : public ::testing::Test {
  protected:
    FilePreferenceStore open() const {
        return FilePreferenceStore(kBundle, FilePreferenceStore::Options{folder.path(), {}});
    }
    fs::path file() const { return folder.path() / "com.wexo.Wexo.plist"; }
    std::string xmlOf(const Dictionary& d) const {
        return *plist::PropertyList::write(Value(d), plist::Format::Xml);
    }
    // The files moved aside so far.
    std::vector<fs::path> asideFiles() const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            if (entry.path().filename().string().rfind("com.wexo.Wexo.plist.corrupt-", 0) == 0)
                found.push_back(entry.path());
        }
        return found;
    }

    TempFolder folder;
};

TEST_F(FilePreferenceStoreTest, WhatIsSynchronizedIsWhatTheNextStoreReads) {
    const Dictionary settings{
        {"scrollingEnabled", true},
        {"scrollSpeed", 2.5},
        {"gestureNumber", 3},
        {"marker", -1600},
        {"disabledAppsArray", Array{"com.apple.Safari", "\xE6\x97\xA5\xE6\x9C\xAC"}},
        {"buttonAssignDict", Dictionary{{"3", Dictionary{{"0", Dictionary{{"typeOfAction", 2}}}}}}},
        {"thumb", Data{0xFF, 0xD8, 0x00}},
        {"since", Date{1700000000.0}},
    };
    {
        auto store = open();
        for (const auto& [key, value] : settings) ASSERT_TRUE(store.setObjectForKey(key, value));
        store.registerDefaults({{"registeredOnly", 1}});
        ASSERT_TRUE(store.synchronize());
        store.setObjectForKey("unsynchronized", 1);
    }
    EXPECT_EQ(open().persistentDomain(), settings);

    const std::string onDisk = TempFolder::read(file());
    EXPECT_EQ(onDisk.rfind("<?xml", 0), 0u);
    EXPECT_EQ(onDisk.find("registeredOnly"), std::string::npos);
}

TEST_F(FilePreferenceStoreTest, RemovedDomainStaysRemoved) {
    {
        auto store = open();
        store.setObjectForKey("scrollingEnabled", true);
        ASSERT_TRUE(store.synchronize());
        store.removePersistentDomainForName(kBundle);
        ASSERT_TRUE(store.synchronize());
    }
    EXPECT_TRUE(open().persistentDomain().empty());
    EXPECT_TRUE(fs::exists(file()));
}

TEST_F(FilePreferenceStoreTest, FolderComesFromXdgConfigHomeThenHome) {
    struct Restore {
        std::optional<std::string> xdg, home;
        Restore() {
            if (const char* v = getenv("XDG_CONFIG_HOME")) xdg = v;
            if (const char* v = getenv("HOME")) home = v;
        }
        ~Restore() {
            xdg ? setenv("XDG_CONFIG_HOME", xdg->c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
            home ? setenv("HOME", home->c_str(), 1) : unsetenv("HOME");
        }
    } restore;

    const fs::path config = folder.path() / "config";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    {
        FilePreferenceStore store(kBundle);
        EXPECT_EQ(store.path(), config / "wexo" / "com.wexo.Wexo.plist");
        store.setObjectForKey("scrollingEnabled", true);
        // The folders are made on the first write.
        ASSERT_TRUE(store.synchronize());
        EXPECT_TRUE(fs::exists(store.path()));
    }
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    setenv("HOME", folder.path().c_str(), 1);
    EXPECT_EQ(FilePreferenceStore::defaultDirectory(), folder.path() / ".config" / "wexo");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(FilePreferenceStore::defaultDirectory(), folder.path() / ".config" / "wexo");
}

TEST_F(FilePreferenceStoreTest, UnreadableFilesAreMovedAsideAtTheStartAndToldOfOnce) {
    const std::string good = xmlOf({{"scrollSpeed", 2.5}, {"scrollingEnabled", true}});
    const std::vector<std::pair<const char*, std::string>> damaged{
        {"truncated XML", good.substr(0, good.size() / 2)},
        {"random bytes", std::string("\x93\x01\xFE\x00\x7Fq\xC8", 7)},
        {"empty", ""},
        {"binary cut short",
         plist::PropertyList::write(Value(Dictionary{{"a", 1}}), plist::Format::Binary)
             ->substr(0, 20)},
        {"array at the root", xmlOf({}).replace(xmlOf({}).find("<dict/>"), 7, "<array/>")},
    };
    const std::regex asideName(R"(com\.wexo\.Wexo\.plist\.corrupt-\d{8}T\d{6}Z)");
    for (const auto& [what, bytes] : damaged) {
        SCOPED_TRACE(what);
        for (const auto& aside : asideFiles()) fs::remove(aside);
        fs::remove(file());
        TempFolder::write(file(), bytes);

        LogCapture log;
        auto store = open();
        EXPECT_TRUE(store.persistentDomain().empty());
        const auto aside = asideFiles();
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_TRUE(std::regex_match(aside[0].filename().string(), asideName));
        EXPECT_EQ(TempFolder::read(aside[0]), bytes);
        EXPECT_FALSE(fs::exists(file()));
        EXPECT_TRUE(log.has({"unreadable", file().string(), aside[0].string()}));
        // Telling the person is the program's part; the store only logs.
        for (const auto& line : log.lines()) EXPECT_LT(line.level, LogLevel::Warning);

        const auto unreadable = store.takeUnreadableBacking();
        ASSERT_TRUE(unreadable);
        EXPECT_EQ(unreadable->location, file().string());
        EXPECT_EQ(unreadable->keptAt, aside[0].string());
        EXPECT_FALSE(store.takeUnreadableBacking());

        // Writing replaces nothing more, and the next start finds a sound file.
        store.setObjectForKey("scrollingEnabled", false);
        ASSERT_TRUE(store.synchronize());
        store.setObjectForKey("scrollSpeed", 3);
        ASSERT_TRUE(store.synchronize());
        EXPECT_EQ(asideFiles(), aside);
        auto next = open();
        EXPECT_EQ(next.persistentDomain(),
                  (Dictionary{{"scrollingEnabled", false}, {"scrollSpeed", 3}}));
        EXPECT_FALSE(next.takeUnreadableBacking());
    }

    // A sound file, or none, has nothing to tell.
    EXPECT_FALSE(open().takeUnreadableBacking());
    fs::remove(file());
    EXPECT_FALSE(open().takeUnreadableBacking());
    EXPECT_EQ(asideFiles().size(), 1u);
}

TEST_F(FilePreferenceStoreTest, AnUnreadableFileBehindALinkIsMovedAsideWhereItIs) {
    const fs::path real = folder.path() / "dotfiles" / "wexo.plist";
    fs::create_directories(real.parent_path());
    TempFolder::write(real, "<?xml version=\"1.0\"?><plist><dict><key>scroll");
    fs::create_symlink(real, file());

    auto store = open();
    const auto unreadable = store.takeUnreadableBacking();
    ASSERT_TRUE(unreadable);
    EXPECT_EQ(fs::path(unreadable->keptAt).parent_path(), real.parent_path());
    EXPECT_EQ(TempFolder::read(unreadable->keptAt),
              "<?xml version=\"1.0\"?><plist><dict><key>scroll");
    EXPECT_TRUE(asideFiles().empty());

    store.setObjectForKey("scrollSpeed", 2);
    ASSERT_TRUE(store.synchronize());
    EXPECT_TRUE(fs::is_symlink(file()));
    EXPECT_EQ(open().objectForKey("scrollSpeed"), Value(2));
}

TEST_F(FilePreferenceStoreTest, ValuesOfUnexpectedTypesAreKeptAndReadAsAbsent) {
    const Dictionary stored{
        {"scrollSpeed", "fast"},
        {"gestureNumber", Array{3}},
        {"disabledAppsArray", Dictionary{}},
        {"scrollingEnabled", true},
    };
    TempFolder::write(file(), xmlOf(stored));
    {
        auto store = open();
        EXPECT_FALSE(store.takeUnreadableBacking());
        EXPECT_FALSE(store.objectForKey("scrollSpeed")->asReal());
        EXPECT_FALSE(store.objectForKey("gestureNumber")->asInteger());
        EXPECT_EQ(store.objectForKey("disabledAppsArray")->asArray(), nullptr);
        EXPECT_EQ(store.objectForKey("scrollingEnabled")->asBool(), true);
        store.setObjectForKey("hideDrawing", true);
        ASSERT_TRUE(store.synchronize());
    }
    EXPECT_TRUE(asideFiles().empty());
    Dictionary expected = stored;
    expected.emplace("hideDrawing", true);
    EXPECT_EQ(open().persistentDomain(), expected);
}

TEST_F(FilePreferenceStoreTest, ACrashBeforeTheRenameLeavesTheOldFile) {
    {
        auto store = open();
        store.setObjectForKey("scrollSpeed", 2.5);
        ASSERT_TRUE(store.synchronize());
    }
    const std::string before = TempFolder::read(file());
    {
        auto store = open();
        store.setObjectForKey("scrollSpeed", 9);
        store.setObjectForKey("gestureNumber", 4);
        store.crashBeforeRenameForTesting();
        EXPECT_FALSE(store.synchronize());
    }
    EXPECT_EQ(TempFolder::read(file()), before);
    EXPECT_EQ(open().persistentDomain(), (Dictionary{{"scrollSpeed", 2.5}}));
    // The next run writes normally.
    auto store = open();
    store.setObjectForKey("scrollSpeed", 9);
    EXPECT_TRUE(store.synchronize());
    EXPECT_EQ(open().objectForKey("scrollSpeed"), Value(9));
}

// While it lives, no file this process writes may grow past `bytes`: the
// system answers a write beyond it as it answers one on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// The disk filling up while the settings are saved: the file as it was stays
// whole and readable, the failure is logged, no temporary file is left, and
// the new values stay in memory until a later synchronize saves them.
TEST_F(FilePreferenceStoreTest, ADiskFullWhileSavingKeepsTheOldFileAndTheNewValues) {
    {
        auto store = open();
        store.setObjectForKey("scrollSpeed", 2.5);
        ASSERT_TRUE(store.synchronize());
    }
    const std::string before = TempFolder::read(file());
    auto store = open();
    store.setObjectForKey("scrollSpeed", 9);
    store.setObjectForKey("appName", std::string(4096, 'x'));
    bool saved = true;
    LogCapture log;
    {
        FileSizeLimit full(before.size());
        saved = store.synchronize();
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(log.has({"Could not write preference file", "File too large"}));
    EXPECT_EQ(TempFolder::read(file()), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
    EXPECT_EQ(store.objectForKey("scrollSpeed"), Value(9));

    EXPECT_TRUE(store.synchronize());
    EXPECT_EQ(open().objectForKey("scrollSpeed"), Value(9));
}

TEST_F(FilePreferenceStoreTest, WritingKeepsALinkAndThePermissions) {
    const fs::path real = folder.path() / "dotfiles" / "wexo.plist";
    fs::create_directories(real.parent_path());
    TempFolder::write(real, xmlOf({{"scrollSpeed", 1}}));
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, file());

    auto store = open();
    EXPECT_EQ(store.objectForKey("scrollSpeed"), Value(1));
    store.setObjectForKey("scrollSpeed", 2);
    ASSERT_TRUE(store.synchronize());
    EXPECT_TRUE(fs::is_symlink(file()));
    EXPECT_EQ(open().objectForKey("scrollSpeed"), Value(2));
    struct stat st;
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(FilePreferenceStoreTest, AFolderThatCannotBeMadeFailsTheSynchronize) {
    TempFolder::write(folder.path() / "occupied", "a file where the folder should be");
    FilePreferenceStore store(kBundle, {folder.path() / "occupied" / "wexo", {}});
    store.setObjectForKey("scrollingEnabled", true);
    LogCapture log;
    EXPECT_FALSE(store.synchronize());
    EXPECT_TRUE(log.has({"Failed to create directory \"", "occupied"}));
}

TEST_F(FilePreferenceStoreTest, GlobalDomainFileIsAnOptionAndIsReadAgainAtSynchronize) {
    const fs::path global = folder.path() / "global.plist";
    TempFolder::write(global, xmlOf({{"_HIHideMenuBar", false}}));
    FilePreferenceStore store(kBundle, {folder.path(), global});
    EXPECT_EQ(store.globalObjectForKey("_HIHideMenuBar"), Value(false));
    TempFolder::write(global, xmlOf({{"_HIHideMenuBar", true}}));
    EXPECT_TRUE(store.synchronize());
    EXPECT_EQ(store.globalObjectForKey("_HIHideMenuBar"), Value(true));

    // An unreadable global domain reads as empty and is not ours to move.
    TempFolder::write(global, "garbage");
    EXPECT_TRUE(store.synchronize());
    EXPECT_FALSE(store.globalObjectForKey("_HIHideMenuBar"));
    EXPECT_EQ(TempFolder::read(global), "garbage");
}

}  // namespace
}  // namespace wexo::platform
