#pragma once

#include <mutex>

#include "platform/linux/Devices.h"

namespace wexo::platform::lnx {

// Records read from a descriptor (standard input, a pipe). Reads may end
// mid-record; the rest is carried over, and a record left unfinished at the
// end is dropped with a log line.
class StreamSource : public InputSource {
  public:
    // The descriptor stays the caller's; it is switched to non-blocking.
    StreamSource(int fd, std::string name);
    int fd() const override { return fd_; }
    ReadResult read(std::vector<InputRecord>& out) override;
    bool grab(bool) override { return true; }
    std::string name() const override { return name_; }

  private:
    int fd_;
    std::string name_;
    RecordAssembler assembler_;
    bool ended_ = false;
};

// Records written to a descriptor (standard output, a pipe), whole frames
// at a time. Several sinks may share one descriptor: the stream form has one
// output for the pointer and the keyboard alike.
class StreamSink : public VirtualDevice {
  public:
    explicit StreamSink(int fd) : fd_(fd) {}
    bool write(std::span<const InputRecord> frame) override;

  private:
    int fd_;
};

// `wexo --stdio`: one source, standard input; every twin and the keyboard
// write to standard output.
class StreamBackend : public DeviceBackend {
  public:
    StreamBackend(int inFd, int outFd) : inFd_(inFd), outFd_(outFd) {}
    std::vector<std::unique_ptr<InputSource>> openSources() override;
    std::unique_ptr<VirtualDevice> createTwin(const InputSource&) override;
    std::unique_ptr<VirtualDevice> createKeyboard() override;

  private:
    int inFd_;
    int outFd_;
};

}  // namespace wexo::platform::lnx
