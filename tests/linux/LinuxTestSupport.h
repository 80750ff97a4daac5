#pragma once

#include <unistd.h>

#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/linux/Devices.h"
#include "platform/linux/InputRecords.h"
#include "platform/linux/LinuxRunLoop.h"
#include "platform/linux/StreamDevices.h"

namespace wexo::platform::lnx::testing {

// Shorthands for records.
inline InputRecord rel(std::uint16_t code, std::int32_t v) {
    return makeRecord(EV_REL, code, v);
}
inline InputRecord key(std::uint16_t code, std::int32_t v, std::int64_t micros = 0) {
    return makeRecord(EV_KEY, code, v, micros);
}
inline InputRecord syn() {
    return makeRecord(EV_SYN, SYN_REPORT, 0);
}

// A device whose frames the test reads back.
class MemorySink : public VirtualDevice {
  public:
    bool write(std::span<const InputRecord> frame) override {
        std::lock_guard lock(mutex_);
        records_.insert(records_.end(), frame.begin(), frame.end());
        return true;
    }
    std::vector<InputRecord> records() const {
        std::lock_guard lock(mutex_);
        return records_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<InputRecord> records_;
};

// Mice made of pipes: the test writes records into each and closes it to
// unplug the mouse; every twin and the keyboard are memory sinks.
class PipeBackend : public DeviceBackend {
  public:
    explicit PipeBackend(int mice) {
        for (int i = 0; i < mice; ++i) {
            int fds[2];
            if (::pipe(fds) != 0) throw std::runtime_error("pipe");
            pipes_.push_back({fds[0], fds[1]});
        }
    }
    ~PipeBackend() override {
        for (auto& p : pipes_) {
            if (p.first >= 0) ::close(p.first);
            if (p.second >= 0) ::close(p.second);
        }
    }
    std::vector<std::unique_ptr<InputSource>> openSources() override {
        std::vector<std::unique_ptr<InputSource>> out;
        for (std::size_t i = 0; i < pipes_.size(); ++i)
            out.push_back(
                std::make_unique<StreamSource>(pipes_[i].first, "mouse " + std::to_string(i)));
        return out;
    }
    std::unique_ptr<VirtualDevice> createTwin(const InputSource&) override {
        auto sink = std::make_unique<Forward>(twins_.emplace_back(std::make_shared<MemorySink>()));
        return sink;
    }
    std::unique_ptr<VirtualDevice> createKeyboard() override {
        keyboard_ = std::make_shared<MemorySink>();
        return std::make_unique<Forward>(keyboard_);
    }

    // Writes records into mouse `i`, in chunks of `chunk` bytes.
    void feed(std::size_t i, const std::vector<InputRecord>& records,
              std::size_t chunk = sizeof(InputRecord)) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(records.data());
        const std::size_t size = records.size() * sizeof(InputRecord);
        for (std::size_t at = 0; at < size; at += chunk) {
            const std::size_t n = std::min(chunk, size - at);
            if (::write(pipes_[i].second, bytes + at, n) != static_cast<ssize_t>(n))
                throw std::runtime_error("write");
        }
    }
    void unplug(std::size_t i) {
        ::close(pipes_[i].second);
        pipes_[i].second = -1;
    }
    // The twin of the i-th mouse, and the keyboard.
    std::shared_ptr<MemorySink> twin(std::size_t i) const { return twins_.at(i); }
    std::shared_ptr<MemorySink> keyboard() const { return keyboard_; }

  private:
    // The backend keeps the sinks readable after the devices are let go.
    class Forward : public VirtualDevice {
      public:
        explicit Forward(std::shared_ptr<MemorySink> to) : to_(std::move(to)) {}
        bool write(std::span<const InputRecord> frame) override { return to_->write(frame); }

      private:
        std::shared_ptr<MemorySink> to_;
    };
    std::vector<std::pair<int, int>> pipes_;
    std::vector<std::shared_ptr<MemorySink>> twins_;
    std::shared_ptr<MemorySink> keyboard_;
};

// Runs the loop until `done` holds, checking every millisecond; the loop is
// finished afterwards (quit is for good).
inline void runUntil(LinuxRunLoop& loop, std::function<bool()> done, double limitSeconds = 10) {
    const double deadline = loop.now() + limitSeconds;
    auto timer = loop.schedule(0.001, 0.001, [&] {
        if (done() || loop.now() > deadline) loop.quit(0);
    });
    loop.run();
    timer->invalidate();
}

// Type, code and value of each record (times aside).
using Triple = std::tuple<int, int, int>;
inline std::vector<Triple> triples(const std::vector<InputRecord>& records) {
    std::vector<Triple> out;
    for (const auto& r : records) out.emplace_back(r.type, r.code, r.value);
    return out;
}

}  // namespace wexo::platform::lnx::testing
