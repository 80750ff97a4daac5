#include "plist/PropertyList.h"

#include <plist/plist.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "plist/PropertyListShape.h"
#include "plist/Utf8.h"

namespace wexo::plist {

namespace {

// libplist hands out trees that the caller frees with plist_free and buffers
// that it frees with free(); every one of them is owned from the moment it
// appears.
struct NodeFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using Node = std::unique_ptr<void, NodeFree>;
struct BufferFree {
    void operator()(char* buffer) const { std::free(buffer); }
};
using Buffer = std::unique_ptr<char, BufferFree>;
struct IteratorFree {
    void operator()(void* iterator) const { std::free(iterator); }
};
using Iterator = std::unique_ptr<void, IteratorFree>;

constexpr std::string_view kBinaryMagic = "bplist00";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Property-list dates count from 2001-01-01; ours from 1970-01-01.
constexpr double kSeconds1970To2001 = 978307200.0;
// 0001-01-01T00:00:00Z and 9999-12-31T23:59:59Z: the years an XML date can
// spell, so the range both formats can hold.
constexpr double kEarliestDate = -62135596800.0;
constexpr double kLatestDate = 253402300799.0;
// Binary object markers.
constexpr std::uint8_t kMarkerSignedInteger = 0x13;  // 8-byte integer
constexpr std::uint8_t kMarkerDate = 0x33;

std::string serializeBinary(plist_t node) {
    char* raw = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(node, &raw, &length);
    Buffer owned(raw);
    return raw ? std::string(raw, length) : std::string();
}

// The marker byte of a one-node binary list: its only object sits right after
// the header.
std::optional<std::uint8_t> soleObjectMarker(const std::string& binary) {
    if (binary.size() <= kBinaryMagic.size()) return std::nullopt;
    return static_cast<std::uint8_t>(binary[kBinaryMagic.size()]);
}

// libplist 2.2 passes dates through its API as 32-bit seconds and
// microseconds, which loses every date before 1933 or after 2069 and the sign
// of fractions before 2001. Its binary encoding holds the full double, so
// dates travel through a one-object binary list instead.
Node makeDate(double secondsSince1970) {
    const double since2001 = secondsSince1970 - kSeconds1970To2001;
    std::uint64_t bits;
    std::memcpy(&bits, &since2001, sizeof bits);
    std::string bytes(kBinaryMagic);
    bytes += static_cast<char>(kMarkerDate);
    for (int shift = 56; shift >= 0; shift -= 8) bytes += static_cast<char>((bits >> shift) & 0xFF);
    bytes += static_cast<char>(kBinaryMagic.size());  // offset table: the one object
    std::string trailer(32, '\0');
    trailer[6] = 1;                                            // bytes per offset
    trailer[7] = 1;                                            // bytes per reference
    trailer[15] = 1;                                           // one object
    trailer[31] = static_cast<char>(kBinaryMagic.size() + 9);  // where the offset table is
    bytes += trailer;
    plist_t node = nullptr;
    plist_from_bin(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &node);
    return Node(node);
}

double readDate(plist_t node) {
    const std::string binary = serializeBinary(node);
    if (soleObjectMarker(binary) == kMarkerDate && binary.size() >= kBinaryMagic.size() + 9) {
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < 8; ++i)
            bits = (bits << 8) | static_cast<std::uint8_t>(binary[kBinaryMagic.size() + 1 + i]);
        double since2001;
        std::memcpy(&since2001, &bits, sizeof since2001);
        return since2001 + kSeconds1970To2001;
    }
    std::int32_t seconds = 0, microseconds = 0;
    plist_get_date_val(node, &seconds, &microseconds);
    return seconds + microseconds / 1e6 + kSeconds1970To2001;
}

std::string quoted(std::string_view text) {
    // Built piecewise: GCC 12 at -O3 misreads `"\"" + std::string(text)` as overlapping copies.
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out.append(text);
    out += '"';
    return out;
}

std::optional<std::string> whyUnwritableText(std::string_view text, const std::string& where,
                                             const char* what) {
    if (!Utf8::isValid(text)) return where + what + " is not valid UTF-8";
    if (text.find('\0') != std::string_view::npos) return where + what + " holds a NUL character";
    return std::nullopt;
}

std::optional<std::string> whyUnwritableAt(const Value& value, const std::string& where,
                                           int depth) {
    switch (value.type()) {
        case Value::Type::Boolean:
        case Value::Type::Integer:
        case Value::Type::Data:
            return std::nullopt;
        case Value::Type::Real:
            if (!std::isfinite(*value.asReal())) return where + "real is not finite";
            return std::nullopt;
        case Value::Type::String:
            return whyUnwritableText(*value.asString(), where, "string");
        case Value::Type::Date: {
            const double seconds = value.asDate()->secondsSince1970;
            if (!(seconds >= kEarliestDate && seconds <= kLatestDate))
                return where + "date is outside years 1 to 9999";
            return std::nullopt;
        }
        case Value::Type::Array: {
            if (depth >= PropertyList::kMaxDepth)
                return where + "nesting is deeper than " + std::to_string(PropertyList::kMaxDepth);
            const Array& array = *value.asArray();
            for (std::size_t i = 0; i < array.size(); ++i) {
                if (auto why = whyUnwritableAt(array[i], where + "[" + std::to_string(i) + "] ",
                                               depth + 1))
                    return why;
            }
            return std::nullopt;
        }
        case Value::Type::Dictionary: {
            if (depth >= PropertyList::kMaxDepth)
                return where + "nesting is deeper than " + std::to_string(PropertyList::kMaxDepth);
            for (const auto& [key, member] : *value.asDictionary()) {
                if (auto why = whyUnwritableText(key, where, "key")) return why;
                if (auto why = whyUnwritableAt(member, where + quoted(key) + " ", depth + 1))
                    return why;
            }
            return std::nullopt;
        }
    }
    return where + "value of unknown type";
}

// Builds the libplist tree of a value already known to be writable.
Node makeNode(const Value& value) {
    switch (value.type()) {
        case Value::Type::Boolean:
            return Node(plist_new_bool(*value.asBool() ? 1 : 0));
        case Value::Type::Integer:
            // libplist keeps integers as 64-bit patterns and writes them signed.
            return Node(plist_new_uint(static_cast<std::uint64_t>(*value.asInteger())));
        case Value::Type::Real:
            return Node(plist_new_real(*value.asReal()));
        case Value::Type::String:
            return Node(plist_new_string(value.asString()->c_str()));
        case Value::Type::Data: {
            const Data& data = *value.asData();
            static const char kNoBytes = 0;
            const char* bytes =
                data.empty() ? &kNoBytes : reinterpret_cast<const char*>(data.data());
            return Node(plist_new_data(bytes, data.size()));
        }
        case Value::Type::Date:
            return makeDate(value.asDate()->secondsSince1970);
        case Value::Type::Array: {
            Node array(plist_new_array());
            for (const Value& member : *value.asArray()) {
                Node child = makeNode(member);
                if (!child) return nullptr;
                plist_array_append_item(array.get(), child.release());
            }
            return array;
        }
        case Value::Type::Dictionary: {
            Node dictionary(plist_new_dict());
            for (const auto& [key, member] : *value.asDictionary()) {
                Node child = makeNode(member);
                if (!child) return nullptr;
                plist_dict_set_item(dictionary.get(), key.c_str(), child.release());
            }
            return dictionary;
        }
    }
    return nullptr;
}

class Reader {
  public:
    explicit Reader(std::vector<std::string>* problems) : problems_(problems) {}

