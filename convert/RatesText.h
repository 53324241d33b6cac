#pragma once

// Pieces of text handling shared by the readers of exchange rates (the rates
// file, the central bank's XML, CSV). Internal to convert/.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/Decimal.h"

namespace zorv::convert::rates_text {

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Without blanks, tabs and CRs at either end.
std::string_view trimmed(std::string_view text);
// The next blank-separated word, removed from `text`.
std::string_view nextWord(std::string_view& text);
// A currency code: three ASCII letters, returned in capitals.
std::optional<std::string> currencyCode(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
// A rate's text checked: the value, or nothing with `reason` saying why.
std::optional<engine::Decimal> rateValue(std::string_view text, std::string& reason);
// False for control characters other than tab and CR, or bytes that are not
// UTF-8.
bool isText(std::string_view line);
// The first 40 bytes of `text` in double quotes, for a message.
std::string quoted(std::string_view text);
// A name as it can be written back on one line of the rates file.
std::string cleanName(std::string_view name);

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

}  // namespace zorv::convert::rates_text
