#include "convert/NumberBase.h"

#include <algorithm>
#include <cctype>

namespace zorv::convert {

namespace {

using engine::Decimal;
__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 UWide;

std::string wideText(Wide v) {
    if (v == 0) return "0";
    const bool negative = v < 0;
    UWide u = negative ? UWide(-(v + 1)) + 1 : UWide(v);
    std::string digits;
    while (u != 0) {
        digits += static_cast<char>('0' + static_cast<int>(u % 10));
        u /= 10;
    }
    if (negative) digits += '-';
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::string_view radixName(Radix radix) {
    switch (radix) {
    case Radix::Decimal: return "a decimal";
    case Radix::Hexadecimal: return "a hexadecimal";
    case Radix::Octal: return "an octal";
    case Radix::Binary: return "a binary";
    }
    return {};
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

void requireWordSize(int bits) {
    if (!isWordSize(bits)) throw BaseError("The word size must be 8, 16, 32 or 64 bits.");
}

}  // namespace

bool isWordSize(int bits) { return bits == 8 || bits == 16 || bits == 32 || bits == 64; }

WordValue WordValue::checked(Wide value, int bits, std::string_view shown) {
    const Wide low = -(Wide(1) << (bits - 1));
    const Wide high = (Wide(1) << bits) - 1;
    if (value < low || value > high)
        throw BaseError(std::string(shown) + " does not fit in " + std::to_string(bits) + " bits (" +
                        wideText(low) + " to " + wideText(high) + ").");
    return WordValue(value, bits);
}

WordValue WordValue::fromDecimal(const Decimal& value, int bits, std::string_view decimalSymbol) {
    requireWordSize(bits);
    const Decimal whole = value.round(0);
    if (whole != value)
        throw BaseError(value.toString(decimalSymbol) + " has a fraction; only whole numbers can be shown in another base.");
    UWide magnitude = (UWide(whole.hi32()) << 64) | whole.lo64();
    for (int s = whole.scale(); s > 0; --s) magnitude /= 10;
    // Anything past 2^65 is outside every word; stop before the signed
    // 128-bit value could wrap.
    if (magnitude > (UWide(1) << 65)) magnitude = UWide(1) << 65;
    const Wide signedValue = whole.isNegative() ? -Wide(magnitude) : Wide(magnitude);
    return checked(signedValue, bits, value.toString(decimalSymbol));
}

WordValue WordValue::parse(std::string_view text, Radix radix, int bits,
                           const engine::NumberSymbols& symbols) {
    requireWordSize(bits);
    std::string digits;
    for (char c : text)
        if (c != ' ' && c != '\t') digits += c;
    if (digits.empty()) throw BaseError("Enter a number.");

    if (radix == Radix::Decimal) {
        Decimal d;
        try {
            d = Decimal::parse(text, symbols);
        } catch (const engine::DecimalTypeMismatch&) {
            throw BaseError("\"" + std::string(text) + "\" is not a decimal number.");
        } catch (const engine::DecimalOverflow&) {
            throw BaseError(std::string(text) + " does not fit in " + std::to_string(bits) + " bits.");
        }
        return fromDecimal(d, bits, symbols.decimal);
    }

    const int base = static_cast<int>(radix);
    const UWide limit = UWide(1) << bits;
    UWide pattern = 0;
    for (char c : digits) {
        if (digitValue(c) >= base)
            throw BaseError("\"" + std::string(text) + "\" is not " + std::string(radixName(radix)) +
                            " number.");
        pattern = pattern * base + digitValue(c);
        if (pattern >= limit)
            throw BaseError(std::string(text) + " does not fit in " + std::to_string(bits) + " bits.");
    }
    const Wide value = pattern >> (bits - 1) ? Wide(pattern) - Wide(limit) : Wide(pattern);
    return WordValue(value, bits);
}

unsigned long long WordValue::pattern() const {
    const UWide mask = (UWide(1) << bits_) - 1;
    return static_cast<unsigned long long>(UWide(value_) & mask);
}

Decimal WordValue::toDecimal() const {
    if (value_ < 0) return -Decimal(static_cast<unsigned long long>(-(value_ + 1)) + 1ULL);
    return Decimal(static_cast<unsigned long long>(value_));
}

std::string WordValue::text(Radix radix) const {
    if (radix == Radix::Decimal) return wideText(value_);
    const int base = static_cast<int>(radix);
    unsigned long long p = pattern();
    std::string out;
    int count = 0;
    do {
        if (radix == Radix::Binary && count > 0 && count % 4 == 0) out += ' ';
        out += "0123456789ABCDEF"[p % base];
        p /= base;
        ++count;
    } while (p != 0);
    std::reverse(out.begin(), out.end());
    return out;
}

std::string WordValue::tapeLine() const {
    return "Base " + text(Radix::Decimal) + " = " + text(Radix::Hexadecimal) + " hex = " +
           text(Radix::Octal) + " oct = " + text(Radix::Binary) + " bin";
}

}  // namespace zorv::convert
