#pragma once

#include <linux/input.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wexo::platform::lnx {

// One evdev record exactly as the kernel and interception-tools pass it
// (24 bytes on 64-bit Linux: the time, then type, code and value).
using InputRecord = ::input_event;
static_assert(sizeof(InputRecord) == 24 || sizeof(InputRecord) == 16);

InputRecord makeRecord(std::uint16_t type, std::uint16_t code, std::int32_t value,
                       std::int64_t timeMicros = 0);
std::int64_t recordMicros(const InputRecord& r);
// The time the kernel would stamp a record with now (CLOCK_REALTIME).
std::int64_t wallClockMicros();
// Type, code and value alike; the time aside.
bool sameRecord(const InputRecord& a, const InputRecord& b);
// "EV_REL REL_X 3", for log lines.
std::string describeRecord(const InputRecord& r);

// A device's records are one report up to each SYN_REPORT.
using Report = std::vector<InputRecord>;

// Reassembles records from a byte stream whose reads may end anywhere.
class RecordAssembler {
  public:
    void feed(std::span<const std::uint8_t> bytes, std::vector<InputRecord>& out);
    // Bytes of a record begun but not finished.
    std::size_t partialBytes() const { return partialSize_; }

  private:
    std::uint8_t partial_[sizeof(InputRecord)]{};
    std::size_t partialSize_ = 0;
};

// Cuts a device's records into reports. After SYN_DROPPED (the kernel's
// buffer overflowed) everything up to and including the next SYN_REPORT is
// dropped, as the kernel's documentation asks of a reader that does not
// resynchronise through libevdev.
class ReportSplitter {
  public:
    // Appends each report completed by `r` to `out`.
    void push(const InputRecord& r, std::vector<Report>& out);
    // Records since the last SYN_REPORT.
    const Report& unfinished() const { return current_; }
    std::size_t droppedReports() const { return dropped_; }

  private:
    Report current_;
    bool dropping_ = false;
    std::size_t dropped_ = 0;
};

// Writes `records` followed by SYN_REPORT as one frame.
void appendFrame(std::span<const InputRecord> records, std::vector<InputRecord>& out,
                 std::int64_t timeMicros);

}  // namespace wexo::platform::lnx
