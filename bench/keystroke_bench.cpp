// Keystrokes through batch mode's key handling with the whole tape kept:
// posting to the tape must stay an amortised append, so a million keys take
// time proportional to a million, not to the square of the tape.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"

using namespace zorv::engine;

namespace {

// A column of figures as a bookkeeper keys it: amounts, "+", a total now
// and then, with the default modes (financial, grouping, carried result).
std::string keyColumn(std::size_t keys) {
    static const char* amounts[] = {"1234.56", "78.9", "10000", "0.05", "315.25", "42"};
    std::string s;
    std::size_t i = 0;
    while (s.size() < keys) {
        s += amounts[i % 6];
        s += (i % 10 == 9) ? "=" : "+";
        ++i;
    }
    s.resize(keys);
    return s;
}

void BM_MillionKeystrokes(benchmark::State& state) {
    const auto keys = static_cast<std::size_t>(state.range(0));
    const KeyScript script = parseKeyScript(keyColumn(keys));
    std::size_t tapeBytes = 0;
    for (auto _ : state) {
        ScriptedFeedback feedback;
        CalculatorModel model(feedback);
        runKeyScript(model, script, nullptr);
        tapeBytes = model.tape().size();
        benchmark::DoNotOptimize(tapeBytes);
    }
    state.counters["tape_bytes"] = static_cast<double>(tapeBytes);
    state.counters["ns_per_key"] = benchmark::Counter(
        static_cast<double>(keys), benchmark::Counter::kIsIterationInvariantRate |
                                       benchmark::Counter::kInvert);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * keys));
}
BENCHMARK(BM_MillionKeystrokes)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
