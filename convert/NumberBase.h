#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/Decimal.h"
#include "engine/NumberSymbols.h"

namespace zorv::convert {

enum class Radix { Decimal = 10, Hexadecimal = 16, Octal = 8, Binary = 2 };

// A value the number-base conversion refuses: a fraction, a number outside
// the word, a digit the field's base does not have. The text is meant for
// the user; nothing is ever truncated to make a value fit.
class BaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// 8, 16, 32 and 64 bits.
bool isWordSize(int bits);

// A whole number in a word of 8, 16, 32 or 64 bits, shown in four bases.
//
// A word of n bits holds -2^(n-1) .. 2^n - 1: negatives in two's complement
// and, above the signed maximum, the unsigned values too, which keep their
// own decimal value (255 in 8 bits stays 255 and shows as FF). The
// hexadecimal, octal and binary fields show the bit pattern and are read
// back as a signed word, so typing FF in 8 bits gives -1: the pattern alone
// cannot say which of the two was meant, and a negative is the reason a
// word size is chosen at all.
class WordValue {
public:
    // Throws BaseError for a fraction, a value outside the word, or a word
    // size other than 8, 16, 32, 64.
    static WordValue fromDecimal(const engine::Decimal& value, int bits,
                                 std::string_view decimalSymbol = ".");

    // Reads one of the four fields. The decimal field takes the locale's
    // number text; the others take their digits in either case, with or
    // without blanks between groups. Throws BaseError.
    static WordValue parse(std::string_view text, Radix radix, int bits,
                           const engine::NumberSymbols& symbols = {});

    int bits() const { return bits_; }
    engine::Decimal toDecimal() const;

    // "-1", "FF", "377", "1111 1111": no leading zeros except what two's
    // complement fills in; binary in groups of four from the right.
    std::string text(Radix radix) const;

    // "Base 255 = FF hex = 377 oct = 1111 1111 bin".
    std::string tapeLine() const;

private:
    __extension__ typedef __int128 Wide;
    WordValue(Wide value, int bits) : value_(value), bits_(bits) {}
    static WordValue checked(Wide value, int bits, std::string_view shown);
    unsigned long long pattern() const;

    Wide value_ = 0;
    int bits_ = 8;
};

}  // namespace zorv::convert
