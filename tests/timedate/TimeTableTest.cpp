// Time arithmetic and billing checked against time-cases.csv, whose expected
// values were computed with Python's fractions and datetime (see
// data/README.md), through the same runner the window and batch mode use.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "timedate/Billing.h"
#include "timedate/Duration.h"
#include "timedate/TimeDateRunner.h"

using namespace zorv::timedate;

namespace {

std::vector<std::vector<std::string>> readCases() {
    std::ifstream in(std::string(TIMEDATE_TEST_DATA) + "/time-cases.csv");
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, ',')) cells.push_back(cell);
        if (cells.size() == 3) cells.emplace_back();
        rows.push_back(cells);
    }
    return rows;
}

}  // namespace

TEST(TimeTable, EveryCaseMatchesPython) {
    const auto rows = readCases();
    ASSERT_GE(rows.size(), 40u);
    int checked = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(r[0] + " " + r[1] + " " + r[2]);
        TimeDateSettings s;
        TimeDateOutcome out;
        if (r[0] == "hours") {
            out = runTimeDateOperation(s, "hours", {r[1]});
            ASSERT_TRUE(out.ok) << out.message;
            EXPECT_EQ(out.readout->toString("."), r[3]);
            // And back: the decimal hours give the same h:mm:ss.
            EXPECT_EQ(Duration::parse(r[3]), Duration::parse(r[1]));
        } else if (r[0] == "hms") {
            out = runTimeDateOperation(s, "hms", {r[1]});
            ASSERT_TRUE(out.ok) << out.message;
            EXPECT_EQ(out.resultText, r[3]);
        } else if (r[0] == "clockdiff") {
            out = runTimeDateOperation(s, "clockdiff", {r[1], r[2]});
            ASSERT_TRUE(out.ok) << out.message;
            EXPECT_EQ(Duration::parse(out.resultText), Duration::parse(r[3]));
        } else if (r[0] == "bill") {
            s.rate = parseRate(r[2], {});
            out = runTimeDateOperation(s, "bill", {r[1]});
            ASSERT_TRUE(out.ok) << out.message;
            EXPECT_EQ(out.resultText, r[3]);
        } else {
            ADD_FAILURE() << "unknown kind";
            continue;
        }
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(rows.size()));
}
