#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Log.h"

namespace wexo::platform {

// Records the lines logged while it lives.
class LogCapture {
  public:
    LogCapture() {
        id_ = Log::addSink([this](LogLevel level, std::string_view message) {
            std::lock_guard lock(mutex_);
            lines_.push_back({level, std::string(message)});
        });
    }
    ~LogCapture() { Log::removeSink(id_); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    struct Line {
        LogLevel level;
        std::string message;
    };
    std::vector<Line> lines() const {
        std::lock_guard lock(mutex_);
        return lines_;
    }
    // Whether some line holds every one of the given pieces.
    bool has(std::initializer_list<std::string_view> pieces) const {
        for (const Line& line : lines()) {
            bool all = true;
            for (auto piece : pieces) all = all && line.message.find(piece) != std::string::npos;
            if (all) return true;
        }
        return false;
    }

  private:
    int id_ = 0;
    mutable std::mutex mutex_;
    std::vector<Line> lines_;
};

}  // namespace wexo::platform
