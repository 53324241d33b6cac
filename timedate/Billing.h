#pragma once

#include <string>
#include <string_view>

#include "Duration.h"
#include "engine/Currency.h"
#include "engine/NumberSymbols.h"

namespace zorv::timedate {

// The hourly rate as the settings keep it ("Billing Rate": a currency
// amount text). The default is 100 with the locale's decimal symbol: "100.00".
std::string defaultRateText(const engine::NumberSymbols& symbols);

// Reads a rate typed by the user or kept in the settings: a number in the
// locale's symbols (thousands symbols and the currency symbol allowed), zero
// or more. Empty, negative and non-numeric text and amounts beyond the
// currency type throw InputError; more than four decimals round half to
// even as the currency type does.
engine::Currency parseRate(std::string_view text, const engine::NumberSymbols& symbols);

// The rate kept in the settings; text that cannot be read (edited by hand,
// damaged) gives the default rate of 100.
engine::Currency rateFromSetting(std::string_view text, const engine::NumberSymbols& symbols);

// The rate as the settings and the tape show it: at least two decimals,
// no grouping ("100.00", "87.125").
std::string rateText(const engine::Currency& rate, std::string_view decimalSymbol = ".");

// Duration x rate, rounded half away from zero to cents. Computed exactly in
// the decimal type (seconds x rate / 3600); a result beyond the currency
// type throws InputError.
engine::Currency billAmount(const Duration& duration, const engine::Currency& rate);

// "123.40": the amount with exactly two decimals.
std::string amountText(const engine::Currency& amount, std::string_view decimalSymbol = ".");

// "Bill 3:20 @ 100.00/h = 333.33"
std::string billTapeLine(const Duration& duration, const engine::Currency& rate, const engine::Currency& amount,
                         std::string_view decimalSymbol = ".");

}  // namespace zorv::timedate
