// Random text through the construction calculator: the length reader and
// the dimensioned evaluation. No text may crash or hang them; a failure
// always carries a message and no value, a success a tape line and no
// message; and a length the reader accepts, written in feet and inches,
// reads back as the value rounded to 1/64 inch.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/Decimal.h"
#include "engine/ScriptedFeedback.h"
#include "expr/BuilderCalculation.h"

using namespace zorv;

namespace {

constexpr const char* kVariables[] = {"0", "12'6-3/8\"", "-3'", "", "2)+(", "1/0\"", "30cm", "x"};
constexpr int kDenominators[] = {2, 4, 8, 16, 32, 64, 16, 16};

void checkLength(std::string_view text, expr::PlainUnit plain) {
    expr::Dimensioned d;
    try {
        d = expr::parseLength(text, plain);
    } catch (const expr::DimensionError&) {
        return;
    } catch (const engine::DecimalError&) {
        return;
    }
    if (d.kind != expr::Kind::Length) std::abort();
    try {
        const expr::FeetInches written = expr::formatFeetInches(d.value, 64);
        const expr::Rational rounded(d.value.roundTo(64), 64);
        if (!(expr::parseLength(written.text, plain).value == rounded)) std::abort();
        if ((written.mark == expr::RoundingMark::Exact) != (rounded == d.value)) std::abort();
    } catch (const engine::DecimalOverflow&) {
        // Too large to write as 1/64 inch steps.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t flags = data[0];
    const std::uint8_t vars = data[1];
    const std::string_view input(reinterpret_cast<const char*>(data + 2), size - 2);
    const expr::PlainUnit plain = (flags & 0x01) ? expr::PlainUnit::Feet : expr::PlainUnit::Inches;

    checkLength(input, plain);

    expr::BuilderOptions options;
    options.plain = plain;
    options.confirm = flags & 0x02;
    options.resultFeetInches = flags & 0x04;
    options.convert = flags & 0x08;
    options.area = flags & 0x10;
    options.volume = flags & 0x20;
    options.denominator = kDenominators[(flags >> 5) & 7];
    options.variables[0] = kVariables[vars & 7];
    options.variables[1] = kVariables[(vars >> 3) & 7];
    engine::ScriptedFeedback feedback;
    feedback.answer((vars & 0x40) ? "yes" : "no");
    const expr::BuilderResult r = expr::evaluateDimensions(input, options, feedback);
    if (r.ok) {
        if (!r.message.empty() || r.tapeLine.empty() || r.lines.empty()) std::abort();
        // No placeholder or internal marker reaches what the user reads.
        if (r.tapeLine.find('\x1E') != std::string::npos) std::abort();
    } else if (r.editRequest == expr::Evaluator::EditRequest::None) {
        // Every error message shown is the one returned; the confirmation
        // question is no error.
        std::size_t errors = 0;
        for (const auto& m : feedback.messages)
            if (m.buttons == engine::MessageButtons::Ok) ++errors;
        if (errors > 1 || (errors == 1) == r.message.empty()) std::abort();
    }
    return 0;
}