    std::optional<Value> valueOf(plist_t node, const std::string& where, int depth) {
        switch (plist_get_node_type(node)) {
            case PLIST_BOOLEAN: {
                std::uint8_t b = 0;
                plist_get_bool_val(node, &b);
                return Value(b != 0);
            }
            case PLIST_UINT:
                return integerOf(node, where);
            case PLIST_REAL: {
                double d = 0;
                plist_get_real_val(node, &d);
                if (!std::isfinite(d)) return leftOut(where, "real that is not finite");
                return Value(d);
            }
            case PLIST_STRING: {
                std::uint64_t length = 0;
                const char* text = plist_get_string_ptr(node, &length);
                return Value(textOf(std::string_view(text ? text : "", text ? length : 0), where));
            }
            case PLIST_DATA: {
                std::uint64_t length = 0;
                const char* bytes = plist_get_data_ptr(node, &length);
                if (!bytes || length == 0) return Value(Data());
                const auto* first = reinterpret_cast<const std::uint8_t*>(bytes);
                return Value(Data(first, first + length));
            }
            case PLIST_DATE: {
                const double seconds = readDate(node);
                if (!(seconds >= kEarliestDate && seconds <= kLatestDate))
                    return leftOut(where, "date outside years 1 to 9999");
                return Value(Date{seconds});
            }
            case PLIST_UID: {
                // Spelled the way XML property lists spell a keyed-archive reference.
                std::uint64_t uid = 0;
                plist_get_uid_val(node, &uid);
                return Value(Dictionary{{"CF$UID", Value(static_cast<long long>(uid))}});
            }
            case PLIST_ARRAY:
                if (depth >= PropertyList::kMaxDepth)
                    return leftOut(where, "too deeply nested array");
                return arrayOf(node, where, depth);
            case PLIST_DICT:
                if (depth >= PropertyList::kMaxDepth)
                    return leftOut(where, "too deeply nested dictionary");
                return dictionaryOf(node, where, depth);
            case PLIST_KEY:
            case PLIST_NONE:
                break;
        }
        return leftOut(where, "value of unknown type");
    }

