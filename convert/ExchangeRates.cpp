#include "convert/ExchangeRates.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zorv::convert {

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

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (isBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// The next blank-separated word, removed from `text`.
std::string_view nextWord(std::string_view& text) {
    text = trimmed(text);
    std::size_t end = 0;
    while (end < text.size() && !isBlank(text[end])) ++end;
    const std::string_view word = text.substr(0, end);
    text = trimmed(text.substr(end));
    return word;
}

// A currency code: three ASCII letters, returned in capitals.
std::optional<std::string> currencyCode(std::string_view text) {
    if (text.size() != 3) return std::nullopt;
    std::string code;
    for (char c : text) {
        if (!std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80)
            return std::nullopt;
        code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return code;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Plain digits with at most one decimal point: the only rate text a file
// holds, whatever the user's locale.
std::optional<Decimal> plainDecimal(std::string_view text) {
    bool digit = false, point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit) return std::nullopt;
    try {
        return Decimal::parse(text);
    } catch (const engine::DecimalError&) {
        return std::nullopt;
    }
}

// A rate's text checked: the value, or why it is refused.
std::optional<Decimal> rateValue(std::string_view text, std::string& reason) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::optional<Decimal> value = plainDecimal(negative ? text.substr(1) : text);
    if (!value) {
        reason = text.empty() ? "the rate is missing" : "the rate \"" + std::string(text.substr(0, 40)) +
                                                            "\" is not a plain number";
        return std::nullopt;
    }
    if (negative || value->isZero()) {
        reason = "the rate must be above zero";
        return std::nullopt;
    }
    return value;
}

// Control characters other than tab, or bytes that are not UTF-8.
bool isText(std::string_view line) {
    for (std::size_t i = 0; i < line.size();) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F) return false;
            ++i;
            continue;
        }
        int extra = 0;
        unsigned minimum = 0;
        unsigned code = 0;
        if ((c & 0xE0) == 0xC0) { extra = 1; code = c & 0x1F; minimum = 0x80; }
        else if ((c & 0xF0) == 0xE0) { extra = 2; code = c & 0x0F; minimum = 0x800; }
        else if ((c & 0xF8) == 0xF0) { extra = 3; code = c & 0x07; minimum = 0x10000; }
        else return false;
        if (i + static_cast<std::size_t>(extra) >= line.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char n = static_cast<unsigned char>(line[i + k]);
            if ((n & 0xC0) != 0x80) return false;
            code = (code << 6) | (n & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

// A name as it can be written back on one line of the file.
std::string cleanName(std::string_view name) {
    std::string out;
    for (char c : name) out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    out = std::string(trimmed(out));
    if (out.size() > kMaxCurrencyNameLength) {
        out.resize(kMaxCurrencyNameLength);
        // Never leave half of a UTF-8 sequence at the end.
        while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80) out.pop_back();
        if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xC0) out.pop_back();
        out = std::string(trimmed(out));
    }
    return out;
}

std::string decimalText(const Decimal& d) { return d.toString("."); }

