#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plist/Value.h"

namespace wexo::plist {

enum class Format { Xml, Binary };

// Whole property lists to and from bytes, through libplist's C API.
//
// Reading is tolerant: bytes that are not a property list (empty, truncated,
// random, nested beyond reason) read as nothing, and a readable list keeps
// everything it can: a member that could never be written back (a real that
// is not finite, a date outside years 1 to 9999) is left out, text that is
// not UTF-8 has its bad bytes replaced by U+FFFD, an unsigned integer beyond
// the signed 64-bit range becomes a real. Whatever was refused or changed is
// described in `problems` for the caller's log; this room sits below the
// logger, so it reports instead of logging.
//
// XML dates keep whole seconds (the format has no fractions); binary dates
// keep the full value.
class PropertyList {
  public:
    // Arrays and dictionaries nested deeper than this are refused both ways:
    // libplist parses and frees recursively and would run out of stack long
    // before any real settings file gets near it.
    static constexpr int kMaxDepth = 512;
    // A binary list may share one object among many references; expanding it
    // past this many values is refused rather than letting it exhaust memory.
    static constexpr std::size_t kMaxBinaryValues = 4'000'000;

    // Binary when the bytes start with "bplist00", XML otherwise.
    static std::optional<Value> read(std::string_view bytes,
                                     std::vector<std::string>* problems = nullptr);

    // Nothing (and the reason in `problem`) when the value cannot be written.
    static std::optional<std::string> write(const Value& value, Format format,
                                            std::string* problem = nullptr);

    // Why the value could not be written as a property list, or nothing
    // when it can: a real that is not finite, a string or key that is not
    // UTF-8 or holds a NUL character, a date outside years 1 to 9999, or
    // nesting deeper than kMaxDepth. `enclosingDepth` counts the containers
    // the value will sit in (1 for a value stored in a dictionary).
    static std::optional<std::string> whyUnwritable(const Value& value, int enclosingDepth = 0);
};

}  // namespace wexo::plist
