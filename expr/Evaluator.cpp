#include "expr/Evaluator.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "engine/Decimal.h"

namespace zorv::expr {

using engine::MessageButtons;
using engine::MessageIcon;
using engine::MessageResult;

namespace {

constexpr std::string_view kEvaluateTitle = "Evaluate Expression";
constexpr std::string_view kConfirmTitle = "Expression Interpreter";
constexpr std::string_view kErrorInExpression = "Error in Expression!";
constexpr std::string_view kInvalidValues = "Invalid values in expression!";
constexpr std::string_view kMissingOpen = "Missing '('";
constexpr std::string_view kMissingClose = "Missing ')'";
constexpr std::string_view kTooLong = "Expression too long! (at most 32767 characters)";

// Stands in for a locale decimal symbol of more than one byte while the
// text is being rewritten, so that every scan can treat it as one character.
constexpr char kPrivateSeparator = '\x1F';

// While a group is reduced, the minus sign of a value that came from a
// bracket (or from a power of such a value) is written as this character.
// Such a sign belongs to its number even in front of "^", where a sign typed
// before a number stays in front of the power's value: (1-3)^2 is 4 and
// -3^2 is -9. Once the group's powers are done it becomes "-" again.
constexpr char kValueSign = '\x1E';

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool isVariableLetter(char c) {
    const char u = upper(c);
    return u == 'X' || u == 'Y' || u == 'Z';
}

bool oneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

void replaceAll(std::string& s, std::string_view from, std::string_view to) {
    if (from.empty()) return;
    std::string out;
    std::size_t pos = 0;
    for (std::size_t q; (q = s.find(from, pos)) != std::string::npos; pos = q + from.size()) {
        out.append(s, pos, q - pos);
        out += to;
    }
    if (pos == 0) return;
    out.append(s, pos);
    s = std::move(out);
}

}  // namespace

Evaluator::Evaluator(engine::UserFeedback& feedback, engine::NumberSymbols symbols)
    : feedback_(feedback), symbols_(std::move(symbols)) {
    if (symbols_.decimal.empty()) symbols_.decimal = ".";
    sep_ = symbols_.decimal.size() == 1 ? symbols_.decimal[0] : kPrivateSeparator;
    parseSymbols_ = symbols_;
    parseSymbols_.decimal = std::string(1, sep_);
    // The constant carries the locale's decimal symbol: with "," as the
    // decimal symbol, "3.14159265359" would read as a grouped whole number.
    piText_ = "3" + symbols_.decimal + "14159265359";
}

void Evaluator::setVariable(int index, std::string text) {
    if (index >= 0 && index < 3) variables_[static_cast<std::size_t>(index)] = std::move(text);
}

const std::string& Evaluator::variable(int index) const {
    return variables_.at(static_cast<std::size_t>(index));
}

std::string Evaluator::toInternal(std::string_view text) const {
    std::string s(text);
    if (symbols_.decimal.size() > 1) replaceAll(s, symbols_.decimal, std::string_view(&sep_, 1));
    return s;
}

std::string Evaluator::toExternal(std::string_view text) const {
    std::string s(text);
    if (symbols_.decimal.size() > 1) replaceAll(s, std::string_view(&sep_, 1), symbols_.decimal);
    return s;
}

std::string Evaluator::shown(std::string_view text) const {
    return arithmetic_ ? arithmetic_->shown(toExternal(text)) : toExternal(text);
}

// ---- text routines ----------------------------------------------------------

bool Evaluator::HasParens(std::string_view s) {
    return s.find_first_of("()") != std::string_view::npos;
}

int Evaluator::FindClosingParen(std::string_view s, int start) {
    int depth = 1;
    for (std::size_t i = start < 1 ? 0 : static_cast<std::size_t>(start - 1); i < s.size(); ++i) {
        if (s[i] == '(') {
            ++depth;
        } else if (s[i] == ')') {
            if (--depth == 0) return static_cast<int>(i + 1);
        }
    }
    return -1;
}

bool Evaluator::IsOperatorChar(char c) { return oneOf(c, "*/\\+-^%"); }

// A "+" or "-" at 0-based `i` that belongs to the exponent of a number such
// as 1E+3, so it must not be taken for an operator.
bool Evaluator::isExponentSign(std::string_view s, std::size_t i) const {
    return i >= 2 && (s[i] == '+' || s[i] == '-') && (s[i - 1] == 'E' || s[i - 1] == 'e') &&
           isNumeric(s[i - 2]);
}

// An "E" at 0-based `i` between a number and its exponent digits (1E3).
bool Evaluator::isExponentLetter(std::string_view s, std::size_t i) const {
    return i >= 1 && i + 1 < s.size() && (s[i] == 'E' || s[i] == 'e') && isNumeric(s[i - 1]) &&
           isDigit(s[i + 1]);
}

int Evaluator::FindOperandStart(std::string_view s) const {
    if (s.empty()) return 0;
    int minus = 0;
    int i = static_cast<int>(s.size());  // 1-based position being looked at
    while (i >= 1) {
        const auto at = static_cast<std::size_t>(i - 1);
        const char c = s[at];
        if (isNumeric(c) || isExponentLetter(s, at)) {
            --i;
        } else if (isExponentSign(s, at)) {
            i -= 2;  // the sign and its "E"
        } else if (c == kValueSign) {
            if (minus == 0) --i;  // the value's own sign starts the operand
            break;
        } else if (c == '-') {
            if (i == 1) {
                i = 0;  // a sign in first position belongs to the operand
                break;
            }
            // A "-" right after a number is the subtraction before this
            // operand, not its sign: 1-2-3*4 multiplies 3 by 4.
            if (isNumeric(s[at - 1])) break;
            minus = i;
            --i;
        } else {
            break;
        }
    }
    return minus != 0 ? minus + 1 : i + 1;
}

int Evaluator::FindOperandEnd(std::string_view s) const {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (oneOf(c, "*/^%\\")) return static_cast<int>(i + 1);
        // A sign in first position belongs to the operand.
        if ((c == '+' || c == '-') && i >= 1 && !isExponentSign(s, i)) return static_cast<int>(i + 1);
    }
    return 0;
}

