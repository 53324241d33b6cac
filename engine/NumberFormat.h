#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Decimal.h"
#include "Modes.h"
#include "NumberSymbols.h"

namespace zorv::engine {

// How the calculator reads and writes numbers: the locale's symbols plus the
// modes that shape a number (decimal places, result rounding, thousands
// grouping). It only turns text into text; telling the user about text that
// is not a number is the caller's business.
class NumberFormat {
public:
    // `modes` is read on every call, so a changed mode applies at once.
    NumberFormat(NumberSymbols symbols, const Modes& modes);

    const NumberSymbols& symbols() const { return symbols_; }
    const std::string& decimalSymbol() const { return symbols_.decimal; }
    const std::string& thousandSymbol() const { return symbols_.thousand; }
    // The currency symbol followed by the blank the readouts put after it.
    std::string currencyPrefix() const { return symbols_.currency + " "; }

    // Text in the locale's form to the decimal type; throws DecimalOverflow
    // or DecimalTypeMismatch.
    Decimal toDecimal(std::string_view text) const;
    std::string toText(const Decimal& value) const { return value.toString(symbols_.decimal); }

    // The shortest text of the number `text` holds ("12.50" -> "12.5");
    // nullopt when it holds none.
    std::optional<std::string> canonical(std::string_view text) const;
    // Typed or pasted text reduced to a number: everything but digits, the
    // minus sign and the decimal symbol is dropped, and the rest given in
    // its shortest form. Blank text gives "". With `keepLengthMarks` the foot
    // and inch marks stay too and the kept characters come back unchecked,
    // as the construction calculator takes lengths such as 5'3". nullopt
    // when what is left is not a number.
    std::optional<std::string> purge(std::string_view text, bool keepLengthMarks) const;

    // Digits with the thousands symbol between groups of three.
    std::string groupThousands(std::string_view digits) const;
    // The whole part of a number grouped in thousands when Format Numbers is
    // on. Text without the decimal symbol comes back as it is.
    std::string grouped(std::string_view text) const;
    // Rounded to the decimal places with the result rounding, and always
    // showing that many decimals (8 with two places shows 8.00). Text that is
    // not a number comes back as it is; the caller reports it where it
    // matters.
    std::string financial(std::string_view text) const;
    // The text with the decimal symbol at its end when it has none: the
    // readout shows every whole number that way ("7.").
    std::string withDecimalSymbol(std::string_view text) const;

    // A number as the operator keys write it inside a tape entry: rounded to
    // the decimal places in Financial and Auto-Decimal mode, grouped with
    // Format Numbers, and without a bare trailing decimal symbol.
    std::string entryNumber(std::string_view text) const;
    std::string entryNumber(const Decimal& value) const { return entryNumber(toText(value)); }
    // The result line of a total block, as "=" writes it: rounded in
    // Financial mode and grouped with Format Numbers; a whole number keeps
    // its trailing decimal symbol.
    std::string totalLine(std::string_view readout) const;

private:
    NumberSymbols symbols_;
    const Modes& modes_;
};

}  // namespace zorv::engine
