#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>

namespace wexo::platform::xdg {

namespace fs = std::filesystem;

// A whole XDG world in a temporary folder, made once per test program
// before GIO first reads the environment (it keeps what it read): data and
// config homes, one system folder of each, a bin folder on PATH, and the
// applications the tests look up and start. Removed at exit.
struct XdgTree {
    fs::path root, dataHome, configHome, systemData, systemConfig, bin;

    static const XdgTree& get() {
        static XdgTree tree;
        return tree;
    }

    static void write(const fs::path& file, const std::string& text, bool executable = false) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::trunc) << text;
        if (executable) ::chmod(file.c_str(), 0755);
    }
    static std::string read(const fs::path& file) {
        std::ifstream in(file);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Programs started by GIO run on their own: wait for what they write.
    static bool waitFor(const std::function<bool()>& done) {
        for (int i = 0; i < 500; ++i) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    // A program that appends its arguments to <root>/<name>.log.
    std::string recorder(const std::string& name) const {
        const fs::path exe = bin / name;
        write(exe, "#!/bin/sh\necho \"$@\" >> '" + (root / (name + ".log")).string() + "'\n", true);
        return exe.string();
    }

  private:
    XdgTree() {
        std::string pattern = (fs::temp_directory_path() / "wexo-xdg-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        dataHome = root / "data";
        configHome = root / "config";
        systemData = root / "sysdata";
        systemConfig = root / "sysconfig";
        bin = root / "bin";
        for (const auto& d : {dataHome, configHome, systemData, systemConfig, bin})
            fs::create_directories(d);
        ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        ::setenv("XDG_DATA_DIRS", systemData.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
        ::setenv("XDG_CONFIG_DIRS", systemConfig.c_str(), 1);
        ::setenv("PATH", (bin.string() + ":/usr/bin:/bin").c_str(), 1);
        // No desktop means GIO opens URLs itself instead of asking a portal.
        ::unsetenv("XDG_CURRENT_DESKTOP");

        const fs::path apps = dataHome / "applications";
        write(apps / "org.example.Viewer.desktop",
              "[Desktop Entry]\nType=Application\nName=Viewer\nName[de]=Betrachter\n"
              "Icon=viewer-icon\nExec=viewer %U\nStartupWMClass=ViewerWin\n");
        recorder("viewer");
        fs::create_symlink(bin / "viewer", bin / "viewer-link");
        // Two entries starting one program, as interpreters and launchers do.
        write(apps / "org.example.TwinA.desktop",
              "[Desktop Entry]\nType=Application\nName=Twin A\nExec=twin --a\n");
        write(apps / "org.example.TwinB.desktop",
              "[Desktop Entry]\nType=Application\nName=Twin B\nExec=twin --b\n");
        recorder("twin");
        write(apps / "org.example.Handler.desktop",
              "[Desktop Entry]\nType=Application\nName=Handler\nExec=handler %u\n"
              "MimeType=x-scheme-handler/wexotest;\n");
        recorder("handler");
        write(configHome / "mimeapps.list",
              "[Default Applications]\nx-scheme-handler/wexotest=org.example.Handler.desktop\n");
        // A real program (not a script), so that /proc/PID/exe names it.
        fs::copy_file("/bin/sleep", bin / "wexo-sleeper");
        write(apps / "org.example.Sleeper.desktop",
              "[Desktop Entry]\nType=Application\nName=Sleeper\nExec=wexo-sleeper 60\n");
        // System login items: one on, one switched off.
        write(systemConfig / "autostart" / "org.example.Agent.desktop",
              "[Desktop Entry]\nType=Application\nName=Agent\nExec=" + recorder("agent") + "\n");
        write(systemConfig / "autostart" / "org.example.Off.desktop",
              "[Desktop Entry]\nType=Application\nName=Off\nExec=/bin/true\nHidden=true\n");
    }
    ~XdgTree() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

}  // namespace wexo::platform::xdg
