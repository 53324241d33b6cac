#include "finance/NumericInput.h"

#include <algorithm>

#include "engine/Decimal.h"

namespace zorv::finance {

namespace {

std::size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;  // a stray continuation byte counts as a character of its own
}

std::size_t characterCount(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

void dropLastCharacter(std::string& s) {
    while (!s.empty()) {
        const auto c = static_cast<unsigned char>(s.back());
        s.pop_back();
        if ((c & 0xC0) != 0x80) break;
    }
}

}  // namespace

std::optional<std::string> filterAnswerKey(std::string_view ch, const engine::NumberSymbols& symbols) {
    if (ch.size() == 1) {
        const char c = ch.front();
        if ((c >= '0' && c <= '9') || c == '-' || c == '\b') return std::string(ch);
        if (c == '.') return symbols.decimal;
    }
    if (!ch.empty() && ch == symbols.decimal) return symbols.decimal;
    return std::nullopt;
}

std::string filterAnswerText(std::string_view text, const engine::NumberSymbols& symbols,
                             std::size_t maxLength) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = std::min(utf8Length(static_cast<unsigned char>(text[i])), text.size() - i);
        // A multi-character decimal symbol arrives as one key.
        if (!symbols.decimal.empty() && text.substr(i).starts_with(symbols.decimal))
            len = symbols.decimal.size();
        const auto key = filterAnswerKey(text.substr(i, len), symbols);
        i += len;
        if (!key) continue;
        if (*key == "\b") {
            dropLastCharacter(out);
            continue;
        }
        if (maxLength != 0 && characterCount(out) + characterCount(*key) > maxLength) continue;
        out += *key;
    }
    return out;
}

std::optional<std::string> normaliseAnswer(std::string_view text, const engine::NumberSymbols& symbols) {
    if (text.find_first_not_of(' ') == std::string_view::npos) return std::string();
    try {
        return engine::Decimal::parse(text, symbols).toString(symbols.decimal);
    } catch (const engine::DecimalError&) {
        return std::nullopt;
    }
}

}  // namespace zorv::finance