  private:
    std::optional<Value> integerOf(plist_t node, const std::string& where) {
        std::uint64_t bits = 0;
        plist_get_uint_val(node, &bits);
        const auto signedValue = static_cast<std::int64_t>(bits);
        if (signedValue >= 0) return Value(static_cast<long long>(signedValue));
        // The same bits are a negative number or an unsigned one beyond the
        // signed range; only the encoding tells which.
        if (soleObjectMarker(serializeBinary(node)) == kMarkerSignedInteger)
            return Value(static_cast<long long>(signedValue));
        note(where + "integer " + std::to_string(bits) +
             " is beyond the signed 64-bit range; read as a real");
        return Value(static_cast<double>(bits));
    }

    std::string textOf(std::string_view text, const std::string& where) {
        if (Utf8::isValid(text) && text.find('\0') == std::string_view::npos)
            return std::string(text);
        note(where + "text is not valid UTF-8; bad bytes replaced");
        std::string repaired = Utf8::repaired(text);
        std::string::size_type nul;
        while ((nul = repaired.find('\0')) != std::string::npos)
            repaired.replace(nul, 1, "\xEF\xBF\xBD");
        return repaired;
    }

    std::optional<Value> arrayOf(plist_t node, const std::string& where, int depth) {
        Array array;
        array.reserve(plist_array_get_size(node));
        plist_array_iter raw = nullptr;
        plist_array_new_iter(node, &raw);
        Iterator iterator(raw);
        for (std::size_t i = 0;; ++i) {
            plist_t item = nullptr;
            plist_array_next_item(node, raw, &item);
            if (!item) break;
            if (auto member = valueOf(item, where + "[" + std::to_string(i) + "] ", depth + 1))
                array.push_back(std::move(*member));
        }
        return Value(std::move(array));
    }

    std::optional<Value> dictionaryOf(plist_t node, const std::string& where, int depth) {
        Dictionary dictionary;
        plist_dict_iter raw = nullptr;
        plist_dict_new_iter(node, &raw);
        Iterator iterator(raw);
        for (;;) {
            char* rawKey = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, raw, &rawKey, &item);
            Buffer ownedKey(rawKey);
            if (!item) break;
            std::string key = textOf(rawKey ? rawKey : "", where + "key ");
            if (auto member = valueOf(item, where + quoted(key) + " ", depth + 1))
                dictionary.insert_or_assign(std::move(key), std::move(*member));
        }
        return Value(std::move(dictionary));
    }

    std::nullopt_t leftOut(const std::string& where, const std::string& what) {
        note(where + what + " left out");
        return std::nullopt;
    }

    void note(std::string problem) {
        if (problems_) problems_->push_back(std::move(problem));
    }

    std::vector<std::string>* problems_;
};

void report(std::vector<std::string>* problems, std::string problem) {
    if (problems) problems->push_back(std::move(problem));
}

}  // namespace

std::optional<Value> PropertyList::read(std::string_view bytes,
                                        std::vector<std::string>* problems) {
    if (bytes.empty()) {
        report(problems, "no bytes: not a property list");
        return std::nullopt;
    }
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        report(problems, "too large for a property list");
        return std::nullopt;
    }
    plist_t raw = nullptr;
    if (bytes.substr(0, kBinaryMagic.size()) == kBinaryMagic) {
        if (auto why = PropertyListShape::whyRefusedBinary(bytes, kMaxDepth, kMaxBinaryValues)) {
            report(problems, *why);
            return std::nullopt;
        }
        plist_from_bin(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &raw);
    } else {
        if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
        // The XML form wraps the outermost container in <plist> and every
        // leaf in an element of its own.
        if (auto why = PropertyListShape::whyRefusedXml(bytes, kMaxDepth + 2)) {
            report(problems, *why);
            return std::nullopt;
        }
        plist_from_xml(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &raw);
    }
    Node root(raw);
    if (!root) {
        report(problems, "not a readable property list (damaged, truncated or another format)");
        return std::nullopt;
    }
    return Reader(problems).valueOf(root.get(), "", 0);
}

std::optional<std::string> PropertyList::write(const Value& value, Format format,
                                               std::string* problem) {
    if (auto why = whyUnwritable(value)) {
        if (problem) *problem = *why;
        return std::nullopt;
    }
    Node root = makeNode(value);
    char* raw = nullptr;
    std::uint32_t length = 0;
    if (root) {
        if (format == Format::Xml) {
            plist_to_xml(root.get(), &raw, &length);
        } else {
            plist_to_bin(root.get(), &raw, &length);
        }
    }
    Buffer owned(raw);
    if (!raw || length == 0) {
        if (problem) *problem = "libplist could not write the value";
        return std::nullopt;
    }
    return std::string(raw, length);
}

std::optional<std::string> PropertyList::whyUnwritable(const Value& value, int enclosingDepth) {
    return whyUnwritableAt(value, "", enclosingDepth);
}

}  // namespace wexo::plist
