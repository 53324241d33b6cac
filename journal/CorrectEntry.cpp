#include "CorrectEntry.h"

#include <algorithm>
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

bool isTapeOperator(char c) { return c == '+' || c == '-' || c == 'X' || c == '/' || c == '='; }

// Reads "1,234.50+ >3< corrected, was 2.00" and the like.
std::optional<ChainEntry> readEntry(const engine::CalculatorModel& model, const std::string& line) {
    ChainEntry e;
    std::string t = engine::text::trim(line);
    if (const auto at = t.find(kWasMark); at != std::string::npos) {
        e.was = t.substr(at + kWasMark.size());
        t.erase(at);
    } else if (t.ends_with(kVoidMark)) {
        e.voided = true;
        t.erase(t.size() - kVoidMark.size());
    }
    if (t.ends_with("<")) {
        const auto open = t.rfind(" >");
        if (open == std::string::npos) return std::nullopt;
        e.itemText = t.substr(open);
        t.erase(open);
    }
    if (t.size() < 2 || !isTapeOperator(t.back())) return std::nullopt;
    e.op = t.back();
    const std::string number = t.substr(0, t.size() - 1);
    if (number.find_first_not_of("0123456789-" + model.decimalSymbol() + model.format().thousandSymbol()) != std::string::npos)
        return std::nullopt;
    try {
        e.amount = model.toDecimal(number);
    } catch (const engine::DecimalError&) {
        return std::nullopt;
    }
    return e;
}

std::string entryText(const engine::CalculatorModel& model, const ChainEntry& e) {
    std::string out = engine::tapeNumber(model, e.amount) + e.op + e.itemText;
    if (e.voided) out += kVoidMark;
    else if (!e.was.empty()) out += std::string(kWasMark) + e.was;
    return out;
}

// Foots the entries as the operator keys do: each entry's operator applies
// to the next entry that is not void. `totals` gets the running total after
// each entry. Returns the error text when it cannot be done.
std::string foot(const std::vector<ChainEntry>& entries, std::vector<Decimal>& totals, Decimal& total, char& pending) {
    totals.assign(entries.size(), Decimal());
    total = Decimal();
    pending = 0;
    bool first = true;
    try {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const ChainEntry& e = entries[i];
            if (!e.voided) {
                if (first) total = e.amount;
                else if (pending == '+') total = total + e.amount;
                else if (pending == '-') total = total - e.amount;
                else if (pending == 'X') total = total * e.amount;
                else if (pending == '/') {
                    if (e.amount.isZero()) return "With that amount the calculation divides by zero; nothing was changed.";
                    total = total / e.amount;
                } else if (pending == '=') total = e.amount;
                first = false;
                pending = e.op;
            }
            totals[i] = total;
        }
    } catch (const engine::DecimalError&) {
        return "With that amount the calculation overflows; nothing was changed.";
    }
    return {};
}

std::string refusedModes(const engine::CalculatorModel& model) {
    const engine::Modes& m = model.modes();
    if (m.addingMachine || m.magicNumber || m.rpn)
        return "Correct Entry re-foots calculations keyed with the ordinary operator keys; switch off "
               "Adding Machine, Constant (magic number) and RPN mode first.";
    return {};
}

CorrectionResult apply(const engine::CalculatorModel& model, const std::string& tapeText, LastCalculation chain,
                       const std::vector<engine::TapeEntry>* record, const Correction& c) {
    CorrectionResult r;
    r.fromRecord = chain.fromRecord;
    if (!chain.error.empty()) {
        r.error = chain.error;
        return r;
    }
    auto& entries = chain.entries;
    if (c.entry < 1 || c.entry > static_cast<int>(entries.size())) {
        r.error = "The last calculation has entries 1 to " + std::to_string(entries.size()) + ".";
        return r;
    }
    {
        std::vector<Decimal> before;
        char pending = 0;
        foot(entries, before, r.previousTotal, pending);
    }
    ChainEntry& target = entries[static_cast<std::size_t>(c.entry - 1)];
    if (c.op) {
        if (target.op == '=') {
            r.error = "The entry with the total keeps its =; change its amount or void it.";
            return r;
        }
        if (LastCalculation::operatorsFor(target).find(*c.op) == std::string::npos) {
            r.error = "An entry's operator can be changed to +, -, X or /.";
            return r;
        }
    }
    if (target.was.empty()) target.was = engine::tapeNumber(model, target.amount);
    if (c.op && *c.op != target.op) {
        if (!isTapeOperator(target.was.back())) target.was += target.op;
        target.op = *c.op;
    }
    if (c.amount) {
        target.amount = *c.amount;
        target.voided = false;
    } else if (c.voids()) {
        target.voided = true;
    }
    std::vector<Decimal> totals;
    char pending = 0;
    if (auto error = foot(entries, totals, r.total, pending); !error.empty()) {
        r.error = error;
        return r;
    }
    r.open = chain.open;
    if (r.open && pending != 0) r.pendingOp = pending;

    std::vector<std::string> lines = history::splitLines(tapeText);
    if (target.line >= lines.size() || (chain.resultLine && *chain.resultLine >= lines.size())) {
        r.error = "The tape no longer matches its calculation; nothing was changed.";
        return r;
    }
    if (chain.resultLine && engine::text::trim(lines[*chain.resultLine - 1]) != engine::kTotalRule) {
        r.error = "The tape no longer matches its calculation; nothing was changed.";
        return r;
    }
    lines[target.line] = entryText(model, target);
    if (chain.resultLine) lines[*chain.resultLine] = engine::tapeTotal(model, model.toText(r.total)) + std::string(kCorrectedMark);
    std::size_t size = 0;
    for (const auto& l : lines) size += l.size() + 2;
    r.text.reserve(size);
    for (const auto& l : lines) {
        r.text += l;
        r.text += "\r\n";
    }
    if (record) {
        r.record = *record;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            engine::TapeEntry& t = r.record[entries[i].record];
            t.amount = entries[i].amount;
            t.op = entries[i].op;
            t.voided = entries[i].voided;
            t.was = entries[i].was;
            t.total = totals[i];
        }
    }
    return r;
}

}  // namespace

