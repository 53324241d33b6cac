#include "TapeExport.h"

#include "engine/AtomicFile.h"
#include "engine/Decimal.h"
#include "engine/TapeNumber.h"
#include "engine/TextUtil.h"
#include "journal/TapeHistory.h"

namespace zorv::journal {

namespace {

using engine::Decimal;

// The marks an entry line can end with, longest first.
constexpr std::string_view kMarks[] = {"TAX+", "TAX-", "COST", "SELL", "MARGIN%", "GT",
                                       "+", "-", "X", "/", "="};

std::optional<Decimal> number(std::string_view text, const engine::NumberSymbols& symbols) {
    const std::string t = engine::text::trim(text);
    if (t.empty()) return std::nullopt;
    for (char c : t)
        if (!((c >= '0' && c <= '9') || c == '-' || c == ' ' || symbols.decimal.find(c) != std::string::npos ||
              symbols.thousand.find(c) != std::string::npos))
            return std::nullopt;
    try {
        return Decimal::parse(t, symbols);
    } catch (const engine::DecimalError&) {
        return std::nullopt;
    }
}

struct Entry {
    Decimal amount;
    std::string mark;
    std::string item;  // from " >N<", may be empty
};

// "1,234.50+ >3<" -> amount, mark and item.
std::optional<Entry> entryLine(std::string line, const engine::NumberSymbols& symbols) {
    Entry e;
    if (line.ends_with("<")) {
        const auto open = line.rfind(" >");
        if (open == std::string::npos) return std::nullopt;
        e.item = line.substr(open + 2, line.size() - open - 3);
        if (e.item.empty() || e.item.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
        line.erase(open);
    }
    for (std::string_view mark : kMarks) {
        if (!line.ends_with(mark) || line.size() == mark.size()) continue;
        const auto value = number(std::string_view(line).substr(0, line.size() - mark.size()), symbols);
        if (!value) continue;
        e.amount = *value;
        e.mark = std::string(mark);
        return e;
    }
    return std::nullopt;
}

std::string csvField(const std::string& field, char separator, bool text = true) {
    std::string f = field;
    if (text && !f.empty() && (f[0] == '=' || f[0] == '+' || f[0] == '-' || f[0] == '@')) f.insert(0, "'");
    if (separator == '\t') {
        for (char& c : f)
            if (c == '\t' || c == '\r' || c == '\n') c = ' ';
        return f;
    }
    if (f.find_first_of(",\"\r\n") == std::string::npos) return f;
    std::string out = "\"";
    for (char c : f) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

std::vector<TapeRow> tapeRows(const std::string& tapeText, const engine::NumberSymbols& symbols) {
    std::vector<TapeRow> rows;
    const auto lines = history::splitLines(tapeText);
    Decimal total;
    std::string pendingOp;  // the operator the next entry is applied with
    int counted = 0;
    bool afterRule = false;  // the line after "------" is the result of "="
    for (const std::string& raw : lines) {
        const std::string line = engine::text::trim(raw);
        if (line == engine::kTotalRule) {
            afterRule = true;
            continue;
        }
        if (line == engine::kTotalEnd || line.empty()) {
            afterRule = false;
            continue;
        }
        if (afterRule) {
            afterRule = false;
            std::string result = line;
            if (result.ends_with(" corrected")) result.erase(result.size() - 10);
            // The printed result is the total of the "=" row above it.
            if (const auto value = number(result, symbols); value && !rows.empty()) {
                rows.back().total = value->toString(".");
                continue;
            }
        }
        // A corrected entry keeps its first amount in a note; a void one
        // counts for nothing.
        std::string entryPart = line, remark;
        if (const auto at = line.find(" corrected, was "); at != std::string::npos) {
            entryPart = line.substr(0, at);
            remark = line.substr(at + 1);
        } else if (line.ends_with(" void")) {
            entryPart = line.substr(0, line.size() - 5);
            remark = "void";
        }
        const auto entry = entryLine(entryPart, symbols);
        if (entry && remark == "void") {
            TapeRow row;
            row.item = entry->item.empty() ? std::to_string(++counted) : entry->item;
            row.amount = entry->amount.toString(".");
            row.op = entry->mark;
            row.total = total.toString(".");
            row.note = remark;
            rows.push_back(row);
            if (pendingOp.empty() || entry->mark == "=") pendingOp = entry->mark == "=" ? pendingOp : pendingOp;
            continue;
        }
        if (!entry) {
            TapeRow note;
            note.note = line;
            rows.push_back(note);
            if (line == "Clear") {
                total = Decimal();
                pendingOp.clear();
                counted = 0;
            }
            continue;
        }
        ++counted;
        try {
            if (pendingOp.empty()) total = entry->amount;
            else if (pendingOp == "+") total = total + entry->amount;
            else if (pendingOp == "-") total = total - entry->amount;
            else if (pendingOp == "X") total = total * entry->amount;
            else if (pendingOp == "/" && !entry->amount.isZero()) total = total / entry->amount;
        } catch (const engine::DecimalError&) {
        }
        TapeRow row;
        row.item = entry->item.empty() ? std::to_string(counted) : entry->item;
        row.amount = entry->amount.toString(".");
        row.op = entry->mark;
        row.total = total.toString(".");
        row.note = remark;
        rows.push_back(row);
        const std::string& m = entry->mark;
        if (m == "=" || m == "GT") {
            pendingOp.clear();
            counted = 0;
        } else if (m == "+" || m == "-" || m == "X" || m == "/") {
            pendingOp = m;
        } else {
            // A business key's line stands for itself: its amount is its result.
            row.total = row.amount;
            rows.back() = row;
        }
    }
    return rows;
}

std::string exportTape(const std::string& tapeText, const engine::NumberSymbols& symbols, ExportFormat format) {
    if (format == ExportFormat::Text) return tapeText;
    const char sep = format == ExportFormat::Csv ? ',' : '\t';
    const std::string end = format == ExportFormat::Csv ? "\r\n" : "\n";
    std::string out = std::string("item") + sep + "amount" + sep + "operator" + sep + "running total" + sep + "note" + end;
    for (const TapeRow& r : tapeRows(tapeText, symbols)) {
        out += r.item + sep + r.amount + sep + csvField(r.op, sep, false) + sep + r.total + sep +
               csvField(r.note, sep) + end;
    }
    return out;
}

std::optional<std::string> writeExport(const std::string& path, const std::string& contents) {
    if (engine::text::trim(path).empty()) return std::string("No file name was given.");
    return engine::atomicfile::write(path, contents);
}

PastedColumn readPastedColumn(const std::string& text, const engine::NumberSymbols& symbols) {
    PastedColumn out;
    Decimal sum;
    const auto lines = history::splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string t = engine::text::trim(lines[i]);
        // Currency signs anywhere on the line; blanks and no-break spaces.
        for (std::string_view sign : {std::string_view("\xE2\x82\xAC"), std::string_view("\xC2\xA3"),
                                      std::string_view("\xC2\xA5"), std::string_view("\xC2\xA0"),
                                      std::string_view("$"), std::string_view("\t"),
                                      std::string_view(symbols.currency)}) {
            if (sign.empty()) continue;
            for (auto p = t.find(sign); p != std::string::npos; p = t.find(sign)) t.erase(p, sign.size());
        }
        t = engine::text::trim(t);
        if (t.empty()) continue;
        bool negative = false;
        if (t.size() >= 2 && t.front() == '(' && t.back() == ')') {
            negative = true;
            t = engine::text::trim(t.substr(1, t.size() - 2));
        }
        const auto value = number(t, symbols);
        if (!value || t.find_first_of("0123456789") == std::string::npos) {
            out.error = "Line " + std::to_string(i + 1) + " is not a number: " + engine::text::trim(lines[i]);
            out.values.clear();
            return out;
        }
        const Decimal v = negative ? -*value : *value;
        try {
            sum = sum + v;
        } catch (const engine::DecimalError&) {
            out.error = "Line " + std::to_string(i + 1) + " makes the sum too large.";
            out.values.clear();
            return out;
        }
        out.values.push_back(v.toString("."));
    }
    if (out.values.empty()) out.error = "There are no numbers to paste.";
    out.sum = sum.toString(".");
    return out;
}

}  // namespace zorv::journal