void Evaluator::InsertImplicitProducts() {
    // Walks the positions 1 .. original length of the text as it grows; a
    // position taken up by an inserted "*" still counts against that bound,
    // so characters pushed beyond it are left for the second pass.
    const std::string& s = EvalText;
    const std::size_t length = s.size();
    auto leftNeighbour = [this](char c) { return isNumeric(c) || c == ')' || isVariableLetter(c); };
    auto rightNeighbour = [this](char c) { return isNumeric(c) || c == '(' || isVariableLetter(c); };

    std::string out;
    out.reserve(length + length / 4);
    std::size_t j = 0;
    std::size_t positions = length;
    while (j < length && positions > 0) {
        const char c = s[j];
        if (c == '(' && !out.empty() && leftNeighbour(out.back())) {
            out += '*';
            if (--positions == 0) break;
            out += '(';
            ++j;
            --positions;
        } else if (c == ')' && j + 1 < length && rightNeighbour(s[j + 1])) {
            out += ")*";
            ++j;
            positions -= positions >= 2 ? 2 : positions;
        } else {
            out += c;
            ++j;
            --positions;
        }
    }
    out.append(s, j, std::string::npos);
    EvalText = std::move(out);
}

std::size_t Evaluator::exponentEnd(std::string_view s, std::size_t i) const {
    int depth = 0;
    bool signPosition = true;  // a sign right after "^" belongs to the exponent
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (depth == 0) return i;  // the bracket the power stands in ends
            --depth;
        } else if (depth == 0 && oneOf(c, "*/\\+-")) {
            const bool sign = signPosition && (c == '+' || c == '-');
            if (!sign && !isExponentSign(s, i)) return i;
        }
        signPosition = depth == 0 && (c == '^' || (signPosition && (c == '+' || c == '-')));
    }
    return s.size();
}

