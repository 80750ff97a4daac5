#include "platform/linux/x11/XSettings.h"

namespace wexo::platform::x11 {

namespace {
class Reader {
  public:
    Reader(std::span<const std::uint8_t> data, bool bigEndian) : d_(data), big_(bigEndian) {}
    bool has(std::size_t n) const { return at_ + n <= d_.size(); }
    std::uint32_t u8() { return d_[at_++]; }
    std::uint32_t u16() {
        const std::uint32_t a = d_[at_], b = d_[at_ + 1];
        at_ += 2;
        return big_ ? (a << 8) | b : a | (b << 8);
    }
    std::uint32_t u32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint32_t byte = d_[at_ + i];
            v |= big_ ? byte << (8 * (3 - i)) : byte << (8 * i);
        }
        at_ += 4;
        return v;
    }
    std::string text(std::size_t n) {
        std::string s(d_.begin() + at_, d_.begin() + at_ + n);
        at_ += (n + 3) & ~std::size_t{3};
        return s;
    }
    void skip(std::size_t n) { at_ += n; }

  private:
    std::span<const std::uint8_t> d_;
    bool big_;
    std::size_t at_ = 0;
};

enum Type { kInteger = 0, kString = 1, kColor = 2 };
}  // namespace

XSettings parseXSettings(std::span<const std::uint8_t> data) {
    XSettings settings;
    if (data.size() < 12) return settings;
    Reader r(data, data[0] == 1);
    r.skip(4);
    r.u32();  // serial
    const std::uint32_t count = r.u32();
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!r.has(4)) break;
        const std::uint32_t type = r.u8();
        r.skip(1);
        const std::uint32_t nameLength = r.u16();
        const std::size_t padded = (nameLength + 3u) & ~3u;
        if (!r.has(padded + 4)) break;
        std::string name = r.text(nameLength);
        r.u32();  // last change
        if (type == kInteger) {
            if (!r.has(4)) break;
            settings.integers[name] = static_cast<std::int32_t>(r.u32());
        } else if (type == kString) {
            if (!r.has(4)) break;
            const std::uint32_t length = r.u32();
            if (!r.has((length + 3u) & ~3u)) break;
            r.text(length);
        } else if (type == kColor) {
            if (!r.has(8)) break;
            r.skip(8);
        } else {
            break;
        }
    }
    return settings;
}

XSettings readXSettings(X11Connection& c) {
    Display* d = c.display();
    const ::Window owner = XGetSelectionOwner(d, c.atoms().xsettingsSelection);
    if (owner == None) return {};
    c.trapErrors([&] { XSelectInput(d, owner, PropertyChangeMask); });
    auto bytes = c.bytes(owner, c.atoms().xsettingsSettings);
    if (!bytes) return {};
    return parseXSettings(*bytes);
}

}  // namespace wexo::platform::x11
