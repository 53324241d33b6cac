// Correcting an entry of the last calculation and re-footing it: through
// the tape's record of entries and, for tapes without one, its text; the
// answers batch mode and the question take; operator changes.
#include <gtest/gtest.h>

#include <sstream>

#include "app/BatchSession.h"
#include "engine/CalculatorModel.h"
#include "engine/Decimal.h"
#include "engine/ScriptedFeedback.h"
#include "journal/CorrectEntry.h"
#include "journal/TapeExport.h"

using namespace zorv;

namespace {

struct Batch {
    std::string out, err;
};

Batch batch(const std::string& keys) {
    app::BatchOptions options;
    std::istringstream in(keys);
    std::ostringstream out, err;
    app::runBatch(in, out, err, options);
    return {out.str(), err.str()};
}

std::string resultOf(const std::string& tape) {
    const auto end = tape.rfind("\r\n******************");
    const auto start = tape.rfind("------------------\r\n", end) + 20;
    return tape.substr(start, end - start);
}

}  // namespace

TEST(CorrectEntryTest, TwentyEntriesWithTheThirdCorrectedFootLikeTheRightKeys) {
    std::string wrong, right;
    for (int i = 1; i <= 20; ++i) {
        const std::string amount = std::to_string(i * 7) + ".35";
        wrong += (i == 3 ? std::string("1000") : amount) + (i == 20 ? "=" : "+");
        right += amount + (i == 20 ? "=" : "+");
    }
    const Batch corrected = batch(wrong + "{Correct Entry 3}[21.35]");
    const Batch typed = batch(right);
    EXPECT_EQ(resultOf(corrected.out), resultOf(typed.out) + " corrected");
    EXPECT_NE(corrected.out.find("21.35+ corrected, was 1,000.00\r\n"), std::string::npos);
    // Everything but the marked lines is as typed.
    std::string unmarked = corrected.out;
    unmarked.replace(unmarked.find(" corrected, was 1,000.00"), 24, "");
    unmarked.replace(unmarked.find(" corrected"), 10, "");
    EXPECT_EQ(unmarked, typed.out);
    // The export reads the corrected tape with the new amounts.
    const auto rows = journal::tapeRows(corrected.out, {});
    EXPECT_EQ(rows[2].amount, "21.35");
    EXPECT_EQ(rows[2].note, "corrected, was 1,000.00");
    EXPECT_EQ(engine::Decimal::parse(rows.back().total), engine::Decimal::parse(resultOf(typed.out)));
}

TEST(CorrectEntryTest, WorkedExampleVoidOpenChainAndRefusals) {
    const Batch b = batch("1+2+3={Correct Entry 2}[5]");
    EXPECT_NE(b.out.find("9.00 corrected\r\n"), std::string::npos);
    // An open chain: the readout follows and the next key goes on from it.
    const Batch open = batch("10+20+30+{Correct Entry 1}[void]=");
    EXPECT_NE(open.out.find("10.00+ void\r\n"), std::string::npos);
    EXPECT_NE(open.out.find("\r\n100.00\r\n"), std::string::npos);  // 20+30 then "=" adds the readout 50
    EXPECT_EQ(batch("1+2={Correct Entry 3}[4]").err.find("entries 1 to 2") != std::string::npos, true);
    EXPECT_NE(batch("8/2={Correct Entry 2}[0]").err.find("divides by zero"), std::string::npos);
    EXPECT_NE(batch("{Correct Entry 1}[4]").err.find("no calculation"), std::string::npos);
    // Only the last calculation: the one before stays as it was.
    const Batch two = batch("1+1=2X3={Correct Entry 1}[4]");
    EXPECT_TRUE(two.out.starts_with("1.00+\r\n1.00=\r\n------------------\r\n2.00\r\n******"));
    EXPECT_NE(two.out.find("\r\n12.00 corrected\r\n"), std::string::npos);
}

