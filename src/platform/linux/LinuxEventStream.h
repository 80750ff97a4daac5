#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/EventStream.h"
#include "platform/TapChain.h"
#include "platform/linux/Desktop.h"
#include "platform/linux/InputReader.h"
#include "platform/linux/LinuxRunLoop.h"
#include "platform/linux/OutputDevices.h"
#include "platform/linux/ReportDecoder.h"

namespace wexo::platform::lnx {

// The event stream of a Linux desktop: the mice's reports, read on the
// reader's thread, become events on the main thread and pass the program's
// taps (the one tap chain every desktop shares); what passes is written to
// the mice's virtual twins, unchanged records as they came. Events the
// program posts at the HID location pass the taps again in process, with
// their marks, and are written to the twin of the mouse that reported last
// (keys to the virtual keyboard); they are never read back. A posted move
// to another place moves the pointer through the desktop.
//
// Main thread only, except post() and pointerLocation().
class LinuxEventStream : public EventStream, private TapChain::Host {
  public:
    struct Options {
        std::chrono::milliseconds settleTimeout{200};
        // Whether the program may install active taps.
        std::function<bool()> trusted;
        // Keep the time from each report read to its records written.
        bool measureLatency = false;
    };
    // What the program hears from the input path (on the main thread).
    struct Listener {
        // The last mouse's reads ended (the stream form's end of input).
        std::function<void()> inputEnded;
        // The panic chord: everything is released and given back.
        std::function<void(const char* why)> panicked;
    };

    LinuxEventStream(LinuxRunLoop& loop, Desktop& desktop, DeviceBackend& backend, Options options);
    ~LinuxEventStream() override;
    LinuxEventStream(const LinuxEventStream&) = delete;
    LinuxEventStream& operator=(const LinuxEventStream&) = delete;

    std::unique_ptr<EventTap> createTap(TapLocation location, TapPlacement placement,
                                        TapOption option, std::uint64_t mask,
                                        TapCallback callback) override;
    void post(TapLocation location, const Event& event) override;
    Point pointerLocation() const override;

    void setListener(Listener listener) { listener_ = std::move(listener); }
    // Starts reading the mice. False when there is none to read.
    bool start();
    // Stops reading, releases everything the virtual devices hold down and
    // gives the mice back. Idempotent.
    void stop();
    // Releases what the virtual devices hold down (the program is done with
    // its work and about to stop).
    void releaseAll();

    OutputDevices& outputs() { return outputs_; }
    TapChain& chain() { return chain_; }
    // True while reports go out unchanged after a time-out.
    bool passingStraight() const { return reader_.passingStraight(); }
    // Milliseconds from each report read to its records written.
    std::vector<double> latencies() const { return latencies_; }

  private:
    struct Settling {
        std::shared_ptr<ReportBatch> batch;
        std::size_t index;  // of the report in its batch
        std::vector<DecodedEvent> events;
        std::vector<bool> keep;            // the report's records going out as they came
        std::vector<InputRecord> carried;  // earlier records going out with them
        std::vector<Event> changed;        // events the taps changed
        double dx = 0, dy = 0;             // motion that passed
        bool flushed = false;
    };

    bool programAlive() const override { return !loop_.quitting(); }
    void runWork(FunctionRef<void()> work) override { loop_.runWork(work); }
    bool busy() const override { return loop_.busy(); }
    bool trusted() const override { return !options_.trusted || options_.trusted(); }
    void deliver(Event& event, std::uint64_t origin) override;
    void tapEnabled() override;

    InputReader::Hooks readerHooks();
    void settle(const std::shared_ptr<ReportBatch>& batch);
    void settleReport(const std::shared_ptr<ReportBatch>& batch, std::size_t index);
    void observe(int device, const Report& report);
    void flush();
    void timedOut();
    void writePosted(const Event& event);
    std::uint64_t heldModifiers() const;
    void setPointer(Point p);

    LinuxRunLoop& loop_;
    Desktop& desktop_;
    Options options_;
    Listener listener_;
    // Work handed to the main loop checks this before touching the stream.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    TapChain chain_{*this};
    OutputDevices outputs_;
    InputReader reader_;
    std::map<int, ReportDecoder> decoders_;
    int currentDevice_ = 0;
    PointerState lastPointer_;
    Settling* settling_ = nullptr;
    bool awaitingReenable_ = false;
    std::vector<double> latencies_;

    mutable std::mutex pointerMutex_;
    Point pointer_;
};

}  // namespace wexo::platform::lnx
