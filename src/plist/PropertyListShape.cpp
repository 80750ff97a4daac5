#include "plist/PropertyListShape.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

namespace wexo::plist {

namespace {

bool startsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    return text.substr(at, prefix.size()) == prefix;
}

// Reads a big-endian unsigned integer of `size` bytes (1 to 8).
std::uint64_t bigEndian(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// Dictionary keys must be text without NUL characters: libplist 2.2 aborts
// the process (an assertion) when it hands out a key with a NUL inside.
std::optional<std::string> whyBadKey(std::string_view bytes, std::uint64_t at, std::uint64_t end) {
    if (at < 8 || at >= end) return "binary property list object out of bounds";
    const std::uint8_t marker = static_cast<std::uint8_t>(bytes[at]);
    const std::uint8_t kind = marker >> 4;
    if (kind != 0x5 && kind != 0x6) return "binary property list with a key that is not text";
    std::uint64_t length = marker & 0x0F;
    std::uint64_t textAt = at + 1;
    if (length == 0x0F) {
        if (textAt >= end) return "binary property list object out of bounds";
        const std::uint8_t lengthMarker = static_cast<std::uint8_t>(bytes[textAt]);
        if ((lengthMarker >> 4) != 0x1 || (lengthMarker & 0x0F) > 3)
            return "binary property list with a damaged key length";
        const std::size_t lengthSize = std::size_t{1} << (lengthMarker & 0x0F);
        if (textAt + 1 + lengthSize > end) return "binary property list object out of bounds";
        length = bigEndian(bytes, textAt + 1, lengthSize);
        textAt += 1 + lengthSize;
    }
    const std::uint64_t unit = kind == 0x5 ? 1 : 2;
    if (length > (end - textAt) / unit) return "binary property list object out of bounds";
    for (std::uint64_t i = 0; i < length; ++i) {
        const bool nul = unit == 1
                             ? bytes[textAt + i] == '\0'
                             : bytes[textAt + 2 * i] == '\0' && bytes[textAt + 2 * i + 1] == '\0';
        if (nul) return "binary property list with a NUL character in a key";
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> PropertyListShape::whyRefusedXml(std::string_view text, int maxDepth) {
    int depth = 0;
    std::size_t i = text.find('<');
    while (i != std::string_view::npos) {
        std::size_t end;
        if (startsWith(text, i, "<!--")) {
            end = text.find("-->", i + 4);
            if (end != std::string_view::npos) end += 2;
        } else if (startsWith(text, i, "<![CDATA[")) {
            end = text.find("]]>", i + 9);
            if (end != std::string_view::npos) end += 2;
        } else if (startsWith(text, i, "<?")) {
            end = text.find("?>", i + 2);
            if (end != std::string_view::npos) end += 1;
        } else {
            end = text.find('>', i + 1);
            if (end == std::string_view::npos) break;
            if (text[i + 1] == '/') {
                if (depth > 0) --depth;
            } else if (text[i + 1] != '!' && text[end - 1] != '/') {
                if (++depth > maxDepth)
                    return "elements nested deeper than " + std::to_string(maxDepth);
            }
        }
        if (end == std::string_view::npos) break;
        i = text.find('<', end + 1);
    }
    return std::nullopt;
}

std::optional<std::string> PropertyListShape::whyRefusedBinary(std::string_view bytes, int maxDepth,
                                                               std::size_t maxValues) {
    constexpr std::size_t kHeader = 8, kTrailer = 32;
    if (bytes.size() < kHeader + kTrailer + 1) return "binary property list too short";
    const std::size_t trailer = bytes.size() - kTrailer;
    const std::size_t offsetSize = static_cast<std::uint8_t>(bytes[trailer + 6]);
    const std::size_t refSize = static_cast<std::uint8_t>(bytes[trailer + 7]);
    const std::uint64_t objectCount = bigEndian(bytes, trailer + 8, 8);
    const std::uint64_t top = bigEndian(bytes, trailer + 16, 8);
    const std::uint64_t tableAt = bigEndian(bytes, trailer + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8)
        return "binary property list with impossible offset or reference sizes";
    if (objectCount == 0 || top >= objectCount || tableAt < kHeader || tableAt >= trailer ||
        objectCount > (trailer - tableAt) / offsetSize)
        return "binary property list with a damaged offset table";

    auto offsetOf = [&](std::uint64_t object) {
        return bigEndian(bytes, tableAt + object * offsetSize, offsetSize);
    };

    struct Pending {
        std::uint64_t object;
        int depth;  // containers enclosing this object
    };
    // Counted when queued, so that the queue itself stays within the bound.
    std::size_t values = 1;
    std::vector<Pending> pending{{top, 0}};
    std::unordered_set<std::uint64_t> checkedKeys;  // a shared key is scanned once
    while (!pending.empty()) {
        Pending p = pending.back();
        pending.pop_back();
        const std::uint64_t at = offsetOf(p.object);
        if (at < kHeader || at >= tableAt) return "binary property list object out of bounds";
        const std::uint8_t marker = static_cast<std::uint8_t>(bytes[at]);
        const std::uint8_t kind = marker >> 4;
        if (kind != 0xA && kind != 0xC && kind != 0xD) continue;  // not a container

        if (p.depth + 1 > maxDepth)
            return "binary property list nested deeper than " + std::to_string(maxDepth) +
                   " (or referring to itself)";
        std::uint64_t count = marker & 0x0F;
        std::uint64_t refsAt = at + 1;
        if (count == 0x0F) {
            // The count follows as an integer object of 1, 2, 4 or 8 bytes.
            if (refsAt >= tableAt) return "binary property list object out of bounds";
            const std::uint8_t countMarker = static_cast<std::uint8_t>(bytes[refsAt]);
            if ((countMarker >> 4) != 0x1 || (countMarker & 0x0F) > 3)
                return "binary property list with a damaged container count";
            const std::size_t countSize = std::size_t{1} << (countMarker & 0x0F);
            if (refsAt + 1 + countSize > tableAt)
                return "binary property list object out of bounds";
            count = bigEndian(bytes, refsAt + 1, countSize);
            refsAt += 1 + countSize;
        }
        const std::uint64_t refs = kind == 0xD ? 2 * count : count;
        if (count > tableAt || refs > (tableAt - refsAt) / refSize)
            return "binary property list object out of bounds";
        for (std::uint64_t r = 0; r < refs; ++r) {
            const std::uint64_t child = bigEndian(bytes, refsAt + r * refSize, refSize);
            if (child >= objectCount) return "binary property list refers to a missing object";
            if (kind == 0xD && r < count && checkedKeys.insert(child).second) {
                if (auto why = whyBadKey(bytes, offsetOf(child), tableAt)) return why;
            }
            if (++values > maxValues)
                return "binary property list expands to more than " + std::to_string(maxValues) +
                       " values";
            pending.push_back({child, p.depth + 1});
        }
    }
    return std::nullopt;
}

}  // namespace wexo::plist
