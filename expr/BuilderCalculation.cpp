#include "expr/BuilderCalculation.h"

#include <optional>

#include "engine/Decimal.h"

namespace zorv::expr {

namespace {

constexpr std::string_view kEvaluateTitle = "Evaluate Expression";
constexpr std::string_view kTooLong = "Expression too long! (at most 32767 characters)";

bool isDigit(char c) { return c >= '0' && c <= '9'; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The typographic signs a user may paste, as the ASCII the evaluator reads.
std::string plainSigns(std::string_view text) {
    struct Sign {
        std::string_view from;
        char to;
    };
    static constexpr Sign signs[] = {
        {"\u00D7", '*'}, {"\u00F7", '/'}, {"\u2032", '\''}, {"\u2033", '"'}, {"\u2212", '-'}};
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const Sign& s : signs) {
            if (text.substr(i, s.from.size()) == s.from) {
                out += s.to;
                i += s.from.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

std::string quoted(std::string_view text) { return "\"" + std::string(text.substr(0, 40)) + "\""; }

// A placeholder ".N." at `i`: its index and length.
std::optional<std::pair<std::size_t, std::size_t>> placeholderAt(std::string_view s, std::size_t i,
                                                                 std::size_t count) {
    if (i >= s.size() || s[i] != '.') return std::nullopt;
    std::size_t j = i + 1;
    std::size_t index = 0;
    while (j < s.size() && isDigit(s[j]) && j - i <= 9) index = index * 10 + static_cast<std::size_t>(s[j++] - '0');
    if (j == i + 1 || j >= s.size() || s[j] != '.' || index >= count) return std::nullopt;
    return std::make_pair(index, j + 1 - i);
}

}  // namespace

// ---- the arithmetic over placeholders ---------------------------------------

std::string DimensionedArithmetic::store(const Dimensioned& value, std::string shown) {
    values_.push_back(value);
    shown_.push_back(std::move(shown));
    return "." + std::to_string(values_.size() - 1) + ".";
}

std::string DimensionedArithmetic::tokenise(std::string_view typed, std::string* tape) {
    const std::string text = plainSigns(typed);
    std::string out;
    std::string written;
    // What the last thing written was: a value (a dimension, a number, a
    // variable, a closing bracket), an operator, or nothing yet.
    enum class Last { Nothing, Literal, Value, Operator } last = Last::Nothing;
    std::size_t literalStart = 0;
    std::size_t literalEnd = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        if (isDigit(c) || c == '.') {
            const ParsedDimension d = readDimension(text, i);
            if (last == Last::Literal) {
                throw DimensionError("An operator is missing between " +
                                     quoted(std::string_view(text).substr(literalStart, literalEnd - literalStart)) +
                                     " and " + quoted(d.shown));
            }
            out += d.plain ? d.shown : store(d.value, d.shown);
            written += d.shown;
            literalStart = i;
            i += d.length;
            literalEnd = i;
            last = Last::Literal;
            continue;
        }
        if (c == '\'' || c == '"') {
            std::size_t end = i;
            while (end < text.size() && (text[end] == '\'' || text[end] == '"')) ++end;
            const std::size_t from = (last == Last::Literal && literalEnd == i) ? literalStart : i;
            throw DimensionError("Malformed dimension " + quoted(std::string_view(text).substr(from, end - from)) +
                                 ": a foot or inch mark must follow a number");
        }
        if (c == '/' && (last == Last::Nothing || last == Last::Operator) && i + 1 < text.size() &&
            isDigit(text[i + 1])) {
            std::size_t end = i + 1;
            while (end < text.size() && isDigit(text[end])) ++end;
            if (end < text.size() && text[end] == '"') {
                std::size_t from = i;
                if (!out.empty() && (out.back() == '-' || out.back() == '+') && literalEnd + 1 == i)
                    from = literalStart;
                throw DimensionError("Malformed dimension " +
                                     quoted(std::string_view(text).substr(from, end + 1 - from)) +
                                     ": the fraction has no numerator");
            }
        }
        if (Evaluator::IsOperatorChar(c) || c == '(' || c == ')') {
            const bool binary = (last == Last::Literal || last == Last::Value) && c != '^' && c != '%';
            if (binary && (c == '+' || c == '-' || c == '*' || c == '/')) {
                written += c == '*' ? " \u00D7 " : c == '/' ? " \u00F7 " : std::string(" ") + c + " ";
            } else {
                written += c;
            }
            out += c;
            last = (c == ')' || c == '%') ? Last::Value : Last::Operator;
            ++i;
            continue;
        }
        const char u = upper(c);
        if (u == 'X' || u == 'Y' || u == 'Z') {
            out += c;
            written += c;
            last = Last::Value;
            ++i;
            continue;
        }
        if (u == 'P' && i + 1 < text.size() && upper(text[i + 1]) == 'I') {
            out += text.substr(i, 2);
            written += text.substr(i, 2);
            last = Last::Value;
            i += 2;
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        throw DimensionError("Unexpected " + quoted(std::string_view(text).substr(i, end - i)) +
                             " in the expression");
    }
    if (tape) *tape = std::move(written);
    return out;
}

Dimensioned DimensionedArithmetic::operand(std::string_view text) const {
    bool negative = false;
    std::size_t i = 0;
    for (; i < text.size() && (text[i] == '-' || text[i] == '+'); ++i)
        if (text[i] == '-') negative = !negative;
    const std::string_view body = text.substr(i);
    Dimensioned value;
    if (const auto p = placeholderAt(body, 0, values_.size()); p && p->second == body.size()) {
        value = values_[p->first];
    } else {
        const auto number = Rational::parseDecimal(body);
        if (!number) throw engine::DecimalTypeMismatch();
        value = {*number, Kind::Number};
    }
    if (negative) value.value = -value.value;
    return value;
}

std::string DimensionedArithmetic::compute(char op, std::string_view left, std::string_view right) {
    const Dimensioned a = operand(left);
    const Dimensioned b = operand(right);
    Dimensioned r;
    switch (op) {
    case '+': r = add(a, b, plain_); break;
    case '-': r = subtract(a, b, plain_); break;
    case '*': r = multiply(a, b); break;
    case '/': r = divide(a, b); break;
    case '%': r = multiply(a, b); r.value = r.value / Rational(100); break;
    case '^': r = power(a, b); break;
    case '\\': {
        if (a.kind != Kind::Number || b.kind != Kind::Number)
            throw ArithmeticError("Cannot take the remainder of " + kindWithArticle(a.kind) + " and " +
                                  kindWithArticle(b.kind));
        // Whole numbers, halves to even; the sign of the left operand.
        auto whole = [](const Rational& v) {
            const __int128 n = v.numerator();
            const __int128 d = v.denominator();
            __int128 q = n / d;
            __int128 rem = n % d;
            if (rem < 0) rem = -rem;
            if (rem * 2 > d || (rem * 2 == d && q % 2 != 0)) q += n < 0 ? -1 : 1;
            return q;
        };
        const __int128 x = whole(a.value);
        const __int128 y = whole(b.value);
        if (y == 0) throw engine::DecimalDivideByZero();
        r = {Rational(x % y), Kind::Number};
        break;
    }
    default: throw engine::DecimalTypeMismatch();
    }
    return store(r, r.value.toDecimalText(4));
}

std::string DimensionedArithmetic::finish(std::string_view text) {
    const Dimensioned value = operand(text);
    return store(value, value.value.toDecimalText(4));
}

std::string DimensionedArithmetic::shown(std::string_view text) const {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (const auto p = placeholderAt(text, i, values_.size())) {
            out += shown_[p->first];
            i += p->second;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// ---- options and the whole calculation -------------------------------------

BuilderOptions readBuilderOptions(
    const std::function<std::string(std::string_view key, std::string_view fallback)>& read) {
    auto flag = [&](std::string_view key, std::string_view fallback) {
        const std::string v = read(key, fallback);
        return !v.empty() && v != "0" && v != "False" && v != "false";
    };
    BuilderOptions o;
    o.confirm = flag(kConfirmBuilderKey, "0");
    o.resultFeetInches = flag(kBuilderResultFtInKey, "1");
    o.resultToReadout = flag(kBuilderResultToReadoutKey, "1");
    o.convert = flag(kBuilderConvertKey, "1");
    o.area = flag(kBuilderAreaKey, "0");
    o.volume = flag(kBuilderVolumeKey, "0");
    o.plain = flag(kBuilderPlainFeetKey, "0") ? PlainUnit::Feet : PlainUnit::Inches;
    const std::string d = read(kBuilderDenominatorKey, "16");
    int den = 0;
    if (d.size() <= 2 && !d.empty() && isDigit(d[0]) && (d.size() == 1 || isDigit(d[1]))) den = std::stoi(d);
    o.denominator = (den >= 2 && den <= 64 && (den & (den - 1)) == 0) ? den : 16;
    return o;
}

std::vector<std::string> describeValue(const Dimensioned& value, const BuilderOptions& options) {
    std::vector<std::string> lines;
    const Rational& v = value.value;
    switch (value.kind) {
    case Kind::Number: lines.push_back(v.toDecimalText(10)); break;
    case Kind::Length: {
        const std::string feetInches = feetInchesWithMark(v, options.denominator);
        const std::string decimal =
            options.plain == PlainUnit::Feet ? formatDecimalFeet(v) : formatDecimalInches(v);
        const std::string other =
            options.plain == PlainUnit::Feet ? formatDecimalInches(v) : formatDecimalFeet(v);
        lines.push_back(options.resultFeetInches ? feetInches : decimal);
        lines.push_back(options.resultFeetInches ? decimal : feetInches);
        lines.push_back(other);
        if (options.convert) lines.push_back(formatMetres(v));
        break;
    }
    case Kind::Area:
        lines.push_back(formatSquareFeet(v));
        if (options.area) lines.push_back(formatSquareYards(v));
        if (options.convert) lines.push_back(formatSquareMetres(v));
        break;
    case Kind::Volume:
        lines.push_back(formatCubicFeet(v));
        if (options.volume) lines.push_back(formatCubicYards(v));
        if (options.convert) lines.push_back(formatCubicMetres(v));
        break;
    }
    return lines;
}

namespace {

// Passes every message on and keeps the last one for the result.
class RecordingFeedback : public engine::UserFeedback {
public:
    explicit RecordingFeedback(engine::UserFeedback& inner) : inner_(inner) {}
    engine::MessageResult showMessage(const std::string& text, const std::string& title,
                                      engine::MessageIcon icon, engine::MessageButtons buttons,
                                      std::optional<engine::MessageResult> defaultButton) override {
        if (buttons == engine::MessageButtons::Ok) last = text;
        return inner_.showMessage(text, title, icon, buttons, defaultButton);
    }
    std::optional<std::string> askText(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) override {
        return inner_.askText(prompt, title, defaultText);
    }
    void beep() override { inner_.beep(); }
    void focusEqualsKey() override { inner_.focusEqualsKey(); }
    bool mainWindowVisible() const override { return inner_.mainWindowVisible(); }

    std::string last;

private:
    engine::UserFeedback& inner_;
};

// The readout value in the unit the result is read in: inches or feet,
// square feet, cubic feet.
std::string readoutText(const Dimensioned& value, PlainUnit plain) {
    Rational v = value.value;
    switch (value.kind) {
    case Kind::Number: break;
    case Kind::Length: if (plain == PlainUnit::Feet) v = v / Rational(12); break;
    case Kind::Area: v = v / Rational(144); break;
    case Kind::Volume: v = v / Rational(1728); break;
    }
    return v.toDecimalText(10);
}

}  // namespace

BuilderResult evaluateDimensions(std::string_view expression, const BuilderOptions& options,
                                 engine::UserFeedback& feedback) {
    BuilderResult result;
    RecordingFeedback recorder(feedback);
    auto failWith = [&](const std::string& message) {
        recorder.showMessage(message, std::string(kEvaluateTitle), engine::MessageIcon::Information,
                             engine::MessageButtons::Ok, std::nullopt);
        result.message = message;
        return result;
    };
    if (expression.size() > Evaluator::kMaxLength) return failWith(std::string(kTooLong));

    DimensionedArithmetic arithmetic(options.plain);
    Evaluator evaluator(recorder);
    evaluator.setArithmetic(&arithmetic);
    evaluator.setConfirm(options.confirm);
    std::string internal;
    try {
        for (int i = 0; i < 3; ++i)
            evaluator.setVariable(i, arithmetic.tokenise(options.variables[static_cast<std::size_t>(i)]));
        internal = arithmetic.tokenise(expression, &result.expression);
    } catch (const DimensionError& e) {
        return failWith(e.what());
    } catch (const engine::DecimalOverflow&) {
        return failWith("Invalid values in expression!");
    }
    // The typed text is within the limit; placeholders may write a short
    // dimension (1") in more characters, which must not make it too long.
    evaluator.setLengthLimit(Evaluator::kMaxLength * 4);
    if (internal.size() > Evaluator::kMaxLength * 4) return failWith(std::string(kTooLong));

    std::string text = internal;
    const std::string value = evaluator.GetBrackets(text);
    result.editRequest = evaluator.editRequest();
    if (evaluator.EvalAborted || value.empty()) {
        if (result.editRequest == Evaluator::EditRequest::EditInterpreted) result.editText = text;
        else if (result.editRequest == Evaluator::EditRequest::EditOriginal) result.editText = std::string(expression);
        else result.message = recorder.last;
        return result;
    }
    try {
        result.value = arithmetic.operand(value);
        result.lines = describeValue(result.value, options);
        if (options.resultToReadout) result.readout = readoutText(result.value, options.plain);
    } catch (const engine::DecimalError&) {
        // A value too large to be written in the shown units.
        result.lines.clear();
        result.readout.clear();
        return failWith("Invalid values in expression!");
    }
    result.ok = true;
    result.resultText = result.lines.front();
    result.tapeLine = result.expression + " = " + result.resultText;
    return result;
}

}  // namespace zorv::expr
