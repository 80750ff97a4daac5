#include "platform/ObjcFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>

namespace wexo {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// printf through a conversion spelled from the placeholder's own flags,
// width and precision.
template <class T>
std::string printfOne(const std::string& conversion, T value) {
    char small[128];
    int n = std::snprintf(small, sizeof small, conversion.c_str(), value);
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < sizeof small) return std::string(small, n);
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), conversion.c_str(), value);
    big.resize(static_cast<std::size_t>(n));
    return big;
}

// A real as NSNumber describes it: the fewest digits that read back as the
// same double, in %g's layout (plain up to 16 integer digits and down to
// 1e-05, exponent form beyond).
std::string shortestReal(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buf[64];
    auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    std::string scientific(buf, result.ptr);  // e.g. "-2.5e+00"
    std::string sign;
    if (scientific[0] == '-') {
        sign = "-";
        scientific.erase(0, 1);
    }
    const auto e = scientific.find('e');
    std::string digits = scientific.substr(0, e);
    if (digits.size() > 1) digits.erase(1, 1);  // drop the point
    const int exponent = std::atoi(scientific.c_str() + e + 1);

    if (exponent < -4 || exponent >= 17) {
        std::string mantissa = digits.substr(0, 1);
        if (digits.size() > 1) {
            mantissa += '.';
            mantissa.append(digits, 1, std::string::npos);
        }
        char exp[16];
        std::snprintf(exp, sizeof exp, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return sign + mantissa + exp;
    }
    if (exponent < 0) return sign + "0." + std::string(-exponent - 1, '0') + digits;
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits)
        return sign + digits + std::string(integerDigits - digits.size(), '0');
    return sign + digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

// What %@ prints for an argument.
std::string describe(const FormatArg& arg) {
    if (auto* s = std::get_if<std::string>(&arg)) return *s;
    if (auto* i = std::get_if<std::int64_t>(&arg)) return std::to_string(*i);
    if (auto* u = std::get_if<std::uint64_t>(&arg)) return std::to_string(*u);
    return shortestReal(std::get<double>(arg));
}

// An integer conversion (d i u o x X). `unsignedConversion` is everything but
// d and i; `wide` is an l, ll, q, j, z or t length.
std::string formatInteger(const FormatArg& arg, const std::string& flagsWidthPrecision,
                          char conversion, bool wide) {
    const bool unsignedConversion = conversion != 'd' && conversion != 'i';
    std::int64_t i = 0;
    std::uint64_t u = 0;
    bool isUnsigned = false;
    if (auto* s = std::get_if<std::int64_t>(&arg)) {
        i = *s;
    } else if (auto* v = std::get_if<std::uint64_t>(&arg)) {
        u = *v;
        isUnsigned = true;
    } else if (auto* d = std::get_if<double>(&arg)) {
        // A real given to an integer placeholder prints its integer part.
        if (!std::isfinite(*d) || *d >= 9.2233720368547758e18 || *d < -9.2233720368547758e18)
            return shortestReal(*d);
        i = static_cast<std::int64_t>(*d);
    } else {
        return std::get<std::string>(arg);
    }
    if (unsignedConversion && !isUnsigned) {
        // A negative number given to an unsigned placeholder prints as C
        // prints it: the bit pattern of an int (or, with a length, a long).
        u = wide ? static_cast<std::uint64_t>(i)
                 : static_cast<std::uint64_t>(static_cast<std::uint32_t>(i));
        if (i >= 0) u = static_cast<std::uint64_t>(i);
        isUnsigned = true;
    }
    if (isUnsigned) {
        const char c = unsignedConversion ? conversion : 'u';
        return printfOne("%" + flagsWidthPrecision + "ll" + c, static_cast<unsigned long long>(u));
    }
    return printfOne("%" + flagsWidthPrecision + "ll" + conversion, static_cast<long long>(i));
}

std::string formatReal(const FormatArg& arg, const std::string& flagsWidthPrecision,
                       char conversion) {
    double d = 0;
    if (auto* s = std::get_if<std::int64_t>(&arg)) {
        d = static_cast<double>(*s);
    } else if (auto* u = std::get_if<std::uint64_t>(&arg)) {
        d = static_cast<double>(*u);
    } else if (auto* r = std::get_if<double>(&arg)) {
        d = *r;
    } else {
        return std::get<std::string>(arg);
    }
    return printfOne("%" + flagsWidthPrecision + conversion, d);
}

}  // namespace

std::string objcFormatArgs(std::string_view format, const std::vector<FormatArg>& args) {
    std::string out;
    out.reserve(format.size() + 16);
    std::size_t nextArg = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        const std::size_t percent = format.find('%', i);
        if (percent == std::string_view::npos) {
            out.append(format.substr(i));
            break;
        }
        out.append(format.substr(i, percent - i));
        std::size_t j = percent + 1;
        if (j < format.size() && format[j] == '%') {
            out += '%';
            i = j + 1;
            continue;
        }

        // Optional argument position: "%2$@".
        std::optional<std::size_t> position;
        std::size_t k = j;
        while (k < format.size() && isDigit(format[k])) ++k;
        if (k > j && k < format.size() && format[k] == '$') {
            position = std::strtoul(std::string(format.substr(j, k - j)).c_str(), nullptr, 10);
            j = k + 1;
        }
        const std::size_t specStart = j;
        while (j < format.size() &&
               std::string_view("-+ #0'").find(format[j]) != std::string_view::npos)
            ++j;
        while (j < format.size() && isDigit(format[j])) ++j;
        if (j < format.size() && format[j] == '.') {
            ++j;
            while (j < format.size() && isDigit(format[j])) ++j;
        }
        const std::string flagsWidthPrecision(format.substr(specStart, j - specStart));
        bool wide = false;
        while (j < format.size() &&
               std::string_view("hlqLjzt").find(format[j]) != std::string_view::npos) {
            if (format[j] != 'h' && format[j] != 'L') wide = true;
            ++j;
        }
        if (j >= format.size()) {
            out.append(format.substr(percent));  // a placeholder cut off at the end
            break;
        }
        const char conversion = format[j];
        i = j + 1;
        if (std::string_view("@sdiuoxXfFeEgGaA").find(conversion) == std::string_view::npos) {
            out.append(format.substr(percent, i - percent));  // not ours to interpret
            continue;
        }

        std::size_t index;
        if (position) {
            if (*position == 0) continue;
            index = *position - 1;
        } else {
            index = nextArg++;
        }
        if (index >= args.size()) continue;  // a missing argument renders empty
        const FormatArg& arg = args[index];

        switch (conversion) {
            case '@':
            case 's':
                out += describe(arg);
                break;
            case 'd':
            case 'i':
            case 'u':
            case 'o':
            case 'x':
            case 'X':
                out += formatInteger(arg, flagsWidthPrecision, conversion, wide);
                break;
            default:
                out += formatReal(arg, flagsWidthPrecision, conversion);
                break;
        }
    }
    return out;
}

}  // namespace wexo
