#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/CalculatorModel.h"
#include "engine/Decimal.h"

namespace zorv::journal {

// The keys of a desk printing calculator: tax added and taken out at a
// stored rate, cost, selling price and margin (any two give the third, the
// margin as a share of the selling price), the grand total of the totals
// since the last C, and how results are rounded. Each writes its own lines
// on the tape, the last of them ending in the key's mark, and leaves its
// result in the readout as a whole entry the next operator takes.
class BusinessKeys {
public:
    // `taxRate` reads the stored rate in percent at each use.
    BusinessKeys(engine::CalculatorModel& model, std::function<engine::Decimal()> taxRate);

    void taxPlus();
    void taxMinus();
    void cost() { margin(Slot::Cost); }
    void sell() { margin(Slot::Sell); }
    void marginKey() { margin(Slot::Margin); }
    void grandTotal();
    void setRounding(engine::Modes::ResultRounding mode);

    const engine::Decimal& grandTotalValue() const { return grand_; }

    // The pure calculations, rounded to `places` with `mode`.
    struct Tax {
        engine::Decimal net, tax, gross;
    };
    static Tax addTax(const engine::Decimal& net, const engine::Decimal& ratePercent, int places,
                      engine::Modes::ResultRounding mode);
    static Tax removeTax(const engine::Decimal& gross, const engine::Decimal& ratePercent, int places,
                         engine::Modes::ResultRounding mode);
    struct Margin {
        engine::Decimal cost, sell, marginPercent, profit;
    };
    // Any two of cost, sell and margin given; nullopt when they do not
    // make a price (a margin of 100 % or more, a selling price of 0).
    static std::optional<Margin> completeMargin(std::optional<engine::Decimal> cost,
                                                std::optional<engine::Decimal> sell,
                                                std::optional<engine::Decimal> marginPercent, int places,
                                                engine::Modes::ResultRounding mode);

private:
    enum class Slot { Cost, Sell, Margin };
    void margin(Slot slot);
    std::optional<engine::Decimal> readoutValue();
    void post(const engine::Decimal& value, const std::string& mark);
    void show(const engine::Decimal& value);
    std::string number(const engine::Decimal& value) const;

    engine::CalculatorModel& model_;
    std::function<engine::Decimal()> taxRate_;
    engine::Decimal grand_;
    std::optional<engine::Decimal> lastTotal_;  // the last total grand_ took
    // Cost, selling price and margin keyed so far, and when each was keyed.
    std::optional<engine::Decimal> slots_[3];
    int stamps_[3] = {0, 0, 0};
    int clock_ = 0;
};

}  // namespace zorv::journal