int LastCalculation::entryAtLine(std::size_t line) const {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].line == line) return static_cast<int>(i + 1);
    return 0;
}

LastCalculation lastCalculationInText(const engine::CalculatorModel& model, const std::string& tapeText) {
    LastCalculation chain;
    const std::vector<std::string> lines = history::splitLines(tapeText);
    // The last calculation: back from the end over an optional total block
    // and then over entry lines, up to the block or banner before it.
    std::size_t end = lines.size();
    if (end >= 3 && engine::text::trim(lines[end - 1]) == engine::kTotalEnd &&
        engine::text::trim(lines[end - 3]) == engine::kTotalRule) {
        chain.resultLine = end - 2;
        end -= 3;
    }
    std::size_t begin = end;
    std::vector<ChainEntry> found;
    while (begin > 0) {
        auto e = readEntry(model, lines[begin - 1]);
        if (!e) break;
        if (e->op == '=' && begin != end) break;  // the "=" of an earlier calculation
        e->line = begin - 1;
        found.push_back(std::move(*e));
        --begin;
    }
    std::reverse(found.begin(), found.end());
    chain.entries = std::move(found);
    if (chain.entries.empty()) {
        chain.error = "There is no calculation on the tape to correct.";
        return chain;
    }
    chain.open = chain.entries.back().op != '=';
    if (chain.open) chain.resultLine.reset();
    if (auto refused = refusedModes(model); !refused.empty()) chain.error = refused;
    return chain;
}

LastCalculation lastCalculation(const engine::CalculatorModel& model, const engine::Tape& tape) {
    const auto& record = tape.entries();
    if (record.empty()) return lastCalculationInText(model, tape.text());
    const engine::TapeEntry& last = record.back();
    // A closed calculation stays as its total block printed it, whatever
    // followed. An open one is the calculator's own only while nothing else
    // moved it on since its last entry: no C, no other key changing the
    // running total or the pending operator; a note or report between is
    // no matter. Otherwise the text is read, as for a tape without record.
    const bool open = last.op != '=';
    if (open) {
        const auto state = model.chainState();
        if (!tape.chainOpen() || model.tapeItem() != last.item || state.runningTotal != last.total ||
            state.opFlag != std::string(1, last.op))
            return lastCalculationInText(model, tape.text());
    } else if (last.line + 4 > tape.lineCount()) {
        return lastCalculationInText(model, tape.text());
    }

    LastCalculation chain;
    chain.fromRecord = true;
    chain.error = refusedModes(model);
    chain.open = open;
    if (!open) chain.resultLine = last.line + 2;
    std::size_t first = record.size();
    while (first > 0 && record[first - 1].chain == last.chain) --first;
    for (std::size_t i = first; i < record.size(); ++i) {
        const engine::TapeEntry& t = record[i];
        ChainEntry e;
        e.line = t.line;
        e.amount = t.amount;
        e.op = t.op;
        if (t.itemShown) e.itemText = " >" + std::to_string(t.item) + "<";
        e.voided = t.voided;
        e.was = t.was;
        e.record = i;
        chain.entries.push_back(std::move(e));
    }
    // The keys footed the chain as recorded; when the ordinary footing does
    // not give the same totals, other keys took part (adding-machine or
    // constant mode, a percentage) and a re-footing would be wrong.
    std::vector<Decimal> totals;
    Decimal total;
    char pending = 0;
    bool same = foot(chain.entries, totals, total, pending).empty();
    for (std::size_t i = 0; same && i < chain.entries.size(); ++i)
        if (!chain.entries[i].voided && totals[i] != record[first + i].total) same = false;
    if (!same && chain.error.empty())
        chain.error = "The last calculation was keyed with keys a correction cannot redo (Adding Machine, "
                      "Constant or RPN mode); key it again instead.";
    return chain;
}

