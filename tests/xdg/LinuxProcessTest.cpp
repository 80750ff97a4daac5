#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/linux/xdg/LinuxProcess.h"
#include "xdg/XdgTree.h"

namespace wexo::platform::xdg {
namespace {

const XdgTree& tree = XdgTree::get();

// Runs `body` in a child process and answers its exit status (-1 when it did
// not exit normally).
int inChild(const std::function<void()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        std::_Exit(99);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(LinuxProcess, ItsBundleIsTheInstalledEntryElseTheExecutable) {
    DesktopEntries entries;
    LinuxProcess installed(entries, {"org.example.Viewer", "1.2.3", {}});
    EXPECT_EQ(installed.bundleIdentifier(), "org.example.Viewer");
    EXPECT_EQ(installed.version(), "1.2.3");
    EXPECT_EQ(installed.bundlePath(), entries.byId("org.example.Viewer")->path);

    LinuxProcess loose(entries, {"com.example.NotInstalled", "1", {}});
    EXPECT_EQ(loose.bundlePath(), LinuxProcess::selfExecutable());
    EXPECT_EQ(fs::canonical("/proc/self/exe").string(), LinuxProcess::selfExecutable());
    EXPECT_EQ(loose.applicationSupportDirectory(), tree.dataHome.string());
}

TEST(LinuxProcess, ExitRunsTheHookAndEndsWithTheStatus) {
    DesktopEntries entries;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const int status = inChild([&] {
        LinuxProcess p(entries, {"x", "1", {}});
        p.setBeforeExit([&] { (void)!::write(fds[1], "released", 8); });
        p.exit(7);
    });
    ::close(fds[1]);
    char buffer[16] = {};
    EXPECT_EQ(::read(fds[0], buffer, sizeof buffer), 8);
    ::close(fds[0]);
    EXPECT_EQ(status, 7);
    EXPECT_STREQ(buffer, "released");
}

TEST(LinuxProcess, TerminateAsksTheApplicationAndElseExits) {
    DesktopEntries entries;
    LinuxProcess p(entries, {"x", "1", {}});
    int asked = 0;
    p.setTerminateHandler([&] { ++asked; });
    p.terminate();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(inChild([&] { LinuxProcess(entries, {"x", "1", {}}).terminate(); }), 0);
}

TEST(LinuxProcess, RelaunchWithoutDelayBecomesTheNewInstanceInTheSameProcess) {
    DesktopEntries entries;
    const fs::path out = tree.root / "relaunched";
    fs::remove(out);
    pid_t child = 0;
    const pid_t pid = ::fork();
    if (pid == 0) {
        LinuxProcess p(entries, {"x", "1", {"/bin/sh", "-c", "echo $$ > '" + out.string() + "'"}});
        p.launchNewInstance(0);
        p.exit(5);
    }
    child = pid;
    int status = 0;
    ::waitpid(pid, &status, 0);
    // The shell ran in the process that asked, and its status is the end.
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(XdgTree::read(out), std::to_string(child) + "\n");
}

TEST(LinuxProcess, DelayedRelaunchStartsAfterTheDelayWithoutEndingThisOne) {
    DesktopEntries entries;
    const fs::path out = tree.root / "delayed";
    fs::remove(out);
    LinuxProcess p(entries, {"x", "1", {"/bin/sh", "-c", "echo later > '" + out.string() + "'"}});
    const auto start = std::chrono::steady_clock::now();
    p.launchNewInstance(0.3);
    EXPECT_FALSE(p.relaunchPending());
    ASSERT_TRUE(XdgTree::waitFor([&] { return XdgTree::read(out) == "later\n"; }));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
}

}  // namespace
}  // namespace wexo::platform::xdg