std::size_t Evaluator::SubstituteVariable(char letter, int index, std::size_t from) {
    std::string& s = EvalText;
    const char wanted = upper(letter);
    std::size_t v = from;
    while (v < s.size() && upper(s[v]) != wanted) ++v;
    if (v >= s.size()) return std::string::npos;

    // Close the term after the letter: after its exponent when it is raised
    // to a power, else right after it. The exponent ends inside the bracket
    // the letter stands in, so (X^2+Y^2)^.5 keeps its outer bracket whole.
    const bool power = v + 1 < s.size() && s[v + 1] == '^';
    s.insert(power ? exponentEnd(s, v + 2) : v + 1, 1, ')');
    // Open it after the previous operator, taking in a coefficient (3X^2).
    const std::size_t k = v == 0 ? std::string::npos : s.find_last_of("*/\\+-^)", v - 1);
    s.insert(k == std::string::npos ? 0 : k + 1, 1, '(');

    std::size_t w = v + 1;  // the letter, moved by the "("
    if (!oneOf(s[w - 1], "*/\\+-^(")) s.insert(w++, 1, '*');
    std::string value = toInternal(variables_[static_cast<std::size_t>(index)]);
    // A negative value raised to a power is bracketed, so that the power
    // takes it whole and the interpreted text reads as what is computed:
    // X^2 with X = -3 is ((-3)^2), 9.
    if (power && !value.empty() && value[0] == '-') value = "(" + value + ")";
    s.replace(w, 1, value);
    return w + value.size();
}

// ---- reductions ---------------------------------------------------------------

void Evaluator::fail(std::string& t, const std::string& message, const std::string& title,
                     MessageIcon icon) {
    feedback_.showMessage(message, title, icon);
    t.clear();
    EvalAborted = true;
}

double Evaluator::operand(std::string_view text) const {
    std::string plain(text);
    std::replace(plain.begin(), plain.end(), kValueSign, '-');
    return engine::Decimal::parse(plain, parseSymbols_).toDouble();
}

std::string Evaluator::compute(char op, std::string_view left, std::string_view right) const {
    if (arithmetic_) {
        std::string a(left);
        std::string b(right);
        std::replace(a.begin(), a.end(), kValueSign, '-');
        std::replace(b.begin(), b.end(), kValueSign, '-');
        return arithmetic_->compute(op, a, b);
    }
    const double a = operand(left);
    const double b = operand(right);
    double r = 0;
    switch (op) {
    case '^': r = std::pow(a, b); break;
    case '*': r = a * b; break;
    case '/':
        if (b == 0) throw engine::DecimalDivideByZero();
        r = a / b;
        break;
    case '%': r = a * b / 100; break;
    case '\\': {
        // Both operands rounded half to even; the remainder keeps the sign
        // of the left operand.
        const double x = std::nearbyint(a);
        const double y = std::nearbyint(b);
        if (y == 0) throw engine::DecimalDivideByZero();
        r = std::fmod(x, y);
        break;
    }
    case '+': r = a + b; break;
    case '-': r = a - b; break;
    default: throw engine::DecimalTypeMismatch();
    }
    // Infinite and NaN results (a power overflow, a negative base with a
    // fractional exponent) fail this conversion as overflows.
    return engine::Decimal::fromDouble(r).toString(parseSymbols_.decimal);
}

void Evaluator::reportError(Step step, int number, const std::string& description) {
    // The product step writes a blank after the colon, the others do not.
    const std::string text = std::string("Error:") + (step == Step::Products ? " " : "") +
                             description + " [" + std::to_string(number) + "]";
    feedback_.showMessage(text, std::string(kEvaluateTitle), MessageIcon::Information);
}

