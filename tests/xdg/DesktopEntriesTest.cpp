#include <gtest/gtest.h>

#include "platform/linux/xdg/DesktopEntries.h"
#include "platform/linux/xdg/Launcher.h"
#include "xdg/XdgTree.h"

namespace wexo::platform::xdg {
namespace {

const XdgTree& tree = XdgTree::get();

TEST(DesktopEntries, LooksUpAnInstalledEntryByIdWithOrWithoutSuffix) {
    DesktopEntries entries;
    for (const char* id : {"org.example.Viewer", "org.example.Viewer.desktop"}) {
        auto e = entries.byId(id);
        ASSERT_TRUE(e) << id;
        EXPECT_EQ(e->id, "org.example.Viewer");
        EXPECT_EQ(e->name, "Viewer");
        EXPECT_EQ(e->icon, "viewer-icon");
        EXPECT_EQ(e->path,
                  (tree.dataHome / "applications" / "org.example.Viewer.desktop").string());
        EXPECT_EQ(e->executable, canonicalPath((tree.bin / "viewer").string()));
    }
    EXPECT_FALSE(entries.byId("org.example.Missing"));
    EXPECT_FALSE(entries.byId(""));
}

TEST(DesktopEntries, MatchesStartupWMClassExactlyOrElseIgnoringCase) {
    DesktopEntries entries;
    ASSERT_TRUE(entries.byStartupWMClass("ViewerWin"));
    EXPECT_EQ(entries.byStartupWMClass("ViewerWin")->id, "org.example.Viewer");
    ASSERT_TRUE(entries.byStartupWMClass("viewerwin"));
    EXPECT_EQ(entries.byStartupWMClass("viewerwin")->id, "org.example.Viewer");
    EXPECT_FALSE(entries.byStartupWMClass("Viewer"));
    EXPECT_FALSE(entries.byStartupWMClass(""));
}

TEST(DesktopEntries, FindsTheOneEntryStartingAnExecutableThroughLinks) {
    DesktopEntries entries;
    auto viaLink = entries.byExecutable((tree.bin / "viewer-link").string());
    ASSERT_TRUE(viaLink);
    EXPECT_EQ(viaLink->id, "org.example.Viewer");
    // Twin A and Twin B both start "twin": naming either would be a guess.
    EXPECT_FALSE(entries.byExecutable((tree.bin / "twin").string()));
    EXPECT_FALSE(entries.byExecutable("/bin/true"));
}

TEST(DesktopEntries, ReadsAnEntryFileThatIsNotInstalled) {
    const fs::path loose = tree.root / "loose" / "net.example.Loose.desktop";
    XdgTree::write(loose, "[Desktop Entry]\nType=Application\nName=Loose\nExec=/bin/true\n");
    auto e = DesktopEntries::byPath(loose.string());
    ASSERT_TRUE(e);
    EXPECT_EQ(e->id, "net.example.Loose");
    EXPECT_EQ(e->name, "Loose");
    EXPECT_FALSE(DesktopEntries::byPath((tree.root / "none.desktop").string()));
}

TEST(Launcher, StartsAnApplicationByIdByEntryFileAndByExecutable) {
    DesktopEntries entries;
    Launcher launcher(entries);
    const fs::path log = tree.root / "viewer.log";
    fs::remove(log);
    ASSERT_TRUE(launcher.launch("org.example.Viewer"));
    ASSERT_TRUE(XdgTree::waitFor([&] { return XdgTree::read(log) == "\n"; }));

    fs::remove(log);
    ASSERT_TRUE(launcher.launch(entries.byId("org.example.Viewer")->path));
    ASSERT_TRUE(XdgTree::waitFor([&] { return XdgTree::read(log) == "\n"; }));

    // A path with a space stays one program, not a program and an argument.
    const fs::path spaced = tree.bin / "two words";
    fs::copy_file(tree.bin / "viewer", spaced, fs::copy_options::overwrite_existing);
    fs::remove(log);
    ASSERT_TRUE(launcher.launch(spaced.string()));
    ASSERT_TRUE(XdgTree::waitFor([&] { return XdgTree::read(log) == "\n"; }));

    EXPECT_FALSE(launcher.launch("org.example.Missing"));
    EXPECT_FALSE(launcher.launch((tree.root / "missing-program").string()));
    EXPECT_FALSE(launcher.launch(""));
}

TEST(Launcher, OpensAUrlWithTheDefaultHandlerOfItsScheme) {
    DesktopEntries entries;
    Launcher launcher(entries);
    const fs::path log = tree.root / "handler.log";
    fs::remove(log);
    ASSERT_TRUE(launcher.openUri("wexotest://hello/world"));
    ASSERT_TRUE(XdgTree::waitFor([&] { return XdgTree::read(log) == "wexotest://hello/world\n"; }));
    EXPECT_FALSE(launcher.openUri("nohandler-scheme://x"));
    EXPECT_FALSE(launcher.openUri(""));
}

TEST(Launcher, NamesTheIdStandingForAPath) {
    DesktopEntries entries;
    Launcher launcher(entries);
    EXPECT_EQ(launcher.idAtPath(entries.byId("org.example.Viewer")->path), "org.example.Viewer");
    EXPECT_EQ(launcher.idAtPath((tree.bin / "viewer").string()), "org.example.Viewer");
    EXPECT_EQ(launcher.idAtPath((tree.bin / "twin").string()), std::nullopt);
    EXPECT_EQ(launcher.idAtPath("/nowhere/x.desktop"), std::nullopt);
}

}  // namespace
}  // namespace wexo::platform::xdg
