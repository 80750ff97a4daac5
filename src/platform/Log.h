#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/ObjcFormat.h"

namespace wexo::platform {

enum class LogLevel { Debug, Info, Warning, Error };

// The one logger of the program (spdlog underneath): standard error, the
// system log where /dev/log exists, and any sinks added here. Messages that
// the program defines go out at the error level.
class Log {
  public:
    static void write(LogLevel level, const char* file, int line, std::string_view message);

    // An extra destination (the simulated desktop records every line). The
    // returned id removes it again.
    using Sink = std::function<void(LogLevel, std::string_view message)>;
    static int addSink(Sink sink);
    static void removeSink(int id);
    // Standard error can be silenced (the scenario runner keeps it quiet).
    static void setStandardErrorEnabled(bool on);
};

}  // namespace wexo::platform

// Logs a message written with the program's Objective-C style format string,
// e.g. WEXO_LOG_ERROR("DisplayLink created with error:%d", code).
#define WEXO_LOG_ERROR(...)                                                             \
    ::wexo::platform::Log::write(::wexo::platform::LogLevel::Error, __FILE__, __LINE__, \
                                 ::wexo::objcFormat(__VA_ARGS__))
#define WEXO_LOG_WARNING(...)                                                             \
    ::wexo::platform::Log::write(::wexo::platform::LogLevel::Warning, __FILE__, __LINE__, \
                                 ::wexo::objcFormat(__VA_ARGS__))
#define WEXO_LOG_INFO(...)                                                             \
    ::wexo::platform::Log::write(::wexo::platform::LogLevel::Info, __FILE__, __LINE__, \
                                 ::wexo::objcFormat(__VA_ARGS__))