CorrectionResult correctLastCalculation(const engine::CalculatorModel& model, const std::string& tapeText,
                                        const Correction& c) {
    return apply(model, tapeText, lastCalculationInText(model, tapeText), nullptr, c);
}

CorrectionResult correctLastCalculation(const engine::CalculatorModel& model, const engine::Tape& tape,
                                        const Correction& c) {
    LastCalculation chain = lastCalculation(model, tape);
    const bool fromRecord = chain.fromRecord;
    return apply(model, tape.text(), std::move(chain), fromRecord ? &tape.entries() : nullptr, c);
}

bool correctEntry(engine::CalculatorModel& model, const Correction& c) {
    CorrectionResult r = correctLastCalculation(model, model.tape(), c);
    if (!r.error.empty()) {
        model.feedback().showMessage(r.error, std::string(engine::kProductName), engine::MessageIcon::Exclamation);
        return false;
    }
    engine::Tape& tape = model.tape();
    if (r.fromRecord) tape.replace(std::move(r.text), std::move(r.record), tape.chainOpen());
    else tape.setText(std::move(r.text));
    if (!r.open && model.onTotalCorrected) {
        // The totals as the calculator printed them (rounded to the
        // financial places), which is what a grand total adds up.
        auto printed = [&model](const Decimal& value) {
            std::string text = model.format().withDecimalSymbol(model.toText(value));
            if (model.modes().financial) text = model.format().financial(text);
            return model.toDecimal(text);
        };
        try {
            model.onTotalCorrected(printed(r.previousTotal), printed(r.total));
        } catch (const engine::DecimalError&) {
        }
    }
    if (!r.open) {
        // The readout still showing that total (nothing keyed since "=")
        // carries the corrected one into the next calculation instead.
        const engine::CalculatorModel::ChainState s = model.chainState();
        if (model.modes().carryResult && s.opFlag == "=" && s.entryState == "OPS") {
            std::string readout = model.format().withDecimalSymbol(model.toText(r.total));
            if (model.modes().financial) readout = model.format().financial(readout);
            model.setReadout(readout);
        }
    } else {
        model.refootRunningTotal(r.total);
        if (r.pendingOp) {
            engine::CalculatorModel::ChainState s = model.chainState();
            if (s.opFlag != std::string(1, *r.pendingOp)) {
                s.opFlag = std::string(1, *r.pendingOp);
                model.restoreChainState(s);
            }
        }
    }
    return true;
}

int entryNumber(const std::string& text) {
    std::string t = engine::text::trim(text);
    if (t.starts_with("Entry")) t = engine::text::trim(t.substr(5));
    if (t.empty() || t.size() > 6 || t.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::stoi(t);
}

namespace {
struct TypedOperator {
    std::string_view text;
    char op;
};
constexpr TypedOperator kTypedOperators[] = {
    {"+", '+'}, {"-", '-'}, {"\xe2\x88\x92", '-'}, {"X", 'X'}, {"x", 'X'}, {"*", 'X'},
    {"\xc3\x97", 'X'}, {"/", '/'}, {"\xc3\xb7", '/'}};
}  // namespace

char tapeOperator(std::string_view typed) {
    for (const auto& t : kTypedOperators)
        if (typed == t.text) return t.op;
    return 0;
}

std::optional<Correction> parseCorrectionAnswer(const engine::CalculatorModel& model, const std::string& answer,
                                                int entry, std::string* error) {
    Correction c;
    c.entry = entry;
    std::string t = engine::text::trim(answer);
    std::string lower = t;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    if (lower == "void") return c;
    for (const auto& typed : kTypedOperators) {
        if (t.ends_with(typed.text)) {
            c.op = typed.op;
            t = engine::text::trim(t.substr(0, t.size() - typed.text.size()));
            break;
        }
    }
    if (t.empty()) {
        if (c.op) return c;
        if (error) *error = "Give the new amount, an operator or void.";
        return std::nullopt;
    }
    try {
        c.amount = model.toDecimal(t);
    } catch (const engine::DecimalError&) {
        if (error) *error = "Invalid value!";
        return std::nullopt;
    }
    return c;
}

}  // namespace zorv::journal
