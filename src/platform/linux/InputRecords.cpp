#include "platform/linux/InputRecords.h"

#include <libevdev/libevdev.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <limits>

namespace wexo::platform::lnx {

InputRecord makeRecord(std::uint16_t type, std::uint16_t code, std::int32_t value,
                       std::int64_t timeMicros) {
    InputRecord r{};
    r.input_event_sec = static_cast<decltype(r.input_event_sec)>(timeMicros / 1'000'000);
    r.input_event_usec = static_cast<decltype(r.input_event_usec)>(timeMicros % 1'000'000);
    r.type = type;
    r.code = code;
    r.value = value;
    return r;
}

std::int64_t recordMicros(const InputRecord& r) {
    // A record from a pipe may carry any time at all: past the range it
    // saturates instead of overflowing.
    const auto sec = static_cast<std::int64_t>(r.input_event_sec);
    const auto usec = static_cast<std::int64_t>(r.input_event_usec);
    std::int64_t micros = 0;
    if (__builtin_mul_overflow(sec, std::int64_t{1'000'000}, &micros) ||
        __builtin_add_overflow(micros, usec, &micros))
        return sec < 0 || (sec == 0 && usec < 0) ? std::numeric_limits<std::int64_t>::min()
                                                 : std::numeric_limits<std::int64_t>::max();
    return micros;
}

std::int64_t wallClockMicros() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000 + ts.tv_nsec / 1000;
}

bool sameRecord(const InputRecord& a, const InputRecord& b) {
    return a.type == b.type && a.code == b.code && a.value == b.value;
}

std::string describeRecord(const InputRecord& r) {
    const char* type = libevdev_event_type_get_name(r.type);
    const char* code = libevdev_event_code_get_name(r.type, r.code);
    return std::string(type ? type : std::to_string(r.type)) + " " +
           (code ? code : std::to_string(r.code)) + " " + std::to_string(r.value);
}

void RecordAssembler::feed(std::span<const std::uint8_t> bytes, std::vector<InputRecord>& out) {
    constexpr std::size_t kSize = sizeof(InputRecord);
    std::size_t at = 0;
    if (partialSize_ > 0) {
        const std::size_t take = std::min(kSize - partialSize_, bytes.size());
        std::memcpy(partial_ + partialSize_, bytes.data(), take);
        partialSize_ += take;
        at = take;
        if (partialSize_ < kSize) return;
        InputRecord r;
        std::memcpy(&r, partial_, kSize);
        out.push_back(r);
        partialSize_ = 0;
    }
    while (bytes.size() - at >= kSize) {
        InputRecord r;
        std::memcpy(&r, bytes.data() + at, kSize);
        out.push_back(r);
        at += kSize;
    }
    partialSize_ = bytes.size() - at;
    std::memcpy(partial_, bytes.data() + at, partialSize_);
}

void ReportSplitter::push(const InputRecord& r, std::vector<Report>& out) {
    if (r.type == EV_SYN && r.code == SYN_DROPPED) {
        dropping_ = true;
        current_.clear();
        return;
    }
    if (r.type == EV_SYN && r.code == SYN_REPORT) {
        if (dropping_) {
            dropping_ = false;
            ++dropped_;
        } else if (!current_.empty()) {
            out.push_back(std::move(current_));
        }
        current_.clear();
        return;
    }
    if (!dropping_) current_.push_back(r);
}

void appendFrame(std::span<const InputRecord> records, std::vector<InputRecord>& out,
                 std::int64_t timeMicros) {
    out.insert(out.end(), records.begin(), records.end());
    out.push_back(makeRecord(EV_SYN, SYN_REPORT, 0, timeMicros));
}

}  // namespace wexo::platform::lnx
