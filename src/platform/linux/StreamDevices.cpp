#include "platform/linux/StreamDevices.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Log.h"

namespace wexo::platform::lnx {

StreamSource::StreamSource(int fd, std::string name) : fd_(fd), name_(std::move(name)) {
    const int flags = fcntl(fd_, F_GETFL);
    if (flags >= 0) fcntl(fd_, F_SETFL, flags | O_NONBLOCK);
}

InputSource::ReadResult StreamSource::read(std::vector<InputRecord>& out) {
    if (ended_) return ReadResult::End;
    // One read a call: what it brings is settled before the next, so a
    // stream that has megabytes waiting is taken in portions the taps can
    // settle in time.
    std::uint8_t buffer[8192];
    const std::size_t before = out.size();
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            assembler_.feed(std::span(buffer, static_cast<std::size_t>(n)), out);
            return out.size() > before ? ReadResult::Records : ReadResult::Nothing;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return out.size() > before ? ReadResult::Records : ReadResult::Nothing;
        if (n < 0) WEXO_LOG_ERROR("Reading %s failed: %s", name_.c_str(), std::strerror(errno));
        ended_ = true;
        if (assembler_.partialBytes() > 0)
            WEXO_LOG_ERROR("%s ended in the middle of a record: its %zu bytes are dropped",
                           name_.c_str(), assembler_.partialBytes());
        return out.size() > before ? ReadResult::Records : ReadResult::End;
    }
}

bool StreamSink::write(std::span<const InputRecord> frame) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(frame.data());
    std::size_t left = frame.size_bytes();
    while (left > 0) {
        const ssize_t n = ::write(fd_, bytes, left);
        if (n > 0) {
            bytes += n;
            left -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A reader slower than us: wait for room rather than drop half
            // a frame.
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, 1000);
            continue;
        }
        return false;
    }
    return true;
}

std::vector<std::unique_ptr<InputSource>> StreamBackend::openSources() {
    std::vector<std::unique_ptr<InputSource>> sources;
    sources.push_back(std::make_unique<StreamSource>(inFd_, "standard input"));
    return sources;
}

std::unique_ptr<VirtualDevice> StreamBackend::createTwin(const InputSource&) {
    return std::make_unique<StreamSink>(outFd_);
}

std::unique_ptr<VirtualDevice> StreamBackend::createKeyboard() {
    return std::make_unique<StreamSink>(outFd_);
}

}  // namespace wexo::platform::lnx
