// The amortization table of the principal-payment calculator, row by row:
// every row adds up on the tape, the principal part grows smoothly to the
// last month, and the cells agree with an independent walk of the loan
// (data/amortization-rows.csv, made by data/amortization_reference.py).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "FinanceTestSupport.h"
#include "engine/Decimal.h"

namespace zorv::finance::test {
namespace {

using engine::Decimal;

struct Row {
    long month = 0;
    std::string payment, principal, interest;
};

// The rows of the table the calculator appended to the tape.
std::vector<Row> tableRows(const std::string& tape) {
    std::vector<Row> rows;
    const std::string header = "         Month       Payment     Principal      Interest\r\n";
    auto at = tape.find(header);
    if (at == std::string::npos) return rows;
    std::istringstream in(tape.substr(at + header.size()));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream fields(line);
        Row r;
        if (!(fields >> r.month >> r.payment >> r.principal >> r.interest)) break;
        rows.push_back(r);
    }
    return rows;
}

std::vector<Row> runTable(const std::string& loan, const std::string& fv, const std::string& apr, long n,
                          int timing) {
    Calculator calc;
    calc.run("Annuity Principle Payment",
             {loan, fv, "0", apr, std::to_string(n), timing == 0 ? "yes" : "no", "yes"});
    return tableRows(calc.tape());
}

TEST(AmortizationTable, EveryRowAddsUpForTermsUpToTheLongestOffered) {
    struct Case {
        const char* loan;
        const char* fv;
        const char* apr;
        long n;
        int timing;
    };
    const Case cases[] = {
        {"200000", "0", "6.5", 10000, 0},    {"200000", "0", "6.5", 100000, 0},
        {"200000", "0", "6.5", 20000, 1},    {"8000", "500", "12", 100000, 1},
        {"250000", "1000", "100", 30000, 0}, {"100", "0", "1.5", 5000, 0},
        {"10000", "0", "7.25", 1, 0},        {"10000", "0", "7.25", 2, 1},
    };
    for (const Case& c : cases) {
        const std::string label = std::string(c.loan) + "/" + c.fv + " at " + c.apr + "% x " +
                                  std::to_string(c.n) + (c.timing ? " in advance" : "");
        const std::vector<Row> rows = runTable(c.loan, c.fv, c.apr, c.n, c.timing);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.n)) << label;
        Decimal previous;
        Decimal paid;
        long bad = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Row& r = rows[i];
            const Decimal payment = Decimal::parse(r.payment), principal = Decimal::parse(r.principal),
                          interest = Decimal::parse(r.interest);
            // Interest is never negative while the loan is owed; with a
            // future value to build, the balance turns in the lender's
            // debt at the end and the interest turns with it.
            const bool adds = r.month == static_cast<long>(i + 1) && principal + interest == payment &&
                              !principal.isNegative() && (!interest.isNegative() || std::string(c.fv) != "0");
            // With a positive rate the principal part never shrinks (the
            // first month in advance is all principal).
            const bool grows = (c.timing == 1 && i < 2) || !(principal < previous);
            if (!adds || !grows) {
                if (++bad <= 3)
                    ADD_FAILURE() << label << ": month " << r.month << " " << r.payment << " " << r.principal
                                  << " " << r.interest;
            }
            previous = principal;
            paid += principal;
        }
        EXPECT_EQ(bad, 0) << label;
        // The principal parts pay off the loan and build the future value
        // (in advance, the future value a month before it is due), each
        // cell off by at most half a cent.
        const double r = std::stod(c.apr) / 1200;
        const double owed = std::stod(c.loan) + std::stod(c.fv) / (c.timing ? 1 + r : 1.0);
        EXPECT_NEAR(paid.toDouble(), owed, 0.005 * static_cast<double>(c.n) + 1e-9) << label;
    }
}

TEST(AmortizationTable, CellsAgreeWithAnIndependentWalkOfTheLoan) {
    std::ifstream in(std::string(FINANCE_TEST_DATA) + "/amortization-rows.csv");
    ASSERT_TRUE(in) << "amortization-rows.csv";
    std::string line;
    std::getline(in, line);  // header
    std::map<std::string, std::vector<Row>> tables;
    int checked = 0;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string part; std::getline(fields, part, ',');) f.push_back(part);
        ASSERT_EQ(f.size(), 10u) << line;
        const std::string key = f[0];
        if (!tables.count(key))
            tables[key] = runTable(f[1], f[2], f[3], std::stol(f[4]), std::stoi(f[5]));
        const auto& rows = tables[key];
        const long month = std::stol(f[6]);
        ASSERT_LE(static_cast<std::size_t>(month), rows.size()) << line;
        const Row& r = rows[static_cast<std::size_t>(month - 1)];
        EXPECT_EQ(r.payment + " " + r.principal + " " + r.interest, f[7] + " " + f[8] + " " + f[9])
            << key << " month " << month;
        ++checked;
    }
    EXPECT_GT(checked, 400);
}

}  // namespace
}  // namespace zorv::finance::test