TEST(CorrectEntryTest, ItemNumbersAndReadoutOfAnOpenChain) {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    model.modes().numberTapeItems = true;
    for (char c : std::string("5+6X2+")) model.typeKey(std::string(1, c));
    EXPECT_EQ(model.readout(), "22.00");
    journal::correctEntry(model, {2, engine::Decimal(10), std::nullopt});
    EXPECT_EQ(model.tape().text(), "5.00+ >1<\r\n10.00X >2< corrected, was 6.00\r\n2.00+ >3<\r\n");
    EXPECT_EQ(model.readout(), "30.00");
    model.typeKey("1");
    model.typeKey("=");
    EXPECT_NE(model.tape().text().find("\r\n31.00\r\n"), std::string::npos);
}

namespace {

// The tape without the correction marks: what the right keys print.
std::string unmarked(std::string tape) {
    for (const char* mark : {" corrected, was ", " corrected"}) {
        std::size_t at;
        while ((at = tape.find(mark)) != std::string::npos) tape.erase(at, tape.find("\r\n", at) - at);
    }
    return tape;
}

}  // namespace

// Each correction gives the tape the right keys print, but for the marks;
// the totals were worked out with Python's decimal module.
TEST(CorrectEntryTest, CorrectionsFootLikeTheRightKeysTypedAgain) {
    struct Case {
        const char* wrong;
        const char* answer;  // to {Correct Entry N}
        int entry;
        const char* right;
        const char* total;
    };
    const Case cases[] = {
        {"1+2+3=", "5", 2, "1+5+3=", "9.00"},
        {"1+2+3=", "5 -", 2, "1+5-3=", "3.00"},
        {"1+2+3=", "5-", 2, "1+5-3=", "3.00"},
        {"10+20+30+5=", "X", 3, "10+20+30X5=", "300.00"},
        {"10+20+30+5=", "\xc3\x97", 3, "10+20+30X5=", "300.00"},
        {"100/8X3=", "4", 2, "100/4X3=", "75.00"},
        {"7.5X1.5-2.25=", "/", 1, "7.5/1.5-2.25=", "2.75"},
        {"2+3X4-1000.25=", "x", 1, "2X3X4-1000.25=", "-976.25"},
        {"{Number Tape Items}2+3X4-1000.25=", "*", 1, "{Number Tape Items}2X3X4-1000.25=", "-976.25"},
    };
    for (const Case& c : cases) {
        const Batch corrected =
            batch(std::string(c.wrong) + "{Correct Entry " + std::to_string(c.entry) + "}[" + c.answer + "]");
        const Batch typed = batch(c.right);
        EXPECT_EQ(corrected.err.find("Zorv"), std::string::npos) << c.wrong << " " << corrected.err;
        EXPECT_EQ(resultOf(typed.out), c.total) << c.right;
        EXPECT_EQ(resultOf(corrected.out), std::string(c.total) + " corrected") << c.wrong << " [" << c.answer << "]";
        EXPECT_EQ(unmarked(corrected.out), typed.out) << c.wrong << " [" << c.answer << "]";
    }
    // The mark keeps the first amount and operator through later corrections.
    const Batch twice = batch("1+2+3={Correct Entry 2}[-]{Correct Entry 2}[7]");
    EXPECT_NE(twice.out.find("\r\n7.00- corrected, was 2.00+\r\n"), std::string::npos) << twice.out;
    EXPECT_EQ(resultOf(twice.out), "5.00 corrected");  // 1 + 7 - 3
    // A voided entry given an amount again is marked with its first amount.
    const Batch back = batch("1+2+3={Correct Entry 2}[void]{Correct Entry 2}[4]");
    EXPECT_NE(back.out.find("\r\n4.00+ corrected, was 2.00\r\n"), std::string::npos) << back.out;
    EXPECT_EQ(resultOf(back.out), "8.00 corrected");
}

