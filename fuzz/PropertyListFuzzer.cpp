// Property lists in both forms: whatever reads back must write in either
// form and read back as the same value.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "plist/PropertyList.h"

using wexo::plist::Format;
using wexo::plist::PropertyList;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto value = PropertyList::read(bytes);
    if (!value) return 0;
    // A value read may still be unwritable (it is described, not dropped,
    // when it sits too deep to write); only a writable one must round-trip.
    if (PropertyList::whyUnwritable(*value)) return 0;
    for (Format format : {Format::Xml, Format::Binary}) {
        const auto written = PropertyList::write(*value, format);
        if (!written) std::abort();
        const auto again = PropertyList::read(*written);
        // XML keeps whole seconds of a date: compare the XML form with
        // itself after one more round instead.
        if (!again) std::abort();
        if (format == Format::Binary && !(*again == *value)) std::abort();
        if (format == Format::Xml && PropertyList::write(*again, Format::Xml) != written)
            std::abort();
    }
    return 0;
}
