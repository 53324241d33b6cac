#include <gtest/gtest.h>

#include <string>

#include "convert/NumberBase.h"

namespace {

using namespace zorv::convert;
using zorv::engine::Decimal;

struct Shown {
    const char* value;
    int bits;
    const char* hex;
    const char* oct;
    const char* bin;
};

class EveryField : public ::testing::TestWithParam<Shown> {};

// The value in each of the four fields, and each field read back (with and
// without the blanks of the binary groups) gives the same word again.
TEST_P(EveryField, ShowsTheWordAndReadsItBack) {
    const Shown& c = GetParam();
    const WordValue w = WordValue::fromDecimal(Decimal::parse(c.value), c.bits);
    EXPECT_EQ(w.text(Radix::Decimal), c.value);
    EXPECT_EQ(w.text(Radix::Hexadecimal), c.hex);
    EXPECT_EQ(w.text(Radix::Octal), c.oct);
    EXPECT_EQ(w.text(Radix::Binary), c.bin);

    std::string ungrouped = c.bin;
    std::erase(ungrouped, ' ');
    for (const auto& [text, radix] : {std::pair<std::string, Radix>{c.hex, Radix::Hexadecimal},
                                      {c.oct, Radix::Octal},
                                      {c.bin, Radix::Binary},
                                      {ungrouped, Radix::Binary},
                                      {c.value, Radix::Decimal}}) {
        SCOPED_TRACE(text);
        const WordValue back = WordValue::parse(text, radix, c.bits);
        EXPECT_EQ(back.text(Radix::Hexadecimal), c.hex);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Words, EveryField,
    ::testing::Values(Shown{"0", 8, "0", "0", "0"},
                      Shown{"5", 8, "5", "5", "101"},
                      Shown{"255", 8, "FF", "377", "1111 1111"},
                      Shown{"-1", 8, "FF", "377", "1111 1111"},
                      Shown{"-128", 8, "80", "200", "1000 0000"},
                      Shown{"127", 8, "7F", "177", "111 1111"},
                      Shown{"18", 16, "12", "22", "1 0010"},
                      Shown{"-2", 16, "FFFE", "177776", "1111 1111 1111 1110"},
                      Shown{"65535", 16, "FFFF", "177777", "1111 1111 1111 1111"},
                      Shown{"-2147483648", 32, "80000000", "20000000000",
                            "1000 0000 0000 0000 0000 0000 0000 0000"},
                      Shown{"-1", 64, "FFFFFFFFFFFFFFFF", "1777777777777777777777",
                            "1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 "
                            "1111 1111"},
                      Shown{"18446744073709551615", 64, "FFFFFFFFFFFFFFFF", "1777777777777777777777",
                            "1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 "
                            "1111 1111"}));

TEST(NumberBase, PatternFieldsReadBackAsASignedWord) {
    EXPECT_EQ(WordValue::parse("FF", Radix::Hexadecimal, 8).text(Radix::Decimal), "-1");
    EXPECT_EQ(WordValue::parse("ff", Radix::Hexadecimal, 16).text(Radix::Decimal), "255");
    EXPECT_EQ(WordValue::parse("0000 0000 1111 1111", Radix::Binary, 8).text(Radix::Decimal), "-1");
    EXPECT_EQ(WordValue::parse("377", Radix::Octal, 8).toDecimal(), Decimal(-1));
    EXPECT_EQ(WordValue::fromDecimal(255, 8).toDecimal(), Decimal(255));
    EXPECT_EQ(WordValue::parse("1,000", Radix::Decimal, 16).text(Radix::Hexadecimal), "3E8");
}

TEST(NumberBase, RefusesWhatDoesNotFitRatherThanTruncating) {
    struct Refused {
        const char* text;
        Radix radix;
        int bits;
        const char* message;
    };
    const Refused cases[] = {
        {"256", Radix::Decimal, 8, "256 does not fit in 8 bits (-128 to 255)."},
        {"-129", Radix::Decimal, 8, "-129 does not fit in 8 bits (-128 to 255)."},
        {"2.5", Radix::Decimal, 16,
         "2.5 has a fraction; only whole numbers can be shown in another base."},
        {"18446744073709551616", Radix::Decimal, 64,
         "18446744073709551616 does not fit in 64 bits (-9223372036854775808 to 18446744073709551615)."},
        {"79228162514264337593543950335", Radix::Decimal, 64,
         "79228162514264337593543950335 does not fit in 64 bits (-9223372036854775808 to "
         "18446744073709551615)."},
        {"1FF", Radix::Hexadecimal, 8, "1FF does not fit in 8 bits."},
        {"1 0000 0000", Radix::Binary, 8, "1 0000 0000 does not fit in 8 bits."},
        {"12G", Radix::Hexadecimal, 32, "\"12G\" is not a hexadecimal number."},
        {"8", Radix::Octal, 32, "\"8\" is not an octal number."},
        {"102", Radix::Binary, 32, "\"102\" is not a binary number."},
        {"-1", Radix::Hexadecimal, 8, "\"-1\" is not a hexadecimal number."},
        {"abc", Radix::Decimal, 8, "\"abc\" is not a decimal number."},
        {"  ", Radix::Binary, 8, "Enter a number."},
        {"1", Radix::Decimal, 12, "The word size must be 8, 16, 32 or 64 bits."},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            WordValue::parse(c.text, c.radix, c.bits);
            ADD_FAILURE() << "accepted";
        } catch (const BaseError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(NumberBase, MessagesUseTheLocaleDecimalSymbol) {
    try {
        WordValue::parse("2,5", Radix::Decimal, 8, zorv::engine::NumberSymbols{",", ".", "$"});
        FAIL();
    } catch (const BaseError& e) {
        EXPECT_STREQ(e.what(), "2,5 has a fraction; only whole numbers can be shown in another base.");
    }
}

TEST(NumberBase, TapeLine) {
    EXPECT_EQ(WordValue::fromDecimal(255, 8).tapeLine(), "Base 255 = FF hex = 377 oct = 1111 1111 bin");
    EXPECT_EQ(WordValue::fromDecimal(-1, 8).tapeLine(), "Base -1 = FF hex = 377 oct = 1111 1111 bin");
}

}  // namespace
