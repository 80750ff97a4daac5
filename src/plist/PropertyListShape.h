#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wexo::plist {

// Checks bytes before libplist parses them. libplist 2.2 parses and frees
// nested containers recursively and expands every reference of a binary
// list into its own copy, so a hostile or damaged file could exhaust the
// stack or memory long before it is rejected. These scans are linear in
// the input (bounded by maxValues for binary) and refuse such shapes.
class PropertyListShape {
  public:
    // Why the XML text nests elements deeper than maxDepth, or nothing.
    // Comments, CDATA sections, declarations and processing instructions
    // are skipped the way an XML parser skips them.
    static std::optional<std::string> whyRefusedXml(std::string_view text, int maxDepth);

    // Why the binary list ("bplist00") is damaged, nests containers deeper
    // than maxDepth (which includes any reference cycle), expands to more
    // than maxValues values or has a dictionary key that is not text or holds
    // a NUL character (libplist 2.2 asserts on such a key), or nothing.
    static std::optional<std::string> whyRefusedBinary(std::string_view bytes, int maxDepth,
                                                       std::size_t maxValues);
};

}  // namespace wexo::plist
