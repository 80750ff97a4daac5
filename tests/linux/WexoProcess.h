#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/TempFolder.h"
#include "platform/linux/InputRecords.h"

namespace wexo::platform::lnx::testing {

// The built `wexo`, run with its standard streams in pipes and the given
// XDG_CONFIG_HOME; `environment` sets ("NAME=value") or removes ("NAME")
// more variables. Without a DISPLAY given it runs on the headless desktop,
// whatever display the tests themselves run on.
class WexoProcess {
  public:
    WexoProcess(const std::vector<std::string>& args, const std::string& configHome,
                const std::vector<std::string>& environment = {}) {
        int in[2], out[2], err[2];
        if (::pipe2(in, O_CLOEXEC) || ::pipe2(out, O_CLOEXEC) || ::pipe2(err, O_CLOEXEC))
            throw std::runtime_error("pipe");
        // Everything the child needs is made before the fork: after it, only
        // what is safe in a copy of a threaded process.
        std::vector<std::string> env{"XDG_CONFIG_HOME=" + configHome};
        for (const std::string& e : environment)
            if (e.find('=') != std::string::npos) env.push_back(e);
        const auto overridden = [&](const char* e) {
            for (const char* own : {"XDG_CONFIG_HOME=", "DISPLAY=", "WAYLAND_DISPLAY="})
                if (std::strncmp(e, own, std::strlen(own)) == 0) return true;
            for (const std::string& o : environment) {
                const std::string name = o.substr(0, o.find('='));
                if (std::strncmp(e, name.c_str(), name.size()) == 0 && e[name.size()] == '=')
                    return true;
            }
            return false;
        };
        for (char** e = environ; *e; ++e)
            if (!overridden(*e)) env.emplace_back(*e);
        std::vector<char*> envp;
        for (auto& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        std::vector<char*> argv{const_cast<char*>(WEXO_BINARY)};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            ::dup2(err[1], 2);
            ::execve(WEXO_BINARY, argv.data(), envp.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        ::close(err[1]);
        in_ = in[1];
        out_ = out[0];
        err_ = err[0];
    }
    ~WexoProcess() {
        closeInput();
        if (pid_ > 0 && !waited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        for (int fd : {out_, err_})
            if (fd >= 0) ::close(fd);
    }

    void feed(const std::vector<InputRecord>& records) {
        feedBytes(reinterpret_cast<const char*>(records.data()),
                  records.size() * sizeof(InputRecord));
    }
    void feedBytes(const char* bytes, std::size_t left) {
        while (left > 0) {
            const ssize_t n = ::write(in_, bytes, left);
            if (n <= 0) return;
            bytes += n;
            left -= static_cast<std::size_t>(n);
        }
    }
    void closeInput() {
        if (in_ >= 0) ::close(in_);
        in_ = -1;
    }
    // Reads what is there, waiting up to `ms` for something.
    void pump(int ms) {
        pollfd p[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
        if (::poll(p, 2, ms) <= 0) return;
        char buffer[65536];
        if (p[0].revents) {
            const ssize_t n = ::read(out_, buffer, sizeof buffer);
            if (n > 0) out.append(buffer, static_cast<std::size_t>(n));
            if (n == 0) outDone_ = true;
        }
        if (p[1].revents) {
            const ssize_t n = ::read(err_, buffer, sizeof buffer);
            if (n > 0) err.append(buffer, static_cast<std::size_t>(n));
            if (n == 0) errDone_ = true;
        }
    }
    // Reads until `enough` holds (or the program is done with its output).
    template <class Enough>
    void readUntil(Enough enough) {
        for (int i = 0; i < 2000 && !enough() && !(outDone_ && errDone_); ++i) pump(10);
    }
    // Reads everything and answers the exit status.
    int wait() {
        readUntil([] { return false; });
        int status = 0;
        ::waitpid(pid_, &status, 0);
        waited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    void signal(int sig) { ::kill(pid_, sig); }
    pid_t pid() const { return pid_; }

    std::vector<InputRecord> records() const {
        std::vector<InputRecord> r(out.size() / sizeof(InputRecord));
        // memcpy must not be given the null pointer of an empty vector.
        if (!r.empty()) std::memcpy(r.data(), out.data(), r.size() * sizeof(InputRecord));
        return r;
    }

    std::string out, err;

  private:
    pid_t pid_ = -1;
    int in_ = -1, out_ = -1, err_ = -1;
    bool outDone_ = false, errDone_ = false, waited_ = false;
};

// A temporary XDG_CONFIG_HOME holding the program's preference file with
// the given entries (XML property-list text).
struct Config {
    TempFolder folder;
    explicit Config(const std::string& entries) {
        std::filesystem::create_directories(folder.path() / "wexo");
        TempFolder::write(folder.path() / "wexo" / "com.wexo.Wexo.plist",
                          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                          "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                          "<plist version=\"1.0\"><dict>" +
                              entries + "</dict></plist>\n");
    }
    std::string home() const { return folder.path().string(); }
};

// Frames of one kind of record: the values of `code` in each frame that
// has any, in order.
inline std::vector<std::vector<int>> framesOf(const std::vector<InputRecord>& records) {
    std::vector<std::vector<int>> frames(1);
    for (const auto& r : records) {
        if (r.type == EV_SYN) {
            if (!frames.back().empty()) frames.emplace_back();
            continue;
        }
        frames.back().push_back(r.code);
        frames.back().push_back(r.value);
    }
    if (frames.back().empty()) frames.pop_back();
    return frames;
}

// One notch with the defaults (animated, 200 pixels, Cubic Out over
// ceil(42 ÷ 1.4) = 31 frames): frame k posts trunc(200 × (3m² + 3m + 1) ÷
// 29791) pixels with m = 31 − k, from 18 at k = 1 down to 1 at k = 24 (and
// 0 at k = 25, which ends it and writes nothing): 188 pixels in 24 frames.
inline const std::vector<int> kNotchPixels = {18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7,
                                              6,  6,  5,  4,  4,  3,  3,  2,  2,  1, 1, 1};

// A negative `unitsPerPixel` is the same train the other way.
inline void expectEasedNotch(const std::vector<InputRecord>& out, int unitsPerPixel,
                             const std::vector<int>& notchAfterFrame) {
    const auto frames = framesOf(out);
    ASSERT_EQ(frames.size(), kNotchPixels.size());
    int total = 0;
    std::vector<int> crossings;
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const auto& f = frames[k];
        const int units = unitsPerPixel * kNotchPixels[k];
        total += units;
        if (f.size() == 4) {
            // A whole notch crossed: REL_WHEEL +1 before the units.
            EXPECT_EQ(f[0], REL_WHEEL);
            EXPECT_EQ(f[1], unitsPerPixel > 0 ? 1 : -1);
            crossings.push_back(static_cast<int>(k + 1));
        }
        EXPECT_EQ(f[f.size() - 2], REL_WHEEL_HI_RES) << k;
        EXPECT_EQ(f.back(), units) << k;
    }
    EXPECT_EQ(total, unitsPerPixel * 188);
    EXPECT_EQ(crossings, notchAfterFrame);
}

}  // namespace wexo::platform::lnx::testing
