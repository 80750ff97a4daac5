#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/linux/Devices.h"
#include "platform/linux/OutputDevices.h"
#include "platform/linux/PanicWatch.h"

namespace wexo::platform::lnx {

// The reports of one read on their way to the main thread, settled there
// one after the other. For each report, whoever gets to it first decides:
// the main thread settles it (its output is written), or the reader gives
// up waiting and writes it unchanged; never both.
struct ReportBatch {
    enum class State { Waiting, Settled, Abandoned };
    int device = 0;
    std::vector<Report> reports;
    std::chrono::steady_clock::time_point readAt;

    std::mutex mutex;
    std::condition_variable done;
    State state = State::Waiting;
    // Reports the main thread has written; once abandoned, the reader writes
    // the ones from here on.
    std::size_t settled = 0;
};

// The thread that reads the mice. The reports of each read go to the main
// thread to be settled by the taps, in order, and the reader waits for them
// at most the settle time-out from the moment they were read; a report not
// settled by then is written unchanged, and from then on every report is,
// until the main thread says the taps are back (resume()). Panic chords are
// watched here, ahead of everything.
class InputReader {
  public:
    struct Hooks {
        // Hands reports to the main thread (any thread may call it).
        std::function<void(std::shared_ptr<ReportBatch>)> settle;
        // A report went out unchanged, unseen by the taps.
        std::function<void(int device, const Report&)> passedStraight;
        // The main thread took too long: the taps are to hear of it.
        std::function<void()> timedOut;
        // A mouse came (its twin is made) or went (its reads ended).
        std::function<void(int device)> added;
        std::function<void(int device)> ended;
        // Everything held was released and every device given back.
        std::function<void(const char* why)> panicked;
    };
    struct Options {
        std::chrono::milliseconds settleTimeout{200};
    };

    InputReader(DeviceBackend& backend, OutputDevices& outputs, Hooks hooks, Options options);
    ~InputReader();
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;

    // Opens and grabs the mice, makes their twins and the keyboard, and
    // starts reading. False when there is no mouse to read.
    bool start();
    // Stops reading and gives every device back. Idempotent.
    void stop();
    // The taps settle reports again.
    void resume() { passthrough_.store(false, std::memory_order_release); }
    bool passingStraight() const { return passthrough_.load(std::memory_order_acquire); }

  private:
    struct Source {
        int id;
        std::unique_ptr<InputSource> input;
        ReportSplitter splitter;
        bool watched = true;
    };
    void adopt(std::unique_ptr<InputSource> input);
    void run();
    void readSource(Source& source);
    void handle(int device, std::vector<Report> reports);
    void panic(const char* why);
    double steadySeconds() const;

    DeviceBackend& backend_;
    OutputDevices& outputs_;
    Hooks hooks_;
    Options options_;
    std::vector<Source> sources_;
    int nextId_ = 1;
    int epollFd_ = -1;
    int stopFd_ = -1;
    std::thread thread_;
    std::atomic<bool> passthrough_{false};
    bool stopped_ = false;
    bool panicked_ = false;  // reader thread only
    PanicWatch panic_;
};

}  // namespace wexo::platform::lnx
