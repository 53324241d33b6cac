#include "NumberFormat.h"

#include "TextUtil.h"

namespace zorv::engine {

NumberFormat::NumberFormat(NumberSymbols symbols, const Modes& modes)
    : symbols_(std::move(symbols)), modes_(modes) {
    if (symbols_.decimal.empty()) symbols_.decimal = ".";
}

Decimal NumberFormat::toDecimal(std::string_view text) const {
    return Decimal::parse(text, symbols_);
}

std::optional<std::string> NumberFormat::canonical(std::string_view text) const {
    try {
        return toText(toDecimal(text));
    } catch (const DecimalError&) {
        return std::nullopt;
    }
}

std::optional<std::string> NumberFormat::purge(std::string_view text, bool keepLengthMarks) const {
    if (text::trim(text).empty()) return std::string();
    const std::string& ds = symbols_.decimal;
    std::string kept;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i).starts_with(ds)) {
            kept += ds;
            i += ds.size();
            continue;
        }
        const char c = text[i];
        if ((c >= '0' && c <= '9') || c == '-' || (keepLengthMarks && (c == '\'' || c == '"')))
            kept += c;
        ++i;
    }
    if (keepLengthMarks) return kept;
    return canonical(kept);
}

std::string NumberFormat::groupThousands(std::string_view digits) const {
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += symbols_.thousand;
        out += digits[i];
    }
    return out;
}

std::string NumberFormat::grouped(std::string_view text) const {
    if (!modes_.formatNumbers) return std::string(text);
    const auto pos = text.find(symbols_.decimal);
    if (pos == std::string_view::npos) return std::string(text);
    const std::size_t sign = text.starts_with("-") ? 1 : 0;
    if (pos - sign <= 3) return std::string(text);
    return std::string(text.substr(0, sign)) + groupThousands(text.substr(sign, pos - sign)) +
           std::string(text.substr(pos));
}

std::string NumberFormat::financial(std::string_view text) const {
    const int places = modes_.decimalPlaces;
    Decimal d;
    try {
        d = roundResult(toDecimal(text), places, modes_.rounding);
    } catch (const DecimalError&) {
        return std::string(text);
    }
    std::string digits = d.toString(".");
    bool negative = false;
    if (digits.starts_with("-")) {
        negative = true;
        digits.erase(0, 1);
    }
    std::string whole = digits;
    std::string fraction;
    if (const auto dot = digits.find('.'); dot != std::string::npos) {
        whole = digits.substr(0, dot);
        fraction = digits.substr(dot + 1);
    }
    fraction.resize(static_cast<std::size_t>(places), '0');
    std::string out = whole + symbols_.decimal + fraction;
    return negative ? "-" + out : out;
}

std::string NumberFormat::withDecimalSymbol(std::string_view text) const {
    if (text.find(symbols_.decimal) == std::string_view::npos) return std::string(text) + symbols_.decimal;
    return std::string(text);
}

std::string NumberFormat::entryNumber(std::string_view text) const {
    std::string out = withDecimalSymbol(text::trim(text));
    if (modes_.financial || modes_.autoDecimal) out = financial(out);
    out = grouped(out);
    const std::string& ds = symbols_.decimal;
    if (out.ends_with(ds)) out.erase(out.size() - ds.size());
    return out;
}

std::string NumberFormat::totalLine(std::string_view readout) const {
    std::string out = withDecimalSymbol(text::trim(readout));
    if (modes_.financial) out = financial(out);
    return grouped(out);
}

}  // namespace zorv::engine