// Splits text into lines on LF, calling f(lineNumber, line) without the LF.
template <typename F>
void forEachLine(std::string_view text, F f) {
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        f(++number, text.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

// ---- ExchangeRates ---------------------------------------------------------

void ExchangeRates::setBase(std::string_view code, std::string_view name) {
    const std::optional<std::string> c = currencyCode(code);
    if (!c) throw RatesError("\"" + std::string(code) + "\" is not a three-letter currency code.");
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
    if (!c) throw RatesError("\"" + std::string(code) + "\" is not a three-letter currency code.");
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
        out += code + " " + decimalText(e.rate) + (e.name.empty() ? "" : " " + e.name) + "\n";
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
                skip(number, "\"" + std::string(word.substr(0, 40)) + "\" is not a three-letter currency code");
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
                skip(number, "\"" + std::string(word.substr(0, 40)) + "\" is not a date like 2026-12-07");
            else {
                dateLine = number;
                rates.setDate(date);
            }
            return;
        }

        const std::optional<std::string> code = currencyCode(first);
        if (!code) {
            skip(number, "\"" + std::string(first.substr(0, 40)) +
                             "\" is neither a three-letter currency code nor base or date");
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
    LoadedRates failed;
    auto fail = [&](const std::string& why) {
        failed.skipped.push_back({0, why});
        return failed;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return fail("the rates file " + path + " does not exist");
        return fail("the rates file " + path + " cannot be opened (" + std::strerror(errno) + ")");
    }
    struct stat st {};
    std::string text;
    bool ok = ::fstat(fd, &st) == 0;
    if (ok && !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(path + " is not a regular file");
    }
    if (ok && static_cast<unsigned long long>(st.st_size) > kMaxRatesFileSize) {
        ::close(fd);
        return fail("the rates file " + path + " is larger than 16 MB");
    }
    int error = ok ? 0 : errno;
    char buffer[65536];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ok = false;
            error = errno;
        }
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > kMaxRatesFileSize) {
            ::close(fd);
            return fail("the rates file " + path + " is larger than 16 MB");
        }
    }
    ::close(fd);
    if (!ok) return fail("the rates file " + path + " cannot be read (" + std::strerror(error) + ")");
    return readRates(text);
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

// ---- imports ---------------------------------------------------------------

namespace {

struct XmlAttributes {
    std::map<std::string, std::string, std::less<>> values;
    std::string_view find(std::string_view name) const {
        const auto it = values.find(name);
        return it == values.end() ? std::string_view{} : std::string_view(it->second);
    }
    bool has(std::string_view name) const { return values.find(name) != values.end(); }
};

}  // namespace

