#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <variant>

namespace wexo::platform {

using DisplayId = std::uint32_t;

// A display link (CVDisplayLink): calls its output callback once per refresh
// of its display while running, on a thread of its own.
class DisplayLink {
  public:
    virtual ~DisplayLink() = default;
    // CVDisplayLinkSetOutputCallback. Set it before starting the link.
    virtual void setOutputCallback(std::function<void()> callback) = 0;
    // CVDisplayLinkStart; starting a running link changes nothing.
    virtual void start() = 0;
    // CVDisplayLinkStop; callable from the link's own callback.
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;
};

class DisplayLinks {
  public:
    virtual ~DisplayLinks() = default;
    // CVDisplayLinkCreateWithCGDisplay: a link, or the error code.
    virtual std::variant<std::unique_ptr<DisplayLink>, int> create(DisplayId display) = 0;
};

}  // namespace wexo::platform
