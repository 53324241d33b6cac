#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Small UTF-8 text helpers shared by the engine.
namespace zorv::engine::text {

// Removes leading and trailing blanks (spaces only, as the readout uses).
inline std::string trim(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

// Number of characters (code points) in UTF-8 text.
inline std::size_t length(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

// Removes the last character (code point) of UTF-8 text.
inline void popLastCharacter(std::string& s) {
    while (!s.empty()) {
        const auto c = static_cast<unsigned char>(s.back());
        s.pop_back();
        if ((c & 0xC0) != 0x80) break;
    }
}

}  // namespace zorv::engine::text
