#include "expr/ExpressionKeys.h"

namespace zorv::expr {

namespace {

KeyOutcome insert(std::string text) { return {KeyAction::Insert, std::move(text)}; }

// Keys both kinds of box treat alike; Reject when the key is not one of them.
KeyOutcome commonKey(std::string_view ch, std::string_view decimalSymbol) {
    if (ch == "\b") return {KeyAction::Backspace, {}};
    if (ch == "\x03") return {KeyAction::Copy, {}};
    if (ch == "\x16") return {KeyAction::Paste, {}};
    if (ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9') return insert(std::string(ch));
    if (!ch.empty() && ch == decimalSymbol) return insert(std::string(decimalSymbol));
    if (ch == ".") return insert(std::string(decimalSymbol));
    if (ch == "P" || ch == "p") return insert(piText(decimalSymbol));
    return {};
}

}  // namespace

std::string piText(std::string_view decimalSymbol) {
    return "3" + std::string(decimalSymbol) + "14159265359";
}

KeyOutcome expressionKey(std::string_view ch, std::string_view decimalSymbol, bool allowFootMark) {
    if (KeyOutcome common = commonKey(ch, decimalSymbol); common.action != KeyAction::Reject)
        return common;
    if (ch.size() != 1) return {};
    const char c = ch[0];
    switch (c) {
    case '(': case ')': case '*': case '/': case '+': case '-': case '%': case '^': case '\\':
        return insert(std::string(1, c));
    case 'x': case 'X': return insert("X");
    case 'y': case 'Y': return insert("Y");
    case 'z': case 'Z': return insert("Z");
    case 's': case 'S': return insert("^2");
    case 'r': case 'R': return insert("^" + std::string(decimalSymbol) + "5");
    case '\'':
    case '"':
        if (allowFootMark) return insert(std::string(1, c));
        break;
    default: break;
    }
    return {};
}

KeyOutcome builderKey(std::string_view ch, std::string_view decimalSymbol) {
    if (ch == "." || (!decimalSymbol.empty() && ch == decimalSymbol)) return insert(".");
    if (ch == "\u00D7") return insert("*");
    if (ch == "\u00F7") return insert("/");
    if (ch.size() == 1) {
        switch (ch[0]) {
        case ' ': case 'm': case 'c': return insert(std::string(ch));
        case 'M': return insert("m");
        case 'C': return insert("c");
        default: break;
        }
    }
    KeyOutcome outcome = expressionKey(ch, ".", true);
    return outcome;
}

KeyOutcome variableKey(std::string_view ch, std::string_view decimalSymbol) {
    return commonKey(ch, decimalSymbol);
}

}  // namespace zorv::expr