TEST(CorrectEntryTest, OperatorChangesOfAnOpenChainCarryIntoTheNextKey) {
    // The last entry's operator is the one the next key applies.
    const Batch b = batch("10+20+{Correct Entry 2}[X]3=");
    EXPECT_EQ(resultOf(b.out), "90.00");
    EXPECT_EQ(unmarked(b.out), batch("10+20X3=").out);
    // Voiding the last entry leaves the one before it pending.
    const Batch v = batch("10-20X{Correct Entry 2}[void]5=");
    EXPECT_EQ(resultOf(v.out), "5.00");  // 10 - 5
    // A closed calculation's corrected total goes on in the readout.
    const Batch carried = batch("1+2+3={Correct Entry 2}[5]+1=");
    EXPECT_EQ(resultOf(carried.out), "10.00");
}

TEST(CorrectEntryTest, RefusalsLeaveTheTapeAlone) {
    struct Case {
        const char* keys;
        const char* says;
    };
    const Case cases[] = {
        {"1+2={Correct Entry 2}[+]", "keeps its ="},
        {"1+2+3={Correct Entry 9}[1]", "entries 1 to 3"},
        {"8/2+1={Correct Entry 2}[0]", "divides by zero"},
        {"{Adding Machine Mode}2+3-4={Correct Entry 1}[5]", "Adding Machine"},
        {"{Magic Number}2+3+4={Correct Entry 1}[5]", "Adding Machine"},
    };
    for (const Case& c : cases) {
        const std::string keys = c.keys;
        const Batch b = batch(keys);
        EXPECT_NE(b.err.find(c.says), std::string::npos) << keys << "\n" << b.err;
        EXPECT_EQ(b.out.find("corrected"), std::string::npos) << keys;
        EXPECT_EQ(b.out, batch(keys.substr(0, keys.find("{Correct"))).out) << keys;
    }
}

TEST(CorrectEntryTest, AnswersTakeAmountOperatorOrVoid) {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    struct Case {
        const char* text;
        std::optional<const char*> amount;
        std::optional<char> op;
        bool ok = true;
    };
    const Case cases[] = {
        {"5", "5", std::nullopt},        {" 5.25 ", "5.25", std::nullopt}, {"-5", "-5", std::nullopt},
        {"5-", "5", '-'},                {"-5 -", "-5", '-'},              {"1,234.5 X", "1234.5", 'X'},
        {"-", std::nullopt, '-'},        {"x", std::nullopt, 'X'},         {"\xc3\xb7", std::nullopt, '/'},
        {"\xe2\x88\x92", std::nullopt, '-'}, {"void", std::nullopt, std::nullopt}, {"VOID", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt, false}, {"abc", std::nullopt, std::nullopt, false},
        {"5 =", std::nullopt, std::nullopt, false},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto r = journal::parseCorrectionAnswer(model, c.text, 3, &error);
        ASSERT_EQ(r.has_value(), c.ok) << c.text;
        if (!r) {
            EXPECT_FALSE(error.empty()) << c.text;
            continue;
        }
        EXPECT_EQ(r->entry, 3);
        EXPECT_EQ(r->op, c.op) << c.text;
        ASSERT_EQ(r->amount.has_value(), c.amount.has_value()) << c.text;
        if (c.amount) {
            EXPECT_EQ(*r->amount, engine::Decimal::parse(*c.amount)) << c.text;
        }
    }
}