bool Evaluator::operate(Step step, char op, std::string_view left, std::string_view right,
                        std::string& t, std::size_t start, std::size_t end) {
    std::string value;
    try {
        value = compute(op, left, right);
    } catch (const engine::DecimalOverflow&) {
        fail(t, std::string(kInvalidValues), std::string(kEvaluateTitle), MessageIcon::Information);
        return false;
    } catch (const ArithmeticError& e) {
        fail(t, e.what(), std::string(kEvaluateTitle), MessageIcon::Information);
        return false;
    } catch (const engine::DecimalError& e) {
        reportError(step, e.errorNumber(), e.what());
        t.clear();
        EvalAborted = true;
        return false;
    }
    // A negative power can only come from a value's own sign; its result is
    // again one value, whole under a following "^": ((-2)^3)^2 is 64.
    if (step == Step::Powers && !value.empty() && value[0] == '-') value[0] = kValueSign;
    t.replace(start, end - start, value);
    return true;
}

bool Evaluator::DoPowers(std::string& t) {
    const std::size_t h = t.find('^');
    if (h == std::string::npos) return false;
    if (h == 0) {
        fail(t, std::string(kErrorInExpression), std::string(engine::kProductName), MessageIcon::None);
        return false;
    }
    const std::string_view text(t);
    const auto s = static_cast<std::size_t>(FindOperandStart(text.substr(0, h)));
    const std::string_view r = text.substr(h + 1);
    const auto e = static_cast<std::size_t>(FindOperandEnd(r));
    const std::string_view exponent = e > 0 ? r.substr(0, e - 1) : r;
    // A typed sign in front of the base stays in the text, in front of the
    // power's value: -2^3 gives -8, as 2*-3^2 gives -18. A value's own sign
    // is part of the base: (1-3)^2 gives 4.
    std::size_t baseStart = s - 1;
    if (!isNumeric(t[baseStart]) && t[baseStart] != kValueSign) baseStart = std::min(s, h);
    const std::string_view base = text.substr(baseStart, h - baseStart);

    const std::size_t end = e > 0 ? h + e : t.size();
    return operate(Step::Powers, '^', base, exponent, t, baseStart, end);
}

bool Evaluator::DoProducts(std::string& t) {
    constexpr std::string_view ops = "*/%\\";
    std::size_t p = t.find_first_of(ops);
    if (p == std::string::npos) return false;
    if (p == 0) {
        // The first occurrence of the operator in first position does not
        // count; the first occurrences of the other three still do.
        std::string others;
        for (char c : ops)
            if (c != t[0]) others += c;
        p = t.find_first_of(others, 1);
        if (p == std::string::npos) {
            fail(t, std::string(kErrorInExpression), std::string(engine::kProductName),
                 MessageIcon::None);
            return false;
        }
    }
    const std::string_view text(t);
    std::size_t s = static_cast<std::size_t>(FindOperandStart(text.substr(0, p))) - 1;
    // A sign written right after an operator belongs to the left operand
    // here, so that a negative product does not leave two signs behind
    // (1+-2*-3 gives 7).
    if (s > 0 && t[s - 1] == '-' && (s == 1 || !isNumeric(t[s - 2])) && isNumeric(t[s])) --s;
    const std::string_view left = text.substr(s, p - s);
    const std::string_view r = text.substr(p + 1);
    const auto e = static_cast<std::size_t>(FindOperandEnd(r));
    const std::string_view right = e > 0 ? r.substr(0, e - 1) : r;

    const std::size_t end = e > 0 ? p + e : t.size();
    return operate(Step::Products, t[p], left, right, t, s, end);
}

