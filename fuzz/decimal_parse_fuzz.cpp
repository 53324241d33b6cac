// Feeds arbitrary text to Decimal::parse with locale symbols chosen by the
// first bytes. Parsing must either succeed or throw a DecimalError; a parsed
// value must survive toString/parse unchanged, and arithmetic with a few
// constants must either succeed or throw a DecimalError.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/Currency.h"
#include "engine/Decimal.h"
#include "engine/DoubleText.h"

using zorv::engine::Currency;
using zorv::engine::Decimal;
using zorv::engine::DecimalError;
using zorv::engine::NumberSymbols;

namespace {

const char* const kDecimalSymbols[] = {".", ",", "<>", "\xC2\xB7", "d"};
const char* const kThousandSymbols[] = {",", ".", " ", "\xC2\xA0", "''", "", "e"};
const char* const kCurrencySymbols[] = {"$", "\xE2\x82\xAC", "kr", "EUR", "", "-", "E"};

template <size_t N>
const char* pick(const char* const (&table)[N], std::uint8_t byte) {
    return table[byte % N];
}

[[noreturn]] void fail() { std::abort(); }

void exercise(const Decimal& x) {
    static const Decimal constants[] = {
        Decimal(0), Decimal(1), Decimal(-3), Decimal::parse("0.1"), Decimal::maxValue(),
        Decimal::fromParts(1, 0, 28, false), Decimal(1) / Decimal(3),
    };
    for (const Decimal& c : constants) {
        try { (void)(x + c); } catch (const DecimalError&) {}
        try { (void)(x - c); } catch (const DecimalError&) {}
        try { (void)(x * c); } catch (const DecimalError&) {}
        try { (void)(x / c); } catch (const DecimalError&) {}
        try { (void)(c / x); } catch (const DecimalError&) {}
        (void)(x <=> c);
    }
    for (int places = 0; places <= 28; places += 7) (void)x.round(places);
    (void)x.toDouble();
    try { (void)Currency::fromDecimal(x); } catch (const DecimalError&) {}
    try {
        Decimal back = Decimal::fromDouble(x.toDouble());
        (void)back;
    } catch (const DecimalError&) {}
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 3) return 0;
    NumberSymbols symbols;
    symbols.decimal = pick(kDecimalSymbols, data[0]);
    symbols.thousand = pick(kThousandSymbols, data[1]);
    symbols.currency = pick(kCurrencySymbols, data[2]);
    std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);

    Decimal x;
    try {
        x = Decimal::parse(text, symbols);
    } catch (const DecimalError&) {
        // The double reading of the same grammar may fail too, but only with
        // a DecimalError.
        try { (void)Decimal::parseDouble(text, symbols); } catch (const DecimalError&) {}
        return 0;
    }

    // Round trip with the default symbols and with the locale's decimal symbol.
    const std::string plain = x.toString();
    if (!(Decimal::parse(plain) == x)) fail();
    NumberSymbols localeOnly{symbols.decimal, "", ""};
    if (!(Decimal::parse(x.toString(symbols.decimal), localeOnly) == x)) fail();
    // Parse normalises: no trailing zeros, zero is positive with scale 0.
    if (x.isZero() && (x.signBit() || x.scale() != 0)) fail();
    if (!x.isZero() && x.scale() > 0 && x.toString().back() == '0') fail();

    try {
        double d = Decimal::parseDouble(text, symbols);
        (void)zorv::engine::plainText(d, symbols.decimal);
        (void)zorv::engine::roundDouble(d, data[0] % 30);
        try { (void)Currency::fromDouble(d); } catch (const DecimalError&) {}
    } catch (const DecimalError&) {
        // Only a too-large value fails here, and only with a DecimalError.
    }

    exercise(x);
    return 0;
}
