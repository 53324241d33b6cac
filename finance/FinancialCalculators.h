#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/CalculatorModel.h"
#include "finance/NumericInput.h"
#include "finance/mdlFinance.h"

namespace zorv::finance {

// The fourteen guided calculators of the Fin menu. Each asks its questions
// through the NumericInput, writes its report on the tape, puts the rounded
// result on the readout and closes with FinishFinance. Cancelling any
// question ends the calculator with nothing written.
class FinancialCalculators {
public:
    FinancialCalculators(engine::CalculatorModel& model, NumericInput& input);

    void mnuFV_Click();
    void mnuPV_Click();
    void mnuPmt_Click();
    void mnuPPmt_Click();
    void mnuIPmt_Click();
    void mnuNPer_Click();
    void mnuRate_Click();
    void mnuIRR_Click();
    void mnuMIRR_Click();
    void mnuNPV_Click();
    void mnuSLN_Click();
    void mnuSYD_Click();
    void mnuDDB_Click();
    void mnuInterestForXdays_Click();

    // The principal/interest breakdown is only offered up to this many
    // payments: beyond it the table would be too long to be of use.
    static constexpr double kMaxAmortizationRows = 100000;

    // The amortization table of a loan, as appended to the tape.
    std::string amortizationTable(double monthlyRate, double payments, double loan, double futureValue,
                                  int timing, double payment) const;

private:
    struct Report {
        std::string title;
        std::size_t hyphens = 0;
        std::vector<std::string> lines;
        std::string readout;
    };

    // Ends the calculator when a question was cancelled; true if it did.
    bool stopped();
    // Computes and writes the report. A result beyond what the decimal
    // type can hold is reported with "Invalid value!" and ends the
    // calculator without a report; false then.
    bool deliver(const std::function<Report()>& build);
    void settle();
    // Asks the year of a depreciation; 0 when cancelled.
    double askDepreciationYear(const std::string& title, double years);
    // Asks cost, salvage and life of a depreciation; false when cancelled.
    bool askAsset(double& cost, double& salvage, double& months);
    std::vector<std::string> assetLines(double cost, double salvage, double months) const;
    std::vector<std::string> returnLines() const;

    engine::CalculatorModel& model_;
    mdlFinance fin_;
};

}  // namespace zorv::finance
