#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/InputRecords.h"

namespace wexo::platform::lnx::testing {

// The built `wexo`, run with its standard streams in pipes and the given
// XDG_CONFIG_HOME.
class WexoProcess {
  public:
    WexoProcess(const std::vector<std::string>& args, const std::string& configHome) {
        int in[2], out[2], err[2];
        if (::pipe2(in, O_CLOEXEC) || ::pipe2(out, O_CLOEXEC) || ::pipe2(err, O_CLOEXEC))
            throw std::runtime_error("pipe");
        // Everything the child needs is made before the fork: after it, only
        // what is safe in a copy of a threaded process.
        std::vector<std::string> env{"XDG_CONFIG_HOME=" + configHome};
        for (char** e = environ; *e; ++e)
            if (std::strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0) env.emplace_back(*e);
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

}  // namespace wexo::platform::lnx::testing
