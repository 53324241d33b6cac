// Random expression text through the evaluator: no text may crash or hang
// it, a value it returns is always a plain decimal number, and a failure
// always leaves it empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/Decimal.h"
#include "engine/ScriptedFeedback.h"
#include "expr/Evaluator.h"

using namespace zorv;

namespace {

constexpr const char* kVariables[] = {"4", "-3", "", "1E+3", "x", "0.5", "2)+(", "9^9^9"};
constexpr const char* kAnswers[] = {"yes", "no", "cancel", "ok"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t flags = data[0];
    const std::uint8_t vars = data[1];
    std::string_view input(reinterpret_cast<const char*>(data + 2), size - 2);

    engine::NumberSymbols symbols;
    if (flags & 0x02) symbols = engine::NumberSymbols{",", ".", "$"};
    if (flags & 0x04) symbols = engine::NumberSymbols{"\xD9\xAB", "\xD9\xAC", "$"};
    engine::ScriptedFeedback feedback;
    feedback.answer(kAnswers[(flags >> 3) & 3]);
    expr::Evaluator ev(feedback, symbols);
    ev.setConfirm(flags & 0x01);
    ev.setVariable(0, kVariables[vars & 7]);
    ev.setVariable(1, kVariables[(vars >> 3) & 7]);
    // Text after a NUL byte is the Z variable, as typed.
    if (const auto nul = input.find('\0'); nul != std::string_view::npos) {
        ev.setVariable(2, std::string(input.substr(nul + 1)));
        input = input.substr(0, nul);
    }

    const std::string result = ev.evaluate(input);
    if (ev.EvalAborted && !result.empty()) std::abort();
    if (!result.empty()) {
        // Written back in the decimal type's own plain form.
        engine::NumberSymbols plain = symbols;
        plain.thousand = "\x01";
        if (engine::Decimal::parse(result, plain).toString(symbols.decimal) != result) std::abort();
    }
    if (!ev.EvalAborted && feedback.messages.size() > ((flags & 0x01) ? 1u : 0u)) std::abort();
    return 0;
}
