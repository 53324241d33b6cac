#include "BusinessKeys.h"

#include "engine/TapeNumber.h"

namespace zorv::journal {

using engine::Decimal;
using R = engine::Modes::ResultRounding;

namespace {

const Decimal kHundred(100);

std::string percentText(const Decimal& rate) { return rate.toString(".") + "%"; }

}  // namespace

BusinessKeys::BusinessKeys(engine::CalculatorModel& model, std::function<Decimal()> taxRate)
    : model_(model), taxRate_(std::move(taxRate)) {
    model_.onTotal = [this](const Decimal& total) {
        try {
            grand_ = grand_ + total;
            lastTotal_ = total;
        } catch (const engine::DecimalError&) {
        }
    };
    // A corrected total counts in the grand total as corrected, when the
    // total it replaces is the last one the grand total took.
    model_.onTotalCorrected = [this](const Decimal& was, const Decimal& now) {
        if (!lastTotal_ || !(*lastTotal_ == was)) return;
        try {
            grand_ = grand_ - was + now;
            lastTotal_ = now;
        } catch (const engine::DecimalError&) {
        }
    };
    model_.onClear = [this] {
        lastTotal_.reset();
        grand_ = Decimal();
        for (auto& v : slots_) v.reset();
    };
}

BusinessKeys::Tax BusinessKeys::addTax(const Decimal& net, const Decimal& rate, int places, R mode) {
    const Decimal tax = engine::roundResult(net * rate / kHundred, places, mode);
    return {net, tax, net + tax};
}

BusinessKeys::Tax BusinessKeys::removeTax(const Decimal& gross, const Decimal& rate, int places, R mode) {
    const Decimal net = engine::roundResult(gross * kHundred / (kHundred + rate), places, mode);
    return {net, gross - net, gross};
}

std::optional<BusinessKeys::Margin> BusinessKeys::completeMargin(std::optional<Decimal> cost,
                                                                 std::optional<Decimal> sell,
                                                                 std::optional<Decimal> margin, int places,
                                                                 R mode) {
    Margin m;
    if (cost && margin) {
        if (*margin >= kHundred) return std::nullopt;
        m.cost = *cost;
        m.marginPercent = *margin;
        m.sell = engine::roundResult(*cost * kHundred / (kHundred - *margin), places, mode);
    } else if (sell && margin) {
        m.sell = *sell;
        m.marginPercent = *margin;
        m.cost = engine::roundResult(*sell * (kHundred - *margin) / kHundred, places, mode);
    } else if (cost && sell) {
        if (sell->isZero()) return std::nullopt;
        m.cost = *cost;
        m.sell = *sell;
        m.marginPercent = engine::roundResult((*sell - *cost) * kHundred / *sell, places, mode);
    } else {
        return std::nullopt;
    }
    m.profit = m.sell - m.cost;
    return m;
}

std::optional<Decimal> BusinessKeys::readoutValue() {
    try {
        return model_.toDecimal(model_.readout());
    } catch (const engine::DecimalError&) {
        model_.feedback().showMessage("Invalid value!", std::string(engine::kProductName),
                                      engine::MessageIcon::Information);
        return std::nullopt;
    }
}

std::string BusinessKeys::number(const Decimal& value) const { return engine::tapeTotal(model_, model_.toText(value)); }

void BusinessKeys::post(const Decimal& value, const std::string& mark) { model_.postToTape(number(value) + " " + mark); }

void BusinessKeys::show(const Decimal& value) {
    model_.showResult(value, false);
}

void BusinessKeys::taxPlus() {
    const auto value = readoutValue();
    if (!value) return;
    try {
        const Decimal rate = taxRate_();
        const Tax t = addTax(*value, rate, model_.modes().decimalPlaces, model_.modes().rounding);
        post(t.net, "NET");
        post(t.tax, "TAX " + percentText(rate));
        post(t.gross, "TAX+");
        show(t.gross);
    } catch (const engine::DecimalError&) {
        model_.feedback().showMessage("Invalid value!", std::string(engine::kProductName), engine::MessageIcon::Information);
    }
}

void BusinessKeys::taxMinus() {
    const auto value = readoutValue();
    if (!value) return;
    try {
        const Decimal rate = taxRate_();
        const Tax t = removeTax(*value, rate, model_.modes().decimalPlaces, model_.modes().rounding);
        post(t.gross, "GROSS");
        post(t.tax, "TAX " + percentText(rate));
        post(t.net, "TAX-");
        show(t.net);
    } catch (const engine::DecimalError&) {
        model_.feedback().showMessage("Invalid value!", std::string(engine::kProductName), engine::MessageIcon::Information);
    }
}

void BusinessKeys::margin(Slot slot) {
    const auto value = readoutValue();
    if (!value) return;
    static const char* marks[] = {"COST", "SELL", "MARGIN%"};
    const int s = static_cast<int>(slot);
    slots_[s] = *value;
    stamps_[s] = ++clock_;
    post(*value, marks[s]);
    int known = 0;
    for (const auto& v : slots_) known += v ? 1 : 0;
    if (known < 2) {
        show(*value);
        return;
    }
    // The two keyed last give the third.
    if (known == 3) {
        int oldest = 0;
        for (int i = 1; i < 3; ++i)
            if (stamps_[i] < stamps_[oldest]) oldest = i;
        slots_[oldest].reset();
    }
    int missing = 0;
    while (slots_[missing]) ++missing;
    std::optional<Margin> m;
    try {
        m = completeMargin(slots_[0], slots_[1], slots_[2], model_.modes().decimalPlaces, model_.modes().rounding);
    } catch (const engine::DecimalError&) {
    }
    for (auto& v : slots_) v.reset();
    if (!m) {
        model_.feedback().showMessage(
            "These figures give no price: the margin must be under 100 % and the selling price not 0.",
            std::string(engine::kProductName), engine::MessageIcon::Exclamation);
        return;
    }
    const Decimal result = missing == 0 ? m->cost : missing == 1 ? m->sell : m->marginPercent;
    post(result, marks[missing]);
    post(m->profit, "PROFIT");
    show(result);
}

void BusinessKeys::grandTotal() {
    model_.postToTape(std::string(engine::kTotalRule));
    post(grand_, "GT");
    model_.postToTape(std::string(engine::kTotalEnd));
    show(grand_);
}

void BusinessKeys::setRounding(engine::Modes::ResultRounding mode) {
    model_.modes().rounding = mode;
    static const char* names[] = {"HALF-UP", "HALF-EVEN", "UP", "DOWN"};
    model_.postToTape(std::string("ROUND ") + names[static_cast<int>(mode)]);
    model_.notify();
}

}  // namespace zorv::journal
