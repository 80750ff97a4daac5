#pragma once

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace wexo::platform::x11 {

// An X server of the test's own (Xvfb, or Xorg with the dummy driver for
// several outputs with real modes), optionally with openbox for the EWMH
// properties, and any programs the test starts on it. Everything is
// stopped by its process id when the server goes.
class XServer {
  public:
    struct Options {
        bool windowManager = true;
        bool dummyDriver = false;
        std::string screen = "1280x800x24";
    };

    explicit XServer(Options options) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        std::vector<std::string> argv;
        if (options.dummyDriver) {
            folder_ = std::filesystem::temp_directory_path() /
                      ("wexo-xorg-" + std::to_string(::getpid()));
            std::filesystem::create_directories(folder_);
            std::ofstream(folder_ / "xorg.conf")
                << "Section \"Device\"\n Identifier \"d\"\n Driver \"dummy\"\n VideoRam 256000\n"
                   "EndSection\nSection \"Screen\"\n Identifier \"s\"\n Device \"d\"\n"
                   " DefaultDepth 24\n SubSection \"Display\"\n  Depth 24\n EndSubSection\n"
                   "EndSection\n";
            argv = {"Xorg",
                    "-config",
                    (folder_ / "xorg.conf").string(),
                    "-noreset",
                    "-nolisten",
                    "tcp",
                    "-logfile",
                    (folder_ / "xorg.log").string(),
                    "-sharevts",
                    "-novtswitch",
                    "-displayfd",
                    std::to_string(fds[1])};
        } else {
            argv = {"Xvfb",      "-screen", "0",          options.screen,
                    "-nolisten", "tcp",     "-displayfd", std::to_string(fds[1])};
        }
        server_ = spawn(argv, {}, fds[1]);
        ::close(fds[1]);
        std::string number;
        char c = 0;
        while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        ::close(fds[0]);
        if (number.empty()) return;
        display_ = ":" + number;
        if (options.windowManager) {
            // The system's own configuration and theme, whatever XDG folders
            // the test set up for itself.
            wm_ = spawn({"openbox", "--sm-disable"},
                        {{"XDG_CONFIG_DIRS", "/etc/xdg"},
                         {"XDG_DATA_DIRS", "/usr/local/share:/usr/share"},
                         {"XDG_CONFIG_HOME", "/nonexistent"}});
            ready_ = waitForWindowManager();
        } else {
            ready_ = true;
        }
    }

    ~XServer() {
        if (probeDisplay_) XCloseDisplay(probeDisplay_);
        for (auto it = children_.rbegin(); it != children_.rend(); ++it) stop(*it);
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool ready() const { return ready_; }

    // Stops the server alone, by its process id, as a crash or the end of
    // the session would: the clients on it see their connections break.
    void stopServer() {
        if (probeDisplay_) XCloseDisplay(probeDisplay_);
        probeDisplay_ = nullptr;
        stop(server_);
        std::erase(children_, server_);
        server_ = 0;
    }
    const std::string& display() const { return display_; }

    // Starts a program on this display; it is stopped with the server.
    pid_t spawn(const std::vector<std::string>& argv,
                const std::vector<std::pair<std::string, std::string>>& env, int keepFd = -1) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            // Gone with the test, even one that crashed.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            for (const auto& [k, v] : env) ::setenv(k.c_str(), v.c_str(), 1);
            if (!display_.empty()) ::setenv("DISPLAY", display_.c_str(), 1);
            // Quiet unless something goes wrong in the test itself.
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            for (int fd = 3; fd < 256; ++fd)
                if (fd != keepFd) ::close(fd);
            std::vector<char*> raw;
            for (const auto& a : argv) raw.push_back(const_cast<char*>(a.c_str()));
            raw.push_back(nullptr);
            ::execvp(raw[0], raw.data());
            std::_Exit(127);
        }
        if (pid > 0) children_.push_back(pid);
        return pid;
    }

    static void stop(pid_t pid) {
        if (pid <= 0) return;
        ::kill(pid, SIGTERM);
        for (int i = 0; i < 200; ++i) {
            if (::waitpid(pid, nullptr, WNOHANG) == pid) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }

  private:
    bool waitForWindowManager() {
        Display* d = XOpenDisplay(display_.c_str());
        if (!d) return false;
        const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
        bool found = false;
        for (int i = 0; i < 500 && !found; ++i) {
            Atom type = None;
            int format = 0;
            unsigned long n = 0, after = 0;
            unsigned char* data = nullptr;
            XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, AnyPropertyType, &type,
                               &format, &n, &after, &data);
            found = type != None;
            if (data) XFree(data);
            if (!found) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        // The manager is ready once it frames a window of ours (it names
        // itself on the root before it is).
        bool framed = false;
        if (found) {
            ::Window probe = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
            XMapWindow(d, probe);
            XSync(d, False);
            for (int i = 0; i < 500 && !framed; ++i) {
                // A map that raced the manager's start goes unseen: ask again.
                if (i % 50 == 49) {
                    XUnmapWindow(d, probe);
                    XMapWindow(d, probe);
                    XSync(d, False);
                }
                ::Window r = 0, parent = 0, *children = nullptr;
                unsigned n = 0;
                XQueryTree(d, probe, &r, &parent, &children, &n);
                if (children) XFree(children);
                framed = parent != r;
                if (!framed) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            XDestroyWindow(d, probe);
            XSync(d, False);
        }
        // Kept open while the server runs: a closed connection's ids go to
        // the next client, and the window manager, slow to forget the
        // probe, would take that client's first window for it.
        probeDisplay_ = d;
        return framed;
    }

    Display* probeDisplay_ = nullptr;
    std::filesystem::path folder_;
    std::string display_;
    pid_t server_ = 0;
    pid_t wm_ = 0;
    bool ready_ = false;
    std::vector<pid_t> children_;
};

}  // namespace wexo::platform::x11