LoadedRates readEcbXml(std::string_view xml) {
    LoadedRates result;
    ExchangeRates& rates = result.rates;
    rates.setBase("EUR", "Euro");
    std::map<std::string, int> seen;
    int line = 1;
    std::size_t counted = 0;
    auto lineAt = [&](std::size_t pos) {
        line += static_cast<int>(std::count(xml.begin() + counted, xml.begin() + pos, '\n'));
        counted = pos;
        return line;
    };
    auto skipPast = [&](std::size_t from, std::string_view end) {
        const std::size_t p = xml.find(end, from);
        return p == std::string_view::npos ? xml.size() : p + end.size();
    };

    bool haveDay = false;
    std::size_t pos = 0;
    while ((pos = xml.find('<', pos)) != std::string_view::npos) {
        const std::string_view at = xml.substr(pos);
        if (at.substr(0, 4) == "<!--") { pos = skipPast(pos + 4, "-->"); continue; }
        if (at.substr(0, 9) == "<![CDATA[") { pos = skipPast(pos + 9, "]]>"); continue; }
        if (at.substr(0, 2) == "<?") { pos = skipPast(pos + 2, "?>"); continue; }
        if (at.substr(0, 2) == "<!" || at.substr(0, 2) == "</") { pos = skipPast(pos + 2, ">"); continue; }

        // The element name, without any namespace prefix.
        std::size_t i = pos + 1;
        while (i < xml.size() && !isBlank(xml[i]) && xml[i] != '\n' && xml[i] != '\r' && xml[i] != '/' &&
               xml[i] != '>')
            ++i;
        std::string_view name = xml.substr(pos + 1, i - pos - 1);
        if (const std::size_t colon = name.rfind(':'); colon != std::string_view::npos)
            name.remove_prefix(colon + 1);

        XmlAttributes attributes;
        while (i < xml.size() && xml[i] != '>') {
            const char c = xml[i];
            if (isBlank(c) || c == '\n' || c == '\r' || c == '/') { ++i; continue; }
            std::size_t n = i;
            while (n < xml.size() && xml[n] != '=' && xml[n] != '>' && !isBlank(xml[n]) && xml[n] != '\n')
                ++n;
            std::string key(xml.substr(i, n - i));
            if (const std::size_t colon = key.rfind(':'); colon != std::string::npos) key.erase(0, colon + 1);
            while (n < xml.size() && (isBlank(xml[n]) || xml[n] == '\n' || xml[n] == '\r')) ++n;
            if (n >= xml.size() || xml[n] != '=') { i = n; attributes.values.emplace(key, ""); continue; }
            ++n;
            while (n < xml.size() && (isBlank(xml[n]) || xml[n] == '\n' || xml[n] == '\r')) ++n;
            std::string value;
            if (n < xml.size() && (xml[n] == '\'' || xml[n] == '"')) {
                const char quote = xml[n];
                const std::size_t close = xml.find(quote, n + 1);
                if (close == std::string_view::npos) {
                    i = xml.size();
                    break;
                }
                value = std::string(xml.substr(n + 1, close - n - 1));
                i = close + 1;
            } else {
                std::size_t stop = n;
                while (stop < xml.size() && !isBlank(xml[stop]) && xml[stop] != '>' && xml[stop] != '\n') ++stop;
                value = std::string(xml.substr(n, stop - n));
                i = stop;
            }
            attributes.values.emplace(std::move(key), std::move(value));
        }
        const std::size_t tagStart = pos;
        // A reply cut off inside an element must not give a rate cut short.
        if (i >= xml.size()) break;
        pos = i + 1;
        if (name != "Cube") continue;

        if (attributes.has("time")) {
            // A file of several days lists the newest first; read only it.
            if (haveDay) break;
            haveDay = true;
            if (const std::optional<Date> d = parseIsoDate(trimmed(attributes.find("time"))))
                rates.setDate(d);
            else
                result.skipped.push_back({lineAt(tagStart), "the date \"" +
                                                                std::string(attributes.find("time").substr(0, 40)) +
                                                                "\" is not like 2026-12-07"});
        }
        if (!attributes.has("currency") && !attributes.has("rate")) continue;
        const std::string_view codeText = trimmed(attributes.find("currency"));
        const std::optional<std::string> code = currencyCode(codeText);
        if (!code) {
            result.skipped.push_back({lineAt(tagStart), "\"" + std::string(codeText.substr(0, 40)) +
                                                            "\" is not a three-letter currency code"});
            continue;
        }
        std::string reason;
        const std::optional<Decimal> rate = rateValue(trimmed(attributes.find("rate")), reason);
        if (!rate) {
            result.skipped.push_back({lineAt(tagStart), *code + ": " + reason});
            continue;
        }
        if (const auto it = seen.find(*code); it != seen.end()) {
            result.skipped.push_back({lineAt(tagStart), *code + " is already on line " + std::to_string(it->second)});
            continue;
        }
        if (*code == "EUR" && *rate != Decimal(1)) {
            result.skipped.push_back({lineAt(tagStart), "EUR is the base currency; its rate must be 1"});
            continue;
        }
        seen.emplace(*code, lineAt(tagStart));
        rates.setRate(*code, *rate, currencyName(*code));
    }
    if (seen.empty()) result.skipped.push_back({0, "the file holds no exchange rates"});
    return result;
}

