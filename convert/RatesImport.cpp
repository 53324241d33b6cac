#include "convert/RatesImport.h"

#include <algorithm>
#include <map>

#include "convert/RatesText.h"

namespace zorv::convert {

using engine::Decimal;
using namespace rates_text;

namespace {

struct XmlAttributes {
    std::map<std::string, std::string, std::less<>> values;
    std::string_view find(std::string_view name) const {
        const auto it = values.find(name);
        return it == values.end() ? std::string_view{} : std::string_view(it->second);
    }
    bool has(std::string_view name) const { return values.find(name) != values.end(); }
};

}  // namespace

LoadedRates readEcbXml(std::string_view xml) {
    LoadedRates result;
    ExchangeRates& rates = result.rates;
    rates.setBase("EUR", "Euro");
    std::map<std::string, int> seen;
    int line = 1;
    std::size_t counted = 0;
    auto lineAt = [&](std::size_t pos) {
        line += static_cast<int>(std::count(xml.begin() + counted, xml.begin() + pos, '\n'));
        counted = pos;
        return line;
    };
    auto skipPast = [&](std::size_t from, std::string_view end) {
        const std::size_t p = xml.find(end, from);
        return p == std::string_view::npos ? xml.size() : p + end.size();
    };

    bool haveDay = false;
    std::size_t pos = 0;
    while ((pos = xml.find('<', pos)) != std::string_view::npos) {
        const std::string_view at = xml.substr(pos);
        if (at.substr(0, 4) == "<!--") { pos = skipPast(pos + 4, "-->"); continue; }
        if (at.substr(0, 9) == "<![CDATA[") { pos = skipPast(pos + 9, "]]>"); continue; }
        if (at.substr(0, 2) == "<?") { pos = skipPast(pos + 2, "?>"); continue; }
        if (at.substr(0, 2) == "<!" || at.substr(0, 2) == "</") { pos = skipPast(pos + 2, ">"); continue; }

        // The element name, without any namespace prefix.
        std::size_t i = pos + 1;
        while (i < xml.size() && !isBlank(xml[i]) && xml[i] != '\n' && xml[i] != '\r' && xml[i] != '/' &&
               xml[i] != '>')
            ++i;
        std::string_view name = xml.substr(pos + 1, i - pos - 1);
        if (const std::size_t colon = name.rfind(':'); colon != std::string_view::npos)
            name.remove_prefix(colon + 1);

        XmlAttributes attributes;
        while (i < xml.size() && xml[i] != '>') {
            const char c = xml[i];
            if (isBlank(c) || c == '\n' || c == '\r' || c == '/') { ++i; continue; }
            std::size_t n = i;
            while (n < xml.size() && xml[n] != '=' && xml[n] != '>' && !isBlank(xml[n]) && xml[n] != '\n')
                ++n;
            std::string key(xml.substr(i, n - i));
            if (const std::size_t colon = key.rfind(':'); colon != std::string::npos) key.erase(0, colon + 1);
            while (n < xml.size() && (isBlank(xml[n]) || xml[n] == '\n' || xml[n] == '\r')) ++n;
            if (n >= xml.size() || xml[n] != '=') { i = n; attributes.values.emplace(key, ""); continue; }
            ++n;
            while (n < xml.size() && (isBlank(xml[n]) || xml[n] == '\n' || xml[n] == '\r')) ++n;
            std::string value;
            if (n < xml.size() && (xml[n] == '\'' || xml[n] == '"')) {
                const char quote = xml[n];
                const std::size_t close = xml.find(quote, n + 1);
                if (close == std::string_view::npos) {
                    i = xml.size();
                    break;
                }
                value = std::string(xml.substr(n + 1, close - n - 1));
                i = close + 1;
            } else {
                std::size_t stop = n;
                while (stop < xml.size() && !isBlank(xml[stop]) && xml[stop] != '>' && xml[stop] != '\n') ++stop;
                value = std::string(xml.substr(n, stop - n));
                i = stop;
            }
            attributes.values.emplace(std::move(key), std::move(value));
        }
        const std::size_t tagStart = pos;
        // A reply cut off inside an element must not give a rate cut short.
        if (i >= xml.size()) break;
        pos = i + 1;
        if (name != "Cube") continue;

        if (attributes.has("time")) {
            // A file of several days lists the newest first; read only it.
            if (haveDay) break;
            haveDay = true;
            if (const std::optional<Date> d = parseIsoDate(trimmed(attributes.find("time"))))
                rates.setDate(d);
            else
                result.skipped.push_back({lineAt(tagStart), std::string("the date ") +
                                                                quoted(attributes.find("time")) +
                                                                " is not like 2026-12-07"});
        }
        if (!attributes.has("currency") && !attributes.has("rate")) continue;
        const std::string_view codeText = trimmed(attributes.find("currency"));
        const std::optional<std::string> code = currencyCode(codeText);
        if (!code) {
            result.skipped.push_back({lineAt(tagStart), quoted(codeText) + " is not a three-letter currency code"});
            continue;
        }
        std::string reason;
        const std::optional<Decimal> rate = rateValue(trimmed(attributes.find("rate")), reason);
        if (!rate) {
            result.skipped.push_back({lineAt(tagStart), *code + ": " + reason});
            continue;
        }
        if (const auto it = seen.find(*code); it != seen.end()) {
            result.skipped.push_back({lineAt(tagStart), *code + " is already on line " + std::to_string(it->second)});
            continue;
        }
        if (*code == "EUR" && *rate != Decimal(1)) {
            result.skipped.push_back({lineAt(tagStart), "EUR is the base currency; its rate must be 1"});
            continue;
        }
        seen.emplace(*code, lineAt(tagStart));
        rates.setRate(*code, *rate, currencyName(*code));
    }
    if (seen.empty()) result.skipped.push_back({0, "the file holds no exchange rates"});
    return result;
}

LoadedRates readRatesCsv(std::string_view csv, std::string_view base) {
    LoadedRates result;
    try {
        result.rates.setBase(base, currencyName(base));
    } catch (const RatesError& e) {
        result.skipped.push_back({0, e.what()});
        return result;
    }
    std::map<std::string, int> seen;
    if (csv.substr(0, 3) == "\xEF\xBB\xBF") csv.remove_prefix(3);
    forEachLine(csv, [&](int number, std::string_view raw) {
        auto skip = [&](std::string reason) { result.skipped.push_back({number, std::move(reason)}); };
        if (raw.size() > kMaxRatesLineLength) {
            skip("the line is longer than " + std::to_string(kMaxRatesLineLength) + " characters");
            return;
        }
        if (!isText(raw)) {
            skip("the line is not text");
            return;
        }
        const std::string_view line = trimmed(raw);
        if (line.empty() || line.front() == '#') return;
        const std::size_t sep = line.find_first_of(",;\t");
        const char separator = sep == std::string_view::npos ? ',' : line[sep];
        std::vector<std::string> fields;
        for (std::size_t start = 0;;) {
            const std::size_t end = line.find(separator, start);
            std::string_view field = trimmed(line.substr(start, end == std::string_view::npos ? end : end - start));
            if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
                field = trimmed(field.substr(1, field.size() - 2));
            fields.emplace_back(field);
            if (end == std::string_view::npos || fields.size() == 3) {
                if (end != std::string_view::npos && fields.size() == 3)
                    fields.back() = std::string(trimmed(line.substr(start)));
                break;
            }
            start = end + 1;
        }
        std::string rateText = fields.size() > 1 ? fields[1] : std::string();
        if (separator != ',' && rateText.find('.') == std::string::npos &&
            std::count(rateText.begin(), rateText.end(), ',') == 1)
            std::replace(rateText.begin(), rateText.end(), ',', '.');
        std::string reason;
        const std::optional<std::string> code = currencyCode(fields[0]);
        const std::optional<Decimal> rate = rateValue(rateText, reason);
        if (number == 1 && !code && !rate) return;  // a header line
        if (!code) {
            skip(quoted(fields[0]) + " is not a three-letter currency code");
            return;
        }
        if (!rate) {
            skip(*code + ": " + reason);
            return;
        }
        if (const auto it = seen.find(*code); it != seen.end()) {
            skip(*code + " is already on line " + std::to_string(it->second));
            return;
        }
        try {
            result.rates.setRate(*code, *rate, fields.size() > 2 ? fields[2] : std::string(currencyName(*code)));
        } catch (const RatesError& e) {
            skip(e.what());
            return;
        }
        seen.emplace(*code, number);
    });
    return result;
}

MergeReport mergeImported(ExchangeRates& target, const ExchangeRates& imported) {
    MergeReport report;
    if (imported.base().empty()) return report;
    if (target.base() != imported.base()) {
        const ExchangeRates old = target;
        const std::optional<CurrencyRate> oldBase =
            old.base().empty() ? std::nullopt : imported.find(old.base());
        target = ExchangeRates();
        const std::optional<CurrencyRate> importedBase = imported.find(imported.base());
        const std::optional<CurrencyRate> oldEntry = old.find(imported.base());
        target.setBase(imported.base(), !importedBase->name.empty() ? importedBase->name
                                        : oldEntry                  ? oldEntry->name
                                                                    : std::string());
        for (const CurrencyRate& c : old.currencies()) {
            if (c.code == imported.base() || imported.find(c.code)) continue;
            if (!oldBase) {
                report.dropped.push_back(c.code);
                continue;
            }
            try {
                target.setRate(c.code, c.rate * oldBase->rate, c.name);  // exact while it fits
            } catch (const engine::DecimalError&) {
                report.dropped.push_back(c.code);
            } catch (const RatesError&) {  // too small for 28 decimals
                report.dropped.push_back(c.code);
            }
        }
        for (const CurrencyRate& c : imported.currencies()) {
            if (c.code == imported.base()) continue;
            const std::optional<CurrencyRate> had = old.find(c.code);
            target.setRate(c.code, c.rate, !c.name.empty() ? c.name : had ? had->name : std::string());
            had ? ++report.changed : ++report.added;
        }
    } else {
        for (const CurrencyRate& c : imported.currencies()) {
            if (c.code == imported.base()) continue;
            const std::optional<CurrencyRate> had = target.find(c.code);
            if (had && had->rate == c.rate && (c.name.empty() || had->name == c.name)) continue;
            target.setRate(c.code, c.rate, c.name);
            had ? ++report.changed : ++report.added;
        }
    }
    if (imported.date()) target.setDate(imported.date());
    return report;
}

}  // namespace zorv::convert
