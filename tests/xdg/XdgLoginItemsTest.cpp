#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/linux/xdg/XdgLoginItems.h"
#include "xdg/XdgTree.h"

namespace wexo::platform::xdg {
namespace {

const XdgTree& tree = XdgTree::get();

using ::testing::ElementsAre;

class LoginItemsTest : public ::testing::Test {
  protected:
    void TearDown() override { fs::remove_all(tree.configHome / "autostart"); }

    XdgLoginItems::Directories dirs() const {
        XdgLoginItems::Directories d;
        d.configHome = tree.configHome;
        d.configDirs = {tree.systemConfig};
        return d;
    }
    fs::path userFile(const std::string& name) const {
        return tree.configHome / "autostart" / name;
    }
    DesktopEntries entries;
    std::string viewer = entries.byId("org.example.Viewer")->path;
    std::string agent = canonicalPath((tree.bin / "agent").string());
};

TEST_F(LoginItemsTest, ListsSystemItemsThatAreOnByWhatTheyStart) {
    XdgLoginItems items(entries, dirs());
    EXPECT_THAT(*items.snapshot(), ElementsAre(agent));
}

TEST_F(LoginItemsTest, AnInsertedDesktopEntryIsAnItemUntilRemoved) {
    XdgLoginItems items(entries, dirs());
    ASSERT_TRUE(items.insertLast(viewer));
    EXPECT_TRUE(fs::exists(userFile("org.example.Viewer.desktop")));
    EXPECT_THAT(*items.snapshot(), ElementsAre(viewer, agent));

    ASSERT_TRUE(items.remove(viewer));
    EXPECT_FALSE(fs::exists(userFile("org.example.Viewer.desktop")));
    EXPECT_THAT(*items.snapshot(), ElementsAre(agent));
    EXPECT_FALSE(items.remove(viewer));
}

TEST_F(LoginItemsTest, AnExecutableGetsAnEntryThatStartsIt) {
    XdgLoginItems items(entries, dirs());
    const std::string program = tree.recorder("my \"tool\" $x");
    ASSERT_TRUE(items.insertLast(program));
    EXPECT_THAT(*items.snapshot(), ElementsAre(program, agent));
    ASSERT_TRUE(items.remove(program));
    EXPECT_THAT(*items.snapshot(), ElementsAre(agent));
    EXPECT_FALSE(items.insertLast("relative/program"));
    EXPECT_FALSE(items.insertLast((tree.root / "no-such-program").string()));
}

TEST_F(LoginItemsTest, RemovingASystemItemHidesItForTheUserOnly) {
    XdgLoginItems items(entries, dirs());
    const fs::path system = tree.systemConfig / "autostart" / "org.example.Agent.desktop";
    const std::string before = XdgTree::read(system);
    ASSERT_TRUE(items.remove(agent));
    EXPECT_TRUE(items.snapshot()->empty());
    EXPECT_EQ(XdgTree::read(system), before);
    EXPECT_NE(XdgTree::read(userFile("org.example.Agent.desktop")).find("Hidden=true"),
              std::string::npos);

    // Adding it back must not copy the switch that hid it.
    ASSERT_TRUE(items.insertLast(system.string()));
    EXPECT_THAT(*items.snapshot(), ElementsAre(agent));
    // The user's copy now shadows the system file, so removing it hides again.
    ASSERT_TRUE(items.remove(agent));
    EXPECT_TRUE(items.snapshot()->empty());
}

TEST_F(LoginItemsTest, AnEntrySwitchedOffForGnomeIsNoItem) {
    XdgLoginItems items(entries, dirs());
    XdgTree::write(userFile("org.example.Viewer.desktop"),
                   "[Desktop Entry]\nType=Application\nName=Viewer\nExec=viewer\n"
                   "X-GNOME-Autostart-enabled=false\n");
    EXPECT_THAT(*items.snapshot(), ElementsAre(agent));
}

TEST_F(LoginItemsTest, WithoutAConfigFolderThereIsNoList) {
    XdgLoginItems items(entries, XdgLoginItems::Directories{});
    EXPECT_FALSE(items.snapshot());
    EXPECT_FALSE(items.insertLast(viewer));
    EXPECT_FALSE(items.remove(viewer));
}

TEST_F(LoginItemsTest, AnUnwritableFolderFailsTheInsert) {
    // A file where the config folder should be: nothing can be created in it.
    const fs::path blocked = tree.root / "blocked";
    XdgTree::write(blocked, "not a folder");
    XdgLoginItems::Directories d;
    d.configHome = blocked;
    XdgLoginItems items(entries, d);
    EXPECT_FALSE(items.insertLast(viewer));
}

TEST(LoginItemsDirectories, ComeFromTheEnvironmentWithTheirDefaults) {
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    ::setenv("HOME", "/home/someone", 1);
    ::setenv("XDG_CONFIG_DIRS", "/a:relative:/b", 1);
    auto d = XdgLoginItems::Directories::fromEnvironment();
    EXPECT_EQ(d.configHome, fs::path("/home/someone/.config"));
    EXPECT_THAT(d.configDirs, ElementsAre(fs::path("/a"), fs::path("/b")));
    ::unsetenv("XDG_CONFIG_DIRS");
    EXPECT_THAT(XdgLoginItems::Directories::fromEnvironment().configDirs,
                ElementsAre(fs::path("/etc/xdg")));
    ::setenv("XDG_CONFIG_HOME", tree.configHome.c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", tree.systemConfig.c_str(), 1);
}

}  // namespace
}  // namespace wexo::platform::xdg
