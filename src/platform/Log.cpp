#include "platform/Log.h"

#include <spdlog/logger.h>
#include <spdlog/sinks/sink.h>
#include <spdlog/sinks/stdout_sinks.h>
#include <spdlog/sinks/syslog_sink.h>
#include <syslog.h>

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <shared_mutex>

namespace wexo::platform {

namespace {

spdlog::level::level_enum toSpdlog(LogLevel level) {
    switch (level) {
        case LogLevel::Debug:
            return spdlog::level::debug;
        case LogLevel::Info:
            return spdlog::level::info;
        case LogLevel::Warning:
            return spdlog::level::warn;
        case LogLevel::Error:
            return spdlog::level::err;
    }
    return spdlog::level::err;
}

LogLevel fromSpdlog(spdlog::level::level_enum level) {
    switch (level) {
        case spdlog::level::trace:
        case spdlog::level::debug:
            return LogLevel::Debug;
        case spdlog::level::info:
            return LogLevel::Info;
        case spdlog::level::warn:
            return LogLevel::Warning;
        default:
            return LogLevel::Error;
    }
}

// Hands every line to the sinks added through Log::addSink. Lines may come
// from any thread (display-link callbacks log too); they are handed out under
// a shared lock so that removing a sink waits until no line is still being
// given to it, and a sink's owner may be destroyed right after removeSink.
class CallbackSink final : public spdlog::sinks::sink {
  public:
    void log(const spdlog::details::log_msg& msg) override {
        // A sink that itself logs would otherwise recurse into the sinks (and
        // into the lock it already holds).
        thread_local bool handingOut = false;
        if (handingOut) return;
        handingOut = true;
        {
            std::shared_lock lock(mutex_);
            const std::string_view text(msg.payload.data(), msg.payload.size());
            for (auto& [id, sink] : sinks_) {
                try {
                    sink(fromSpdlog(msg.level), text);
                } catch (...) {
                    // A failing sink must not take the line away from the others.
                }
            }
        }
        handingOut = false;
    }
    void flush() override {}
    void set_pattern(const std::string&) override {}
    void set_formatter(std::unique_ptr<spdlog::formatter>) override {}

    int add(Log::Sink sink) {
        std::unique_lock lock(mutex_);
        const int id = nextId_++;
        sinks_.emplace(id, std::move(sink));
        return id;
    }
    void remove(int id) {
        std::unique_lock lock(mutex_);
        sinks_.erase(id);
    }

  private:
    std::shared_mutex mutex_;
    std::map<int, Log::Sink> sinks_;
    int nextId_ = 1;
};

struct Logger {
    Logger() {
        standardError = std::make_shared<spdlog::sinks::stderr_sink_mt>();
        standardError->set_pattern("%Y-%m-%d %H:%M:%S.%e wexo[%P] %l: %v (%s:%#)");
        callbacks = std::make_shared<CallbackSink>();
        std::vector<spdlog::sink_ptr> sinks{standardError, callbacks};
        std::error_code ec;
        if (std::filesystem::exists("/dev/log", ec)) {
            sinks.push_back(
                std::make_shared<spdlog::sinks::syslog_sink_mt>("wexo", LOG_PID, LOG_USER, false));
        }
        logger = std::make_shared<spdlog::logger>("wexo", sinks.begin(), sinks.end());
        logger->set_level(spdlog::level::debug);
    }

    std::shared_ptr<spdlog::sinks::stderr_sink_mt> standardError;
    std::shared_ptr<CallbackSink> callbacks;
    std::shared_ptr<spdlog::logger> logger;
};

// Created on first use and never destroyed, so that lines logged while other
// static objects are torn down still have somewhere to go.
Logger& theLogger() {
    static Logger* logger = new Logger;
    return *logger;
}

}  // namespace

void Log::write(LogLevel level, const char* file, int line, std::string_view message) {
    theLogger().logger->log(spdlog::source_loc{file, line, ""}, toSpdlog(level),
                            spdlog::string_view_t(message.data(), message.size()));
}

int Log::addSink(Sink sink) {
    return theLogger().callbacks->add(std::move(sink));
}

void Log::removeSink(int id) {
    theLogger().callbacks->remove(id);
}

void Log::setStandardErrorEnabled(bool on) {
    theLogger().standardError->set_level(on ? spdlog::level::trace : spdlog::level::off);
}

}  // namespace wexo::platform
