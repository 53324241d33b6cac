#include "convert/ExchangeRates.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "convert/RatesText.h"
#include "engine/RegularFile.h"

namespace zorv::convert {

using namespace rates_text;

namespace {

using engine::Decimal;

constexpr std::size_t kMaxRatesFileSize = 16u << 20;

struct IsoCurrency {
    std::string_view code;
    int minorUnits;
    std::string_view name;
};

// The currencies of the central bank's daily list and other common ones,
// sorted by code for the binary search.
constexpr std::array kIsoCurrencies{
    IsoCurrency{"AED", 2, "UAE dirham"},          IsoCurrency{"ARS", 2, "Argentine peso"},
    IsoCurrency{"AUD", 2, "Australian dollar"},   IsoCurrency{"BGN", 2, "Bulgarian lev"},
    IsoCurrency{"BHD", 3, "Bahraini dinar"},      IsoCurrency{"BIF", 0, "Burundian franc"},
    IsoCurrency{"BRL", 2, "Brazilian real"},      IsoCurrency{"CAD", 2, "Canadian dollar"},
    IsoCurrency{"CHF", 2, "Swiss franc"},         IsoCurrency{"CLF", 4, "Chilean unit of account"},
    IsoCurrency{"CLP", 0, "Chilean peso"},        IsoCurrency{"CNY", 2, "Chinese yuan renminbi"},
    IsoCurrency{"COP", 2, "Colombian peso"},      IsoCurrency{"CZK", 2, "Czech koruna"},
    IsoCurrency{"DJF", 0, "Djiboutian franc"},    IsoCurrency{"DKK", 2, "Danish krone"},
    IsoCurrency{"EGP", 2, "Egyptian pound"},      IsoCurrency{"EUR", 2, "Euro"},
    IsoCurrency{"GBP", 2, "Pound sterling"},      IsoCurrency{"GNF", 0, "Guinean franc"},
    IsoCurrency{"HKD", 2, "Hong Kong dollar"},    IsoCurrency{"HUF", 2, "Hungarian forint"},
    IsoCurrency{"IDR", 2, "Indonesian rupiah"},   IsoCurrency{"ILS", 2, "Israeli new shekel"},
    IsoCurrency{"INR", 2, "Indian rupee"},        IsoCurrency{"IQD", 3, "Iraqi dinar"},
    IsoCurrency{"ISK", 0, "Icelandic krona"},     IsoCurrency{"JOD", 3, "Jordanian dinar"},
    IsoCurrency{"JPY", 0, "Japanese yen"},        IsoCurrency{"KES", 2, "Kenyan shilling"},
    IsoCurrency{"KMF", 0, "Comorian franc"},      IsoCurrency{"KRW", 0, "South Korean won"},
    IsoCurrency{"KWD", 3, "Kuwaiti dinar"},       IsoCurrency{"LYD", 3, "Libyan dinar"},
    IsoCurrency{"MXN", 2, "Mexican peso"},        IsoCurrency{"MYR", 2, "Malaysian ringgit"},
    IsoCurrency{"NGN", 2, "Nigerian naira"},      IsoCurrency{"NOK", 2, "Norwegian krone"},
    IsoCurrency{"NZD", 2, "New Zealand dollar"},  IsoCurrency{"OMR", 3, "Omani rial"},
    IsoCurrency{"PHP", 2, "Philippine peso"},     IsoCurrency{"PKR", 2, "Pakistani rupee"},
    IsoCurrency{"PLN", 2, "Polish zloty"},        IsoCurrency{"PYG", 0, "Paraguayan guarani"},
    IsoCurrency{"QAR", 2, "Qatari riyal"},        IsoCurrency{"RON", 2, "Romanian leu"},
    IsoCurrency{"RSD", 2, "Serbian dinar"},       IsoCurrency{"RWF", 0, "Rwandan franc"},
    IsoCurrency{"SAR", 2, "Saudi riyal"},         IsoCurrency{"SEK", 2, "Swedish krona"},
    IsoCurrency{"SGD", 2, "Singapore dollar"},    IsoCurrency{"THB", 2, "Thai baht"},
    IsoCurrency{"TND", 3, "Tunisian dinar"},      IsoCurrency{"TRY", 2, "Turkish lira"},
    IsoCurrency{"TWD", 2, "New Taiwan dollar"},   IsoCurrency{"UAH", 2, "Ukrainian hryvnia"},
    IsoCurrency{"UGX", 0, "Ugandan shilling"},    IsoCurrency{"USD", 2, "US dollar"},
    IsoCurrency{"UYU", 2, "Uruguayan peso"},      IsoCurrency{"UYW", 4, "Uruguayan wage index unit"},
    IsoCurrency{"VND", 0, "Vietnamese dong"},     IsoCurrency{"VUV", 0, "Vanuatu vatu"},
    IsoCurrency{"XAF", 0, "Central African CFA franc"},
    IsoCurrency{"XOF", 0, "West African CFA franc"},
    IsoCurrency{"XPF", 0, "CFP franc"},           IsoCurrency{"ZAR", 2, "South African rand"},
};

const IsoCurrency* isoCurrency(std::string_view code) {
    std::string upper(code);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto it = std::lower_bound(kIsoCurrencies.begin(), kIsoCurrencies.end(), upper,
                                     [](const IsoCurrency& c, const std::string& k) { return c.code < k; });
    return it != kIsoCurrencies.end() && it->code == upper ? &*it : nullptr;
}

}  // namespace

// ---- ExchangeRates ---------------------------------------------------------

void ExchangeRates::setBase(std::string_view code, std::string_view name) {
    const std::optional<std::string> c = currencyCode(code);
    if (!c) throw RatesError(quoted(code) + " is not a three-letter currency code.");
    if (*c != base_) rates_.clear();
    base_ = *c;
    baseName_ = cleanName(name);
}

std::vector<CurrencyRate> ExchangeRates::currencies() const {
    std::vector<CurrencyRate> out;
    out.reserve(size());
    if (!base_.empty()) out.push_back({base_, Decimal(1), baseName_});
    for (const auto& [code, e] : rates_) out.push_back({code, e.rate, e.name});
    return out;
}

std::optional<CurrencyRate> ExchangeRates::find(std::string_view code) const {
    const std::optional<std::string> c = currencyCode(code);
    if (!c) return std::nullopt;
    if (*c == base_) return CurrencyRate{base_, Decimal(1), baseName_};
    const auto it = rates_.find(*c);
    if (it == rates_.end()) return std::nullopt;
    return CurrencyRate{it->first, it->second.rate, it->second.name};
}

void ExchangeRates::setRate(std::string_view code, const Decimal& rate, std::string_view name) {
    const std::optional<std::string> c = currencyCode(code);
    if (!c) throw RatesError(quoted(code) + " is not a three-letter currency code.");
    if (rate.isNegative() || rate.isZero()) throw RatesError("The rate of " + *c + " must be above zero.");
    const std::string cleaned = cleanName(name);
    if (*c == base_) {
        if (rate != Decimal(1))
            throw RatesError(*c + " is the base currency; its rate is always 1.");
        if (!cleaned.empty()) baseName_ = cleaned;
        return;
    }
    Entry& e = rates_[*c];
    e.rate = rate;
    if (!cleaned.empty()) e.name = cleaned;
}

bool ExchangeRates::remove(std::string_view code) {
    const std::optional<std::string> c = currencyCode(code);
    return c && rates_.erase(*c) > 0;
}

std::string ExchangeRates::toText() const {
    std::string out =
        "# Exchange rates of Zorv Advanced Calculator.\n"
        "#\n"
        "# \"base CODE name\" names the currency every rate is given against;\n"
        "# \"date YYYY-MM-DD\" is the day the rates were published. Every other\n"
        "# line is one currency: its three-letter code, how many of it buy one\n"
        "# unit of the base currency (\".\" as the decimal point, no grouping),\n"
        "# then its name if you like:  USD 1.0812 US dollar\n"
        "# Lines starting with \"#\" are comments; the calculator does not keep\n"
        "# them when it saves this file.\n";
    if (!base_.empty()) out += "base " + base_ + (baseName_.empty() ? "" : " " + baseName_) + "\n";
    if (date_) out += "date " + isoDate(*date_) + "\n";
    for (const auto& [code, e] : rates_)
        out += code + " " + e.rate.toString(".") + (e.name.empty() ? "" : " " + e.name) + "\n";
    return out;
}

// ---- reading ---------------------------------------------------------------

LoadedRates readRates(std::string_view text) {
    LoadedRates result;
    ExchangeRates& rates = result.rates;
    auto skip = [&](int line, std::string reason) { result.skipped.push_back({line, std::move(reason)}); };

    struct PendingRate {
        int line;
        Decimal rate;
        std::string name;
    };
    std::map<std::string, PendingRate> pending;
    int baseLine = 0, dateLine = 0;
    std::string baseCode, baseName;

    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    forEachLine(text, [&](int number, std::string_view raw) {
        if (raw.size() > kMaxRatesLineLength) {
            skip(number, "the line is longer than " + std::to_string(kMaxRatesLineLength) + " characters");
            return;
        }
        if (!isText(raw)) {
            skip(number, "the line is not text");
            return;
        }
        std::string_view rest = trimmed(raw);
        if (rest.empty() || rest.front() == '#') return;
        const std::string_view first = nextWord(rest);

        if (equalsIgnoringCase(first, "base")) {
            const std::string_view word = nextWord(rest);
            const std::optional<std::string> code = currencyCode(word);
            if (baseLine != 0)
                skip(number, "a second base line (the base is " + baseCode + " from line " +
                                 std::to_string(baseLine) + ")");
            else if (!code)
                skip(number, quoted(word) + " is not a three-letter currency code");
            else {
                baseLine = number;
                baseCode = *code;
                baseName = cleanName(rest);
            }
            return;
        }
        if (equalsIgnoringCase(first, "date")) {
            const std::string_view word = nextWord(rest);
            const std::optional<Date> date = parseIsoDate(word);
            if (dateLine != 0)
                skip(number, "a second date line (the first is line " + std::to_string(dateLine) + ")");
            else if (!date || !rest.empty())
                skip(number, quoted(word) + " is not a date like 2026-12-07");
            else {
                dateLine = number;
                rates.setDate(date);
            }
            return;
        }

        const std::optional<std::string> code = currencyCode(first);
        if (!code) {
            skip(number, quoted(first) + " is neither a three-letter currency code nor base or date");
            return;
        }
        std::string reason;
        const std::optional<Decimal> rate = rateValue(nextWord(rest), reason);
        if (!rate) {
            skip(number, *code + ": " + reason);
            return;
        }
        if (const auto it = pending.find(*code); it != pending.end()) {
            skip(number, *code + " is already on line " + std::to_string(it->second.line));
            return;
        }
        pending.emplace(*code, PendingRate{number, *rate, cleanName(rest)});
    });

    if (trimmed(text).find_first_not_of(" \t\r\n") == std::string_view::npos) {
        skip(0, "the file is empty");
        return result;
    }
    if (baseLine == 0) {
        skip(0, "there is no \"base\" line naming the base currency, so no rate can be used");
        std::sort(result.skipped.begin(), result.skipped.end(),
                  [](const SkippedLine& a, const SkippedLine& b) { return a.line < b.line; });
        return result;
    }
    rates.setBase(baseCode, baseName);
    for (auto& [code, p] : pending) {
        if (code == baseCode && p.rate != Decimal(1)) {
            skip(p.line, code + " is the base currency; its rate must be 1");
            continue;
        }
        // The name on the base line wins over one on a rate line.
        rates.setRate(code, p.rate, code == baseCode && !baseName.empty() ? std::string() : p.name);
    }
    std::sort(result.skipped.begin(), result.skipped.end(),
              [](const SkippedLine& a, const SkippedLine& b) { return a.line < b.line; });
    return result;
}

LoadedRates loadRatesFile(const std::string& path) {
    using engine::FileRead;
    FileRead file = engine::readRegularFile(path, kMaxRatesFileSize);
    if (file.ok()) return readRates(file.text);
    std::string why;
    switch (file.failure) {
    case FileRead::Failure::Missing: why = "the rates file " + path + " does not exist"; break;
    case FileRead::Failure::Folder:
    case FileRead::Failure::NotRegular: why = path + " is not a regular file"; break;
    case FileRead::Failure::TooLarge: why = "the rates file " + path + " is larger than 16 MB"; break;
    default: why = "the rates file " + path + " cannot be read (" + file.reason + ")"; break;
    }
    LoadedRates failed;
    failed.skipped.push_back({0, why});
    return failed;
}

std::string skippedSummary(const std::vector<SkippedLine>& skipped, std::string_view fileName,
                           std::size_t limit) {
    if (skipped.empty()) return {};
    const std::size_t lines = std::count_if(skipped.begin(), skipped.end(),
                                            [](const SkippedLine& s) { return s.line > 0; });
    std::string out;
    if (lines > 0)
        out = std::to_string(lines) + (lines == 1 ? " line of " : " lines of ") + std::string(fileName) +
              (lines == 1 ? " was" : " were") + " skipped: ";
    else
        out = std::string(fileName) + ": ";
    std::size_t shown = 0;
    for (const SkippedLine& s : skipped) {
        if (shown == limit) break;
        if (shown++ > 0) out += "; ";
        out += s.line > 0 ? "line " + std::to_string(s.line) + " (" + s.reason + ")" : s.reason;
    }
    if (skipped.size() > shown) out += "; and " + std::to_string(skipped.size() - shown) + " more";
    return out + ".";
}

// ---- currencies and dates --------------------------------------------------

int minorUnits(std::string_view code) {
    const IsoCurrency* c = isoCurrency(code);
    return c ? c->minorUnits : 2;
}

std::string_view currencyName(std::string_view code) {
    const IsoCurrency* c = isoCurrency(code);
    return c ? c->name : std::string_view{};
}

int currencyDecimals(std::string_view code, int currencyDec) {
    return currencyDec >= 0 && currencyDec <= 6 ? currencyDec : minorUnits(code);
}

std::optional<Date> parseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [&](std::size_t from, std::size_t count) {
        int n = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return -1;
            n = n * 10 + (text[i] - '0');
        }
        return n;
    };
    const int y = number(0, 4), m = number(5, 2), d = number(8, 2);
    if (y < 1 || m < 1 || d < 1) return std::nullopt;
    const Date date{std::chrono::year(y), std::chrono::month(static_cast<unsigned>(m)),
                    std::chrono::day(static_cast<unsigned>(d))};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::string isoDate(const Date& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::optional<int> ratesAgeDays(const ExchangeRates& rates, const Date& today) {
    if (!rates.date()) return std::nullopt;
    return static_cast<int>((std::chrono::sys_days(today) - std::chrono::sys_days(*rates.date())).count());
}

// ---- conversion ------------------------------------------------------------

namespace {

// Six significant digits, half away from zero, for showing a rate.
Decimal significant(const Decimal& value, int digits) {
    if (value.isZero()) return value;
    const std::string text = value.toString(".");
    const std::size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    int places;
    if (whole != "0" && whole != "-0") {
        places = std::max(0, digits - static_cast<int>(whole.size() - (whole[0] == '-' ? 1 : 0)));
    } else {
        const std::size_t firstDigit = text.find_first_not_of('0', point + 1);
        places = static_cast<int>(firstDigit - point - 1) + digits;
    }
    return value.round(std::min(places, Decimal::kMaxScale), engine::Rounding::HalfAwayFromZero);
}

int decimalsOf(const Decimal& value) {
    const std::string text = value.toString(".");
    const std::size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

CurrencyRate rateFor(const ExchangeRates& rates, std::string_view code) {
    if (rates.base().empty())
        throw RatesError("The rates file names no base currency, so its rates cannot be used.");
    const std::optional<CurrencyRate> r = rates.find(code);
    if (!r) throw RatesError("There is no rate for \"" + std::string(code) + "\" in the rates file.");
    return *r;
}

}  // namespace

CurrencyConversion convertCurrency(const ExchangeRates& rates, const Decimal& amount,
                                   std::string_view from, std::string_view to, int currencyDec) {
    const CurrencyRate f = rateFor(rates, from);
    const CurrencyRate t = rateFor(rates, to);
    CurrencyConversion c;
    c.from = f.code;
    c.to = t.code;
    c.amount = amount;
    c.fromDecimals = currencyDecimals(f.code, currencyDec);
    c.toDecimals = currencyDecimals(t.code, currencyDec);
    c.ratesDate = rates.date();
    Decimal exact;
    try {
        exact = amount * t.rate / f.rate;
    } catch (const engine::DecimalOverflow&) {
        exact = amount / f.rate * t.rate;
    }
    c.result = exact.round(c.toDecimals, engine::Rounding::HalfAwayFromZero);
    c.shownRate = significant(t.rate / f.rate, 6);
    return c;
}

std::string fixedText(const Decimal& value, int places, std::string_view decimalSymbol) {
    const Decimal rounded = value.round(places, engine::Rounding::HalfAwayFromZero);
    std::string text = rounded.toString(".");
    const std::size_t point = text.find('.');
    const int have = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    if (places > 0 && point == std::string::npos) text += '.';
    text.append(static_cast<std::size_t>(std::max(0, places - have)), '0');
    if (const std::size_t p = text.find('.'); p != std::string::npos)
        text.replace(p, 1, decimalSymbol);
    return text;
}

std::string currencyTapeLine(const CurrencyConversion& c, std::string_view decimalSymbol) {
    std::string line = "Convert " +
                       fixedText(c.amount, std::max(c.fromDecimals, decimalsOf(c.amount)), decimalSymbol) +
                       " " + c.from + " -> " + fixedText(c.result, c.toDecimals, decimalSymbol) + " " +
                       c.to + " @ " + c.shownRate.toString(decimalSymbol);
    if (c.ratesDate) line += " (rates of " + isoDate(*c.ratesDate) + ")";
    return line;
}

}  // namespace zorv::convert
