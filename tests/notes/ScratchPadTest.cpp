// Scratch pad logic: appending the tape, the "Last File" setting, and the
// number picked out of the text for the readout.
#include <gtest/gtest.h>

#include "notes/ScratchPad.h"

using namespace zorv::notes;
using zorv::engine::Decimal;
using zorv::engine::NumberSymbols;

TEST(ScratchPad, AppendKeepsLinesApart) {
    struct Case {
        std::string pad, addition, expected;
    };
    const std::vector<Case> cases = {
        {"", "12.00 +\n", "12.00 +\n"},
        {"", "12.00 +", "12.00 +\n"},
        {"notes", "12.00 +\n", "notes\n12.00 +\n"},
        {"notes\n", "1\n2", "notes\n1\n2\n"},
        {"notes\n", "", "notes\n"},
        {"no break", "", "no break"},
    };
    for (const Case& c : cases) EXPECT_EQ(appendToPad(c.pad, c.addition), c.expected) << c.pad << "+" << c.addition;
}

TEST(ScratchPad, LastFileSetting) {
    EXPECT_EQ(lastFileFromSetting("*.txt"), std::nullopt);
    EXPECT_EQ(lastFileFromSetting(""), std::nullopt);
    EXPECT_EQ(lastFileFromSetting("  "), std::nullopt);
    EXPECT_EQ(lastFileFromSetting("/home/a/*.txt"), std::nullopt);
    EXPECT_EQ(lastFileFromSetting("/home/a/pad.txt"), std::filesystem::path("/home/a/pad.txt"));
    EXPECT_EQ(lastFileSetting(std::nullopt), "*.txt");
    EXPECT_EQ(lastFileSetting(std::filesystem::path("/home/a/pad.txt")), "/home/a/pad.txt");
}

TEST(ScratchPad, NumberNearTheCursor) {
    const NumberSymbols us{".", ",", "$"};
    const NumberSymbols de{",", ".", "€"};
    const NumberSymbols nbsp{",", "\xC2\xA0", "€"};
    struct Case {
        const char* text;
        std::size_t from, to;  // selection; equal for a cursor
        NumberSymbols symbols;
        const char* expected;  // value, or "" for none
    };
    const std::vector<Case> cases = {
        {"Total 1,234.50 paid", 8, 8, us, "1234.5"},          // cursor inside
        {"Total 1,234.50 paid", 0, 0, us, "1234.5"},          // nearest on the line
        {"Total 1,234.50 paid", 19, 19, us, "1234.5"},        // after it
        {"Summe 1.234,50 EUR", 7, 7, de, "1234.5"},
        {"Summe 1\xC2\xA0" "234,50", 6, 6, nbsp, "1234.5"},
        {"a -12 b", 3, 3, us, "-12"},
        {"A-4 paper", 2, 2, us, "4"},                         // a hyphen in a word is no sign
        {"12 - 3", 5, 5, us, "3"},                            // the operator is no sign
        {"x .5 y", 2, 2, us, "0.5"},
        {"1,2", 0, 0, us, "1"},                               // not a thousands group
        {"1,2", 3, 3, us, "2"},
        {"12345,678", 0, 0, us, "12345"},
        {"10 and 20", 6, 9, us, "20"},                        // the selection decides
        {"10 and 20", 0, 9, us, "10"},                        // both selected: the first
        {"first 7\nsecond line", 10, 10, us, ""},             // only the cursor's line
        {"first 7\nsecond 8", 8, 8, us, "8"},
        {"no numbers here", 3, 3, us, ""},
        {"", 0, 0, us, ""},
        {"99999999999999999999999999999999 big", 0, 0, us, ""},  // does not fit
        {"out of range cursor 5", 500, 900, us, "5"},
    };
    for (const Case& c : cases) {
        const auto picked = numberNear(c.text, c.from, c.to, c.symbols);
        if (std::string(c.expected).empty()) {
            EXPECT_FALSE(picked) << c.text;
        } else {
            ASSERT_TRUE(picked) << c.text;
            EXPECT_EQ(picked->value, Decimal::parse(c.expected)) << c.text;
        }
    }
    const auto span = numberNear("Total -1,234.50 paid", 9, 9, us);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->start, 6u);
    EXPECT_EQ(span->end, 15u);
}
