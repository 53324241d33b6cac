#include "CorrectEntry.h"

#include <vector>

#include "engine/TapeNumber.h"
#include "engine/TextUtil.h"
#include "journal/TapeHistory.h"

namespace zorv::journal {

using engine::Decimal;

namespace {

constexpr std::string_view kVoidMark = " void";
constexpr std::string_view kCorrectedMark = " corrected";
constexpr std::string_view kWasMark = " corrected, was ";

struct Line {
    std::string text;
    bool entry = false;
    Decimal amount;
    std::string op;    // + - X / =
    std::string item;  // " >N<" as written, or empty
    bool voided = false;
    std::string was;   // the first amount, once corrected
};

// Reads "1,234.50+ >3< corrected, was 2.00" and the like.
bool readEntry(const engine::CalculatorModel& model, Line& l) {
    std::string t = engine::text::trim(l.text);
    if (const auto at = t.find(kWasMark); at != std::string::npos) {
        l.was = t.substr(at + kWasMark.size());
        t.erase(at);
    } else if (t.ends_with(kVoidMark)) {
        l.voided = true;
        t.erase(t.size() - kVoidMark.size());
    }
    if (t.ends_with("<")) {
        const auto open = t.rfind(" >");
        if (open == std::string::npos) return false;
        l.item = t.substr(open);
        t.erase(open);
    }
    if (t.size() < 2) return false;
    const char op = t.back();
    if (op != '+' && op != '-' && op != 'X' && op != '/' && op != '=') return false;
    const std::string number = t.substr(0, t.size() - 1);
    if (number.find_first_not_of("0123456789-" + model.decimalSymbol() + model.format().thousandSymbol()) != std::string::npos)
        return false;
    try {
        l.amount = model.toDecimal(number);
    } catch (const engine::DecimalError&) {
        return false;
    }
    l.op = std::string(1, op);
    l.entry = true;
    return true;
}

std::string entryText(const engine::CalculatorModel& model, const Line& l) {
    std::string out = engine::tapeNumber(model, l.amount) + l.op + l.item;
    if (l.voided) out += kVoidMark;
    else if (!l.was.empty()) out += std::string(kWasMark) + l.was;
    return out;
}

}  // namespace

int entryNumber(const std::string& text) {
    std::string t = engine::text::trim(text);
    if (t.starts_with("Entry")) t = engine::text::trim(t.substr(5));
    if (t.empty() || t.size() > 6 || t.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::stoi(t);
}

CorrectionResult correctLastCalculation(const engine::CalculatorModel& model, const std::string& tapeText,
                                        const Correction& c) {
    CorrectionResult r;
    std::vector<Line> lines;
    for (auto& t : history::splitLines(tapeText)) lines.push_back({t});
    // The last calculation: back from the end over an optional total block
    // and then over entry lines, up to the block or banner before it.
    std::size_t end = lines.size();
    std::size_t resultLine = std::string::npos;
    if (end >= 3 && engine::text::trim(lines[end - 1].text) == engine::kTotalEnd &&
        engine::text::trim(lines[end - 3].text) == engine::kTotalRule) {
        resultLine = end - 2;
        end -= 3;
    }
    std::size_t begin = end;
    while (begin > 0) {
        Line& l = lines[begin - 1];
        if (!readEntry(model, l)) break;
        if (l.op == "=" && begin != end) {  // the "=" of an earlier calculation
            l.entry = false;
            break;
        }
        --begin;
    }
    std::vector<Line*> entries;
    for (std::size_t i = begin; i < end; ++i)
        if (lines[i].entry) entries.push_back(&lines[i]);
    if (entries.empty()) {
        r.error = "There is no calculation on the tape to correct.";
        return r;
    }
    if (c.entry < 1 || c.entry > static_cast<int>(entries.size())) {
        r.error = "The last calculation has entries 1 to " + std::to_string(entries.size()) + ".";
        return r;
    }
    r.open = entries.back()->op != "=";
    if (resultLine != std::string::npos && r.open) resultLine = std::string::npos;
    Line& target = *entries[static_cast<std::size_t>(c.entry - 1)];
    if (target.was.empty() && !target.voided) target.was = engine::tapeNumber(model, target.amount);
    if (c.amount) {
        target.amount = *c.amount;
        target.voided = false;
    } else {
        target.voided = true;
    }
    // Foot again: each entry's operator applies to the next entry that is
    // not void, as the operator keys do.
    Decimal total;
    std::string pending;
    bool first = true;
    try {
        for (Line* l : entries) {
            if (l->voided) continue;
            if (first) total = l->amount;
            else if (pending == "+") total = total + l->amount;
            else if (pending == "-") total = total - l->amount;
            else if (pending == "X") total = total * l->amount;
            else if (pending == "/") {
                if (l->amount.isZero()) {
                    r.error = "With that amount the calculation divides by zero; nothing was changed.";
                    return r;
                }
                total = total / l->amount;
            } else if (pending == "=") total = l->amount;
            first = false;
            pending = l->op;
        }
    } catch (const engine::DecimalError&) {
        r.error = "With that amount the calculation overflows; nothing was changed.";
        return r;
    }
    r.total = total;
    target.text = entryText(model, target);
    if (resultLine != std::string::npos) {
        std::string result = engine::tapeTotal(model, model.toText(total));
        lines[resultLine].text = result + std::string(kCorrectedMark);
    }
    for (const Line& l : lines) r.text += l.text + "\r\n";
    return r;
}

void correctEntry(engine::CalculatorModel& model, const Correction& c) {
    const CorrectionResult r = correctLastCalculation(model, model.tape().text(), c);
    if (!r.error.empty()) {
        model.feedback().showMessage(r.error, std::string(engine::kProductName), engine::MessageIcon::Exclamation);
        return;
    }
    model.tape().setText(r.text);
    if (r.open) model.refootRunningTotal(r.total);
}

}  // namespace zorv::journal
