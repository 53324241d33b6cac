#include "ScratchPad.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace zorv::notes {

namespace {

bool isDigit(std::string_view t, std::size_t i) { return i < t.size() && t[i] >= '0' && t[i] <= '9'; }

bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || (static_cast<unsigned char>(c) & 0x80) || c == '_';
}

bool startsWithAt(std::string_view t, std::size_t i, std::string_view s) {
    return !s.empty() && t.substr(i, s.size()) == s;
}

struct Token {
    std::size_t start, end;
    std::string plain;  // "-1234.5", written with '.'
};

// Reads the number that starts at `i` (a digit, or the decimal symbol
// before a digit); `end` is left after it.
Token readNumber(std::string_view t, std::size_t i, const engine::NumberSymbols& s) {
    Token token{i, i, {}};
    if (i > 0 && t[i - 1] == '-' && (i < 2 || !isWordChar(t[i - 2]))) {
        token.start = i - 1;
        token.plain = "-";
    }
    const bool groups = !s.thousand.empty() && s.thousand != s.decimal;
    std::size_t groupDigits = 0;
    bool grouped = false;
    while (isDigit(t, i)) {
        token.plain += t[i++];
        ++groupDigits;
        if (groups && startsWithAt(t, i, s.thousand)) {
            const std::size_t next = i + s.thousand.size();
            const bool threeDigits = isDigit(t, next) && isDigit(t, next + 1) && isDigit(t, next + 2) &&
                                     !isDigit(t, next + 3);
            if (threeDigits && (!grouped ? groupDigits <= 3 : groupDigits == 3)) {
                grouped = true;
                groupDigits = 0;
                i = next;
            }
        }
    }
    if (startsWithAt(t, i, s.decimal) && isDigit(t, i + s.decimal.size())) {
        i += s.decimal.size();
        token.plain += '.';
        while (isDigit(t, i)) token.plain += t[i++];
    }
    token.end = i;
    return token;
}

std::vector<Token> numbersIn(std::string_view t, std::size_t from, std::size_t to, const engine::NumberSymbols& s) {
    std::vector<Token> tokens;
    std::size_t i = from;
    while (i < to) {
        const bool decimalFirst = startsWithAt(t, i, s.decimal) && isDigit(t, i + s.decimal.size()) &&
                                  (i == 0 || !isDigit(t, i - 1));
        if (isDigit(t, i) || decimalFirst) {
            Token token = readNumber(t, i, s);
            if (decimalFirst && token.plain.find('.') == std::string::npos) token.plain.insert(0, "0");
            i = std::max(token.end, i + 1);
            tokens.push_back(std::move(token));
        } else {
            ++i;
        }
    }
    return tokens;
}

}  // namespace

std::string appendToPad(std::string_view padText, std::string_view addition) {
    std::string out(padText);
    if (addition.empty()) return out;
    if (!out.empty() && out.back() != '\n') out += '\n';
    out += addition;
    if (out.back() != '\n') out += '\n';
    return out;
}

std::optional<std::filesystem::path> lastFileFromSetting(std::string_view setting) {
    while (!setting.empty() && (setting.front() == ' ' || setting.back() == ' ')) {
        if (setting.front() == ' ') setting.remove_prefix(1);
        else setting.remove_suffix(1);
    }
    if (setting.empty() || setting.find_first_of("*?") != std::string_view::npos) return std::nullopt;
    return std::filesystem::path(std::string(setting));
}

std::string lastFileSetting(const std::optional<std::filesystem::path>& file) {
    return file && !file->empty() ? file->string() : std::string(kNoLastFile);
}

std::optional<PickedNumber> numberNear(std::string_view text, std::size_t selectionStart, std::size_t selectionEnd,
                                       const engine::NumberSymbols& symbols) {
    if (selectionStart > selectionEnd) std::swap(selectionStart, selectionEnd);
    selectionStart = std::min(selectionStart, text.size());
    selectionEnd = std::min(selectionEnd, text.size());
    const std::size_t lineStart = selectionStart == 0 ? 0 : (text.rfind('\n', selectionStart - 1) + 1);
    std::size_t lineEnd = text.find('\n', selectionEnd);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    // Scanning starts at the line's start so a number is read whole.
    const std::vector<Token> tokens = numbersIn(text, lineStart, lineEnd, symbols);

    const Token* best = nullptr;
    std::size_t bestDistance = 0;
    for (const Token& t : tokens) {
        const std::size_t distance = t.end < selectionStart ? selectionStart - t.end
                                     : t.start > selectionEnd ? t.start - selectionEnd
                                                              : 0;
        if (!best || distance < bestDistance) {
            best = &t;
            bestDistance = distance;
        }
    }
    if (!best) return std::nullopt;
    try {
        return PickedNumber{best->start, best->end, engine::Decimal::parse(best->plain)};
    } catch (const engine::DecimalError&) {
        return std::nullopt;
    }
}

}  // namespace zorv::notes
