#include "convert/RatesText.h"

#include <algorithm>
#include <cctype>

#include "convert/ExchangeRates.h"

namespace zorv::convert::rates_text {

namespace {

using engine::Decimal;

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

}  // namespace

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

std::string quoted(std::string_view text) {
    std::string out(1, '"');
    out.append(text.substr(0, 40));
    out += '"';
    return out;
}

}  // namespace zorv::convert::rates_text
