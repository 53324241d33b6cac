#include "KeyMap.h"

#include <array>
#include <utility>

namespace zorv::engine {

namespace {

using C = CommandId;

constexpr std::array<C, 10> kDigits = {C::Digit0, C::Digit1, C::Digit2, C::Digit3, C::Digit4,
                                       C::Digit5, C::Digit6, C::Digit7, C::Digit8, C::Digit9};

// Case matters: "M" adds to memory, "m" subtracts from it. The keys before
// the decimal symbol win over a locale symbol that looks like one of them.
constexpr std::pair<std::string_view, C> kBeforeDecimal[] = {
    {"(", C::ExpressionEvaluator},
    {"R", C::SquareRoot}, {"r", C::SquareRoot},
    {"^", C::Square}, {"S", C::Square}, {"s", C::Square},
    {"M", C::MemoryAdd}, {"m", C::MemorySubtract},
    {"/", C::Divide}, {"+", C::Add}, {"*", C::Multiply}, {"X", C::Multiply}, {"x", C::Multiply},
    {"-", C::Subtract}, {"\r", C::Total}, {"=", C::Total},
};
constexpr std::pair<std::string_view, C> kAfterDecimal[] = {
    {"%", C::Percent},
    {"\b", C::Backspace},
    {"C", C::Clear}, {"c", C::Clear},
    {"N", C::AnnotateTape}, {"n", C::AnnotateTape},
};

}  // namespace

std::optional<NamedKey> altDigitKey(int digit) {
    if (digit < 1 || digit > 9) return std::nullopt;
    return static_cast<NamedKey>(static_cast<int>(NamedKey::AltDigit1) + digit - 1);
}

std::optional<CommandId> KeyMap::command(std::string_view typed) const {
    if (typed.size() == 1 && typed[0] >= '0' && typed[0] <= '9')
        return kDigits[static_cast<std::size_t>(typed[0] - '0')];
    for (const auto& [ch, id] : kBeforeDecimal)
        if (typed == ch) return id;
    if (typed == decimalSymbol_ || typed == ".") return C::DecimalPoint;
    for (const auto& [ch, id] : kAfterDecimal)
        if (typed == ch) return id;
    return std::nullopt;
}

std::optional<CommandId> KeyMap::command(NamedKey key) {
    if (key == NamedKey::Delete) return C::ClearEntry;
    return std::nullopt;
}

std::optional<int> KeyMap::toolbarButton(NamedKey key) {
    const int n = static_cast<int>(key) - static_cast<int>(NamedKey::AltDigit1);
    if (n < 0 || n > 8) return std::nullopt;
    return n;
}

}  // namespace zorv::engine
