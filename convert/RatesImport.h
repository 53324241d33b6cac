#pragma once

// Exchange rates from elsewhere: the central bank's daily XML, a CSV of
// codes and rates, and how imported rates join the rates file.

#include <string>
#include <string_view>
#include <vector>

#include "convert/ExchangeRates.h"

namespace zorv::convert {

// Where the central bank publishes the daily file; the default of the
// download address setting.
inline constexpr std::string_view kEcbDailyRatesUrl =
    "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml";

// The daily reference rates of the European Central Bank
// (eurofxref-daily.xml): the date from <Cube time='...'> and one rate per
// <Cube currency='USD' rate='1.0812'/>, against the euro. Tolerant: any
// namespace prefix, either quote, comments and other elements ignored; in a
// file of several days only the first (newest) day is read. Element text is
// never needed, so entities are not decoded.
LoadedRates readEcbXml(std::string_view xml);

// Two columns, code and rate, separated by ",", ";" or a tab, against
// `base`; an optional third column is the name. Quotes around fields are
// dropped; a first line with neither a code nor a rate is a header. With ";" or
// a tab as the separator a rate may use "," as its decimal point.
LoadedRates readRatesCsv(std::string_view csv, std::string_view base);

struct MergeReport {
    int added = 0;
    int changed = 0;
    // Currencies of the old file that could not be carried over to the new
    // base (the import lacks the old base's rate).
    std::vector<std::string> dropped;
};

// Takes the imported rates into `target`: rates and date from the import,
// names kept where the import has none, currencies the import lacks kept.
// When the import has another base, the file moves to that base; the
// currencies only the file has are carried over exactly (old rate × the
// import's rate for the old base) when the import has the old base, and are
// dropped otherwise.
MergeReport mergeImported(ExchangeRates& target, const ExchangeRates& imported);

}  // namespace zorv::convert
