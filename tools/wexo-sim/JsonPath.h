#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace wexo::simrunner {

// Where a value sits in the scenario document, written the JSONPath way:
// $.steps[2].event.type
class JsonPath {
  public:
    JsonPath() : text_("$") {}
    JsonPath operator/(std::string_view key) const;
    JsonPath operator[](std::size_t index) const;
    const std::string& str() const { return text_; }

  private:
    explicit JsonPath(std::string text) : text_(std::move(text)) {}
    std::string text_;
};

// A malformed scenario: where, and what is wrong there.
struct ScenarioError {
    std::string path;
    std::string message;
    std::string text() const { return path + ": " + message; }
};

// Thrown inside the parser only; the parser's callers get a ScenarioError.
class ScenarioException : public std::runtime_error {
  public:
    ScenarioException(const JsonPath& path, std::string message)
        : std::runtime_error(message), error_{path.str(), std::move(message)} {}
    const ScenarioError& error() const { return error_; }

  private:
    ScenarioError error_;
};

}  // namespace wexo::simrunner