bool Evaluator::DoSums(std::string& t) {
    std::size_t p = t.find_first_of("+-", 1);
    while (p != std::string::npos && isExponentSign(t, p)) p = t.find_first_of("+-", p + 1);
    if (p == std::string::npos) return false;

    const std::string_view text(t);
    const std::size_t s = static_cast<std::size_t>(FindOperandStart(text.substr(0, p))) - 1;
    const std::string_view left = text.substr(s, p - s);
    const std::string_view r = text.substr(p + 1);
    const auto e = static_cast<std::size_t>(FindOperandEnd(r));
    const std::string_view right = e > 0 ? r.substr(0, e - 1) : r;

    const std::size_t end = e > 0 ? p + e : t.size();
    return operate(Step::Sums, t[p], left, right, t, s, end);
}

// Every run of signs where a sign may stand (at the start, or after an
// operator) becomes one sign or none: --5 is 5, 5--3 stays 5 minus -3,
// 2*-+3 is 2*-3. While powers are left, a value's own sign in front of a
// base stays apart from the typed signs before it: -(1-3)^2 is -(4), not 4.
void Evaluator::collapseSigns(std::string& t, bool powersLeft) const {
    auto isSign = [](char c) { return c == '+' || c == '-' || c == kValueSign; };
    std::string out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        if (!isSign(t[i]) || !(out.empty() || IsOperatorChar(out.back()))) {
            out += t[i++];
            continue;
        }
        const bool exponent = !out.empty() && out.back() == '^';
        int minus = 0;
        std::size_t j = i;
        for (; j < t.size() && isSign(t[j]); ++j)
            if (t[j] != '+') ++minus;
        std::size_t k = j;
        while (k < t.size() && isNumeric(t[k])) ++k;
        const bool base = k < t.size() && t[k] == '^';
        if (powersLeft && t[j - 1] == kValueSign && base && !exponent) {
            if ((minus - 1) % 2 == 1) out += '-';
            out += kValueSign;
        } else if (minus % 2 == 1) {
            out += '-';
        }
        i = j;
    }
    t = std::move(out);
}

// ---- GetBrackets ----------------------------------------------------------------

bool Evaluator::tooLong(const std::string& text) {
    if (text.size() <= lengthLimit_) return false;
    feedback_.showMessage(std::string(kTooLong), std::string(kEvaluateTitle), MessageIcon::Information);
    EvalAborted = true;
    return true;
}

// The rewriting: makes every operation explicit. False after an error.
bool Evaluator::rewrite(bool& interpreted) {
    std::string& text = EvalText;
    replaceAll(text, ")(", ")*(");
    InsertImplicitProducts();
    if (tooLong(text)) return false;

    // Pi in any letter case. The replacement cannot form a new "pi" with its
    // neighbours, so one pass replaces every occurrence.
    {
        const std::string pi = toInternal(piText_);
        std::string out;
        std::size_t pos = 0;
        for (std::size_t i = 0; i + 1 < text.size(); ++i) {
            if (upper(text[i]) == 'P' && upper(text[i + 1]) == 'I') {
                out.append(text, pos, i - pos);
                out += pi;
                pos = i + 2;
                ++i;
                interpreted = true;
            }
        }
        if (pos > 0) {
            out.append(text, pos, std::string::npos);
            text = std::move(out);
        }
        if (tooLong(text)) return false;
    }

    // Each substitution continues after the value it put in, so a variable
    // whose text holds a variable letter cannot make this loop endless.
    const char letters[3] = {'X', 'Y', 'Z'};
    for (int index = 0; index < 3; ++index) {
        std::size_t from = 0;
        while ((from = SubstituteVariable(letters[index], index, from)) != std::string::npos) {
            interpreted = true;
            if (tooLong(text)) return false;
        }
    }

    // Postfix percent: n% becomes (n/100), n being the characters back to
    // the nearest operator or parenthesis. Everything before a rewritten
    // "%" is final, so the text is rebuilt in one pass.
    if (text.find('%') != std::string::npos) {
        std::string out;
        std::size_t pos = 0;
        for (std::size_t q; (q = text.find('%', pos)) != std::string::npos; pos = q + 1) {
            out.append(text, pos, q - pos);
            const std::size_t k = out.find_last_of("-+*/\\^()");
            std::size_t open = k == std::string::npos ? 0 : k + 1;
            // Right after a ")" the whole bracket is the operand: (5+3)% is
            // ((5+3)/100), X% is ((X)/100).
            if (k != std::string::npos && k + 1 == out.size() && out[k] == ')') {
                int depth = 0;
                for (std::size_t i = k + 1; i-- > 0;) {
                    if (out[i] == ')') ++depth;
                    else if (out[i] == '(' && --depth == 0) {
                        open = i;
                        break;
                    }
                }
            }
            out.insert(open, 1, '(');
            out += "/100)";
            if (out.size() > lengthLimit_) break;
        }
        if (pos < text.size()) out.append(text, pos, std::string::npos);
        text = std::move(out);
        interpreted = true;
        if (tooLong(text)) return false;
    }

    InsertImplicitProducts();
    return !tooLong(text);
}

