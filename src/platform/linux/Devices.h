#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/linux/InputRecords.h"

namespace wexo::platform::lnx {

// A mouse the program reads: an evdev device it grabs, or a stream of
// records (standard input in `wexo --stdio`, a pipe in the tests).
class InputSource {
  public:
    virtual ~InputSource() = default;
    enum class ReadResult { Records, Nothing, End };
    // A descriptor that turns readable when records may be waiting.
    virtual int fd() const = 0;
    // Appends what one read brings, without waiting. End: the stream ended
    // or the device went away; nothing more will come.
    virtual ReadResult read(std::vector<InputRecord>& out) = 0;
    // Takes the device for the program alone (EVIOCGRAB), or gives it back.
    // True when done; a stream has nothing to grab and answers true.
    virtual bool grab(bool on) = 0;
    // For log lines.
    virtual std::string name() const = 0;
};

// A device the program writes: the virtual twin of a mouse, or the virtual
// keyboard. Writes whole frames (records ending in SYN_REPORT).
class VirtualDevice {
  public:
    virtual ~VirtualDevice() = default;
    // False when the records could not be written.
    virtual bool write(std::span<const InputRecord> frame) = 0;
};

// Where the input path's devices come from: the mice found with udev and
// their uinput twins, or standard input and output.
class DeviceBackend {
  public:
    virtual ~DeviceBackend() = default;
    // The mice there are now, opened and ready to grab.
    virtual std::vector<std::unique_ptr<InputSource>> openSources() = 0;
    // A descriptor readable when mice are plugged in (-1: never).
    virtual int hotplugFd() const { return -1; }
    // The mice plugged in since the last call.
    virtual std::vector<std::unique_ptr<InputSource>> takePluggedIn() { return {}; }
    // The virtual twin of a source (its name with " (Wexo)", its identity
    // and capabilities, plus high-resolution wheels); nothing on failure.
    virtual std::unique_ptr<VirtualDevice> createTwin(const InputSource& source) = 0;
    // The virtual keyboard for the keys the program posts.
    virtual std::unique_ptr<VirtualDevice> createKeyboard() = 0;
};

}  // namespace wexo::platform::lnx