// The record beside the text and the text itself find the same calculation
// and give the same corrected tape; the record keeps working where the text
// cannot be read back.
TEST(CorrectEntryTest, RecordAndTextAgreeAndTheRecordFollowsCorrections) {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    model.modes().numberTapeItems = true;
    for (char c : std::string("1+2+5=3+4X")) model.typeKey(std::string(1, c));
    const auto fromRecord = journal::lastCalculation(model, model.tape());
    const auto fromText = journal::lastCalculationInText(model, model.tape().text());
    EXPECT_TRUE(fromRecord.fromRecord);
    ASSERT_EQ(fromRecord.entries.size(), 2u);
    ASSERT_EQ(fromText.entries.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(fromRecord.entries[i].line, fromText.entries[i].line);
        EXPECT_EQ(fromRecord.entries[i].op, fromText.entries[i].op);
        EXPECT_EQ(fromRecord.entries[i].itemText, fromText.entries[i].itemText);
    }
    EXPECT_EQ(fromRecord.entryAtLine(7), 2);  // "4.00X >2<" after the first total block
    EXPECT_EQ(fromRecord.entryAtLine(6), 1);
    EXPECT_EQ(fromRecord.entryAtLine(0), 0);  // an earlier calculation
    EXPECT_EQ(fromRecord.entryAtLine(5), 0);  // its closing rule
    const journal::Correction c{1, engine::Decimal(6), '-'};
    const auto a = journal::correctLastCalculation(model, model.tape(), c);
    const auto b = journal::correctLastCalculation(model, model.tape().text(), c);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.total, b.total);
    ASSERT_TRUE(journal::correctEntry(model, c));
    EXPECT_EQ(model.tape().entries().size(), 5u);
    EXPECT_EQ(model.tape().entries()[3].amount, engine::Decimal(6));
    EXPECT_EQ(model.tape().entries()[3].op, '-');
    EXPECT_EQ(model.tape().entries()[4].total, engine::Decimal(2));
    model.typeKey("2");
    model.typeKey("=");
    EXPECT_EQ(resultOf(model.tape().text()), "4.00");  // (6 - 4) X 2
    // Editing the tape by hand drops the record; the text is read then.
    model.tape().setText(model.tape().text());
    EXPECT_TRUE(model.tape().entries().empty());
    EXPECT_FALSE(journal::lastCalculation(model, model.tape()).fromRecord);
}

TEST(CorrectEntryTest, RecordReadsWhatTheTextCannot) {
    // Comma decimals with point groups: the record holds the operands.
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb, engine::NumberSymbols{",", ".", "EUR"});
    for (const char* k : {"1", "2", "3", "4", ",", "5", "+", "1", "0", "0", "0", "+"}) model.typeKey(k);
    ASSERT_NE(model.tape().text().find("1.234,50+"), std::string::npos) << model.tape().text();
    ASSERT_TRUE(journal::correctEntry(model, {2, engine::Decimal::parse("0.5"), std::nullopt}));
    EXPECT_EQ(model.runningTotal(), engine::Decimal::parse("1235"));
    // A note between entries is no matter; C ends the calculation, and
    // what the text then shows at its end has nothing to correct.
    model.postToTape("a note: 1.00+");
    for (const char* k : {"5", "+"}) model.typeKey(k);
    EXPECT_TRUE(journal::lastCalculation(model, model.tape()).fromRecord);
    ASSERT_TRUE(journal::correctEntry(model, {3, engine::Decimal(6), std::nullopt}));
    EXPECT_EQ(model.runningTotal(), engine::Decimal::parse("1241"));
    model.clearAll();
    const auto afterClear = journal::lastCalculation(model, model.tape());
    EXPECT_FALSE(afterClear.fromRecord);
    EXPECT_FALSE(afterClear.error.empty());
}

TEST(CorrectEntryTest, TwentyEntriesWithTheThirdCorrectedByRecordAndByText) {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel wrong(fb), right(fb);
    std::string wrongKeys, rightKeys;
    for (int i = 1; i <= 20; ++i) {
        const std::string amount = std::to_string(i * 13) + "." + std::to_string(10 + i);
        const char op = i == 20 ? '=' : (i % 4 == 0 ? '-' : '+');
        wrongKeys += (i == 3 ? std::string("999") : amount) + (i == 3 ? 'X' : op);
        rightKeys += amount + op;
    }
    for (char c : wrongKeys) wrong.typeKey(std::string(1, c));
    for (char c : rightKeys) right.typeKey(std::string(1, c));
    const std::string asTyped = wrong.tape().text();
    const journal::Correction c{3, engine::Decimal::parse("39.13"), '+'};
    const auto byText = journal::correctLastCalculation(wrong, asTyped, c);
    ASSERT_TRUE(journal::correctEntry(wrong, c));
    EXPECT_EQ(wrong.tape().text(), byText.text);
    EXPECT_EQ(unmarked(wrong.tape().text()), right.tape().text());
    EXPECT_NE(wrong.tape().text().find("39.13+ corrected, was 999.00X\r\n"), std::string::npos);
    EXPECT_EQ(wrong.readout(), right.readout());
}