// The group table. Scanning left to right with a stack finds the
// same pairs, in the same order, as taking the first "(" and its closing
// ")" again and again; each group's content is the text between its own
// pair, because the pairs removed before it either enclose it or lie to its
// left.
bool Evaluator::buildGroups(std::string& text) {
    rewritten_ = text;
    groups_.clear();
    spans_.clear();
    groups_.push_back({1, static_cast<int>(rewritten_.size()), rewritten_, {}});
    spans_.push_back({0, rewritten_.size(), {}, 0});

    std::vector<std::size_t> open;
    bool unmatchedClose = false;
    for (std::size_t i = 0; i < rewritten_.size(); ++i) {
        const char c = rewritten_[i];
        if (c == '(') {
            const std::size_t record = groups_.size();
            const std::size_t depth = open.size();
            spans_[open.empty() ? 0 : open.back()].children.push_back(record);
            // Characters removed before it: the "(" of every earlier group
            // and the ")" of those already closed.
            const std::size_t removed = 2 * (record - 1) - depth;
            groups_.push_back({static_cast<int>(i + 1 - removed), 0, {}, {}});
            spans_.push_back({i, 0, {}, removed});
            open.push_back(record);
        } else if (c == ')') {
            if (open.empty()) {
                unmatchedClose = true;
                continue;
            }
            const std::size_t record = open.back();
            open.pop_back();
            Span& span = spans_[record];
            span.close = i;
            groups_[record].EndPos = static_cast<int>(i + 1 - span.removed);
            groups_[record].Text = std::string_view(rewritten_).substr(span.open + 1, i - span.open - 1);
        }
    }
    std::string t;
    if (!open.empty()) {
        fail(t, std::string(kMissingClose), std::string(kEvaluateTitle), MessageIcon::Information);
        return false;
    }
    if (unmatchedClose) {
        fail(t, std::string(kMissingOpen), std::string(kEvaluateTitle), MessageIcon::Information);
        return false;
    }
    std::string stripped;
    stripped.reserve(text.size());
    for (char c : text)
        if (c != '(' && c != ')') stripped += c;
    text = std::move(stripped);
    return true;
}

// Evaluates one record: its nested groups replaced by their values, then
// powers, products and sums, each leftmost first.
bool Evaluator::reduceGroup(std::size_t index) {
    const Span& span = spans_[index];
    const std::size_t begin = index == 0 ? 0 : span.open + 1;
    const std::size_t end = index == 0 ? rewritten_.size() : span.close;
    std::string t;
    t.reserve(end - begin);
    std::size_t pos = begin;
    for (std::size_t child : span.children) {
        const Span& c = spans_[child];
        t.append(rewritten_, pos, c.open - pos);
        if (!t.empty() && !IsOperatorChar(t.back())) t += '*';
        const std::string& value = groups_[child].Result;
        if (!value.empty() && value[0] == '-') {
            t += kValueSign;
            t.append(value, 1);
        } else {
            t += value;
        }
        pos = c.close + 1;
        if (pos < end && !IsOperatorChar(rewritten_[pos])) t += '*';
    }
    t.append(rewritten_, pos, end - pos);

    collapseSigns(t, true);
    while (DoPowers(t) && !EvalAborted) {}
    if (EvalAborted) return false;
    std::replace(t.begin(), t.end(), kValueSign, '-');
    collapseSigns(t, false);
    while (DoProducts(t) && !EvalAborted) {}
    if (EvalAborted) return false;
    while (DoSums(t) && !EvalAborted) {}
    if (EvalAborted) return false;
    groups_[index].Result = std::move(t);
    return true;
}

