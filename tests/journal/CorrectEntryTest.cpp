// Correcting an entry of the last calculation and re-footing it.
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

TEST(CorrectEntryTest, IssueExampleVoidOpenChainAndRefusals) {
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
    journal::correctEntry(model, {2, engine::Decimal(10)});
    EXPECT_EQ(model.tape().text(), "5.00+ >1<\r\n10.00X >2< corrected, was 6.00\r\n2.00+ >3<\r\n");
    EXPECT_EQ(model.readout(), "30.00");
    model.typeKey("1");
    model.typeKey("=");
    EXPECT_NE(model.tape().text().find("\r\n31.00\r\n"), std::string::npos);
}