LoadedRates readRatesCsv(std::string_view csv, std::string_view base) {
    LoadedRates result;
    try {
        result.rates.setBase(base, currencyName(base));
    } catch (const RatesError& e) {
        result.skipped.push_back({0, e.what()});
        return result;
    }
    std::map<std::string, int> seen;
    if (csv.substr(0, 3) == "\xEF\xBB\xBF") csv.remove_prefix(3);
    forEachLine(csv, [&](int number, std::string_view raw) {
        auto skip = [&](std::string reason) { result.skipped.push_back({number, std::move(reason)}); };
        if (raw.size() > kMaxRatesLineLength) {
            skip("the line is longer than " + std::to_string(kMaxRatesLineLength) + " characters");
            return;
        }
        if (!isText(raw)) {
            skip("the line is not text");
            return;
        }
        const std::string_view line = trimmed(raw);
        if (line.empty() || line.front() == '#') return;
        const std::size_t sep = line.find_first_of(",;\t");
        const char separator = sep == std::string_view::npos ? ',' : line[sep];
        std::vector<std::string> fields;
        for (std::size_t start = 0;;) {
            const std::size_t end = line.find(separator, start);
            std::string_view field = trimmed(line.substr(start, end == std::string_view::npos ? end : end - start));
            if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
                field = trimmed(field.substr(1, field.size() - 2));
            fields.emplace_back(field);
            if (end == std::string_view::npos || fields.size() == 3) {
                if (end != std::string_view::npos && fields.size() == 3)
                    fields.back() = std::string(trimmed(line.substr(start)));
                break;
            }
            start = end + 1;
        }
        std::string rateText = fields.size() > 1 ? fields[1] : std::string();
        if (separator != ',' && rateText.find('.') == std::string::npos &&
            std::count(rateText.begin(), rateText.end(), ',') == 1)
            std::replace(rateText.begin(), rateText.end(), ',', '.');
        std::string reason;
        const std::optional<std::string> code = currencyCode(fields[0]);
        const std::optional<Decimal> rate = rateValue(rateText, reason);
        if (number == 1 && !code && !rate) return;  // a header line
        if (!code) {
            skip("\"" + fields[0].substr(0, 40) + "\" is not a three-letter currency code");
            return;
        }
        if (!rate) {
            skip(*code + ": " + reason);
            return;
        }
        if (const auto it = seen.find(*code); it != seen.end()) {
            skip(*code + " is already on line " + std::to_string(it->second));
            return;
        }
        try {
            result.rates.setRate(*code, *rate, fields.size() > 2 ? fields[2] : std::string(currencyName(*code)));
        } catch (const RatesError& e) {
            skip(e.what());
            return;
        }
        seen.emplace(*code, number);
    });
    return result;
}

MergeReport mergeImported(ExchangeRates& target, const ExchangeRates& imported) {
    MergeReport report;
    if (imported.base().empty()) return report;
    if (target.base() != imported.base()) {
        const ExchangeRates old = target;
        const std::optional<CurrencyRate> oldBase =
            old.base().empty() ? std::nullopt : imported.find(old.base());
        target = ExchangeRates();
        const std::optional<CurrencyRate> importedBase = imported.find(imported.base());
        const std::optional<CurrencyRate> oldEntry = old.find(imported.base());
        target.setBase(imported.base(), !importedBase->name.empty() ? importedBase->name
                                        : oldEntry                  ? oldEntry->name
                                                                    : std::string());
        for (const CurrencyRate& c : old.currencies()) {
            if (c.code == imported.base() || imported.find(c.code)) continue;
            if (!oldBase) {
                report.dropped.push_back(c.code);
                continue;
            }
            try {
                target.setRate(c.code, c.rate * oldBase->rate, c.name);  // exact while it fits
            } catch (const engine::DecimalError&) {
                report.dropped.push_back(c.code);
            } catch (const RatesError&) {  // too small for 28 decimals
                report.dropped.push_back(c.code);
            }
        }
        for (const CurrencyRate& c : imported.currencies()) {
            if (c.code == imported.base()) continue;
            const std::optional<CurrencyRate> had = old.find(c.code);
            target.setRate(c.code, c.rate, !c.name.empty() ? c.name : had ? had->name : std::string());
            had ? ++report.changed : ++report.added;
        }
    } else {
        for (const CurrencyRate& c : imported.currencies()) {
            if (c.code == imported.base()) continue;
            const std::optional<CurrencyRate> had = target.find(c.code);
            if (had && had->rate == c.rate && (c.name.empty() || had->name == c.name)) continue;
            target.setRate(c.code, c.rate, c.name);
            had ? ++report.changed : ++report.added;
        }
    }
    if (imported.date()) target.setDate(imported.date());
    return report;
}

}  // namespace zorv::convert