// The final value. It goes into the calculator's readout, which only keeps
// digits, signs and the decimal symbol; a value left in another form (a
// lone number such as 1E+3 or 007, or text that never met an operator) is
// therefore written out as the decimal number it stands for, or refused.
bool Evaluator::finish(std::string& result) {
    result = groups_.front().Result;
    if (result.empty()) return true;
    try {
        result = arithmetic_ ? arithmetic_->finish(result)
                             : engine::Decimal::parse(result, parseSymbols_).toString(parseSymbols_.decimal);
        groups_.front().Result = result;
        return true;
    } catch (const engine::DecimalOverflow&) {
        fail(result, std::string(kInvalidValues), std::string(kEvaluateTitle), MessageIcon::Information);
    } catch (const ArithmeticError& e) {
        fail(result, e.what(), std::string(kEvaluateTitle), MessageIcon::Information);
    } catch (const engine::DecimalError& e) {
        reportError(Step::Products, e.errorNumber(), e.what());
        result.clear();
        EvalAborted = true;
    }
    return false;
}

std::string Evaluator::evaluate(std::string_view text) {
    EvalText = std::string(text);
    return GetBrackets(EvalText);
}

std::string Evaluator::GetBrackets(std::string& text) {
    EvalAborted = false;
    editRequest_ = EditRequest::None;
    InterpretedText.clear();
    groups_.clear();
    spans_.clear();
    rewritten_.clear();
    std::string result;
    try {
        if (tooLong(text)) return {};
        EvalText = toInternal(text);
        if (EvalText.find(kValueSign) != std::string::npos) {
            // The reduction's own marker cannot be typed; it is no number.
            const engine::DecimalTypeMismatch mismatch;
            reportError(Step::Products, mismatch.errorNumber(), mismatch.what());
            EvalAborted = true;
            return {};
        }
        bool interpreted = false;
        if (!rewrite(interpreted)) {
            text = shown(EvalText);
            return {};
        }
        InterpretedText = shown(EvalText);

        if (confirm_ && interpreted) {
            const MessageResult answer = feedback_.showMessage(
                "Your expression was interpreted as: \r\r" + InterpretedText +
                    "\r\rIs this acceptable?\rY=Process, N=Edit Interpreted, C=Edit Original",
                std::string(kConfirmTitle), MessageIcon::Information, MessageButtons::YesNoCancel);
            if (answer == MessageResult::No) {
                editRequest_ = EditRequest::EditInterpreted;
                EvalAborted = true;
            } else if (answer == MessageResult::Cancel) {
                editRequest_ = EditRequest::EditOriginal;
                EvalAborted = true;
            }
            if (EvalAborted) {
                text = InterpretedText;
                return {};
            }
        }

        if (buildGroups(EvalText)) {
            bool ok = true;
            for (std::size_t i = groups_.size(); ok && i-- > 0;) ok = reduceGroup(i);
            if (ok) finish(result);
        }
    } catch (const std::bad_alloc&) {
        feedback_.showMessage("Error: Out of memory [7]", std::string(kEvaluateTitle),
                              MessageIcon::Information);
        EvalAborted = true;
        result.clear();
    }
    text = shown(EvalText);
    return EvalAborted ? std::string() : toExternal(result);
}

}  // namespace zorv::expr
