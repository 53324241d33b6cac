#pragma once

// Exchange rates for the currency conversion, and their text file.
//
// The rates file is plain UTF-8 text a user can edit:
//
//     # Comments start with "#" at the beginning of a line.
//     base EUR Euro
//     date 2026-12-07
//     USD 1.0812 US dollar
//     JPY 162.45 Japanese yen
//
// "base CODE [name]" names the base currency, against which every rate is
// given; "date YYYY-MM-DD" is the day the rates were published. Every other
// line is one currency: its three-letter ISO 4217 code, how many units of it
// buy one unit of the base currency (digits with "." as the decimal point,
// no grouping, above zero), then optionally its name up to the end of the
// line. Words are separated by blanks or tabs; keywords and codes may be
// written in any case; lines may end in CR LF. A line for the base currency
// itself is allowed with the rate 1 and gives its name.
//
// Reading keeps every valid line and reports each line it skips with the
// reason: a line that is not text (control characters, invalid UTF-8), one
// longer than kMaxRatesLineLength bytes, an unknown keyword or a code that
// is not three letters, a rate that is not a number or not above zero, a
// second line for the same currency (the first one counts), a second base or
// date line. The file is written again only from toText(), after the user
// changed something; comments are not carried over.

#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Decimal.h"

namespace zorv::convert {

using Date = std::chrono::year_month_day;

inline constexpr std::size_t kMaxRatesLineLength = 1024;
inline constexpr std::size_t kMaxCurrencyNameLength = 100;
// The window shows the age of the rates once they are older than this.
inline constexpr int kStaleRatesDays = 7;
// The default name of the rates file in the data folder.
inline constexpr std::string_view kRatesFileName = "currency.rt";

// A rate or currency the user asked for that cannot be used; the text is
// meant for the user.
class RatesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CurrencyRate {
    std::string code;
    engine::Decimal rate;  // units of this currency per one unit of the base
    std::string name;
};

// A line a reader left out, numbered from 1; 0 for the file as a whole.
struct SkippedLine {
    int line = 0;
    std::string reason;
};

class ExchangeRates {
public:
    // The base currency's code, empty while none is set.
    const std::string& base() const { return base_; }
    // Sets the base currency. Throws RatesError for a code that is not
    // three letters; the rates already held are dropped, since they were
    // against another base.
    void setBase(std::string_view code, std::string_view name = {});

    const std::optional<Date>& date() const { return date_; }
    void setDate(std::optional<Date> date) { date_ = date; }

    // Every currency, the base first with the rate 1, then the others by
    // code.
    std::vector<CurrencyRate> currencies() const;
    std::size_t size() const { return rates_.size() + (base_.empty() ? 0 : 1); }

    // The currency with this code (any case), or nothing.
    std::optional<CurrencyRate> find(std::string_view code) const;

    // Adds a currency or changes its rate; an empty name keeps the name it
    // had. Throws RatesError for a code that is not three letters, a rate
    // not above zero, or a rate other than 1 for the base.
    void setRate(std::string_view code, const engine::Decimal& rate, std::string_view name = {});
    // Removes a currency; the base cannot be removed. Returns whether it was
    // there.
    bool remove(std::string_view code);

    // The text of the rates file, with a header saying how to edit it.
    std::string toText() const;

private:
    struct Entry {
        engine::Decimal rate;
        std::string name;
    };
    std::string base_;
    std::string baseName_;
    std::optional<Date> date_;
    std::map<std::string, Entry> rates_;
};

struct LoadedRates {
    ExchangeRates rates;
    std::vector<SkippedLine> skipped;
};

// Reads the text of a rates file; never throws for bad content.
LoadedRates readRates(std::string_view text);

// Reads a rates file from disk: only a regular file, opened without
// blocking, at most 16 MiB. A file that cannot be read gives no rates and
// one SkippedLine 0 saying why.
LoadedRates loadRatesFile(const std::string& path);

// "2 lines of currency.rt were skipped: line 4 (...); line 9 (...)." with at
// most `limit` lines named; empty when nothing was skipped.
std::string skippedSummary(const std::vector<SkippedLine>& skipped, std::string_view fileName,
                           std::size_t limit = 10);

// ---- currencies ------------------------------------------------------------

// ISO 4217 minor units: 0 for JPY, 3 for KWD, 2 for a code the table does
// not know.
int minorUnits(std::string_view code);
// The English name of a common currency, empty for one the table lacks.
std::string_view currencyName(std::string_view code);
// The decimals a currency amount is shown with: "Currency Dec" -1 (or any
// value outside -1..6) means the currency's own minor units, 0 to 6 fix it.
int currencyDecimals(std::string_view code, int currencyDec);

// "2026-12-07" to a date, or nothing when it is not a valid calendar day.
std::optional<Date> parseIsoDate(std::string_view text);
std::string isoDate(const Date& date);
// Whole days from the date of the rates to `today`; nothing when the rates
// carry no date. Negative when the rates are dated after today.
std::optional<int> ratesAgeDays(const ExchangeRates& rates, const Date& today);

// ---- conversion ------------------------------------------------------------

struct CurrencyConversion {
    std::string from;
    std::string to;
    engine::Decimal amount;
    // amount × rate(to) ÷ rate(from), multiplied first and rounded once,
    // half away from zero, to the decimals of the target currency.
    engine::Decimal result;
    // The cross rate rate(to) ÷ rate(from) to six significant digits, for
    // the tape; the result is computed from the exact rates, not from it.
    engine::Decimal shownRate;
    int fromDecimals = 2;
    int toDecimals = 2;
    std::optional<Date> ratesDate;
};

// Throws RatesError for a currency that has no rate or rates without a base.
CurrencyConversion convertCurrency(const ExchangeRates& rates, const engine::Decimal& amount,
                                   std::string_view from, std::string_view to, int currencyDec);

// "Convert 100.00 USD -> 92.51 EUR @ 0.9251 (rates of 2026-12-07)"; the
// date part is left out when the rates have none. The amount keeps any
// decimals it has beyond the currency's own.
std::string currencyTapeLine(const CurrencyConversion& c, std::string_view decimalSymbol = ".");

// `value` with exactly `places` decimals (rounded half away from zero).
std::string fixedText(const engine::Decimal& value, int places, std::string_view decimalSymbol = ".");

}  // namespace zorv::convert
