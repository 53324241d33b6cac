#include "Billing.h"

#include "InputError.h"

namespace zorv::timedate {

using engine::Currency;
using engine::Decimal;

namespace {

// Plain decimal text padded to at least `places` decimals.
std::string withDecimals(const Decimal& value, int places, std::string_view ds) {
    std::string s = value.toString(".");
    const auto dot = s.find('.');
    int have = dot == std::string::npos ? 0 : static_cast<int>(s.size() - dot - 1);
    if (dot == std::string::npos && places > 0) s += '.';
    for (; have < places; ++have) s += '0';
    if (const auto d = s.find('.'); d != std::string::npos) s.replace(d, 1, ds);
    return s;
}

}  // namespace

std::string defaultRateText(const engine::NumberSymbols& symbols) { return "100" + symbols.decimal + "00"; }

Currency parseRate(std::string_view text, const engine::NumberSymbols& symbols) {
    std::string_view t = text;
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    const std::string example = "type an hourly amount such as " + defaultRateText(symbols);
    if (t.empty()) throw InputError("The billing rate is empty: " + example + ".");
    // "&H10" and exponents are number syntax for the calculator, not amounts.
    bool exponent = false;
    for (std::size_t i = 1; i < t.size(); ++i)
        if ((t[i] == 'e' || t[i] == 'E') && t[i - 1] >= '0' && t[i - 1] <= '9') exponent = true;
    if (t.find('&') != std::string_view::npos || exponent)
        throw InputError("\"" + std::string(t.substr(0, 40)) + "\" is not a billing rate: " + example + ".");
    Decimal value;
    try {
        value = Decimal::parse(t, symbols);
    } catch (const engine::DecimalOverflow&) {
        throw InputError("The billing rate " + std::string(t.substr(0, 40)) + " is too large.");
    } catch (const engine::DecimalError&) {
        throw InputError("\"" + std::string(t.substr(0, 40)) + "\" is not a billing rate: " + example + ".");
    }
    if (value.isNegative()) throw InputError("A billing rate cannot be negative: " + example + ".");
    try {
        return Currency::fromDecimal(value);
    } catch (const engine::DecimalError&) {
        throw InputError("The billing rate " + std::string(t.substr(0, 40)) + " is too large.");
    }
}

Currency rateFromSetting(std::string_view text, const engine::NumberSymbols& symbols) {
    try {
        return parseRate(text, symbols);
    } catch (const InputError&) {
        return Currency::fromUnits(100'0000);
    }
}

std::string rateText(const Currency& rate, std::string_view ds) { return withDecimals(rate.toDecimal(), 2, ds); }

Currency billAmount(const Duration& duration, const Currency& rate) {
    // At most ~3.6e10 seconds times a rate below 1e15 with 4 decimals: the
    // product fits the decimal type; the quotient keeps 28 significant
    // digits, and a tie at half a cent is a terminating quotient, so the
    // rounding below sees it exactly.
    try {
        const Decimal amount = (duration.seconds() * rate.toDecimal() / Decimal(3600))
                                   .round(2, engine::Rounding::HalfAwayFromZero);
        return Currency::fromDecimal(amount);
    } catch (const engine::DecimalError&) {
        throw InputError("The billed amount is too large for a currency amount.");
    }
}

std::string amountText(const Currency& amount, std::string_view ds) {
    return withDecimals(amount.toDecimal().round(2, engine::Rounding::HalfAwayFromZero), 2, ds);
}

std::string billTapeLine(const Duration& duration, const Currency& rate, const Currency& amount, std::string_view ds) {
    return "Bill " + duration.text(ds) + " @ " + rateText(rate, ds) + "/h = " + amountText(amount, ds);
}

}  // namespace zorv::timedate
