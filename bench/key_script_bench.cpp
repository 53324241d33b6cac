// Reading batch scripts: time must grow in proportion to the script, also
// for the shapes that used to make every "{" look for its "}" to the end of
// the input (1 M "{" took 5 s, 2 M 25 s).
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "engine/KeyScript.h"

using namespace zorv::engine;

namespace {

std::string repeated(const std::string& unit, std::size_t bytes) {
    std::string s;
    s.reserve(bytes + unit.size());
    while (s.size() < bytes) s += unit;
    return s;
}

// Streams the script through the reader, as batch mode does, taking every
// step and every answer.
void readAll(const std::string& script) {
    std::istringstream in(script);
    KeyScriptReader reader(in);
    std::size_t steps = 0;
    while (auto step = reader.nextStep()) ++steps;
    while (auto answer = reader.takeAnswer()) ++steps;
    benchmark::DoNotOptimize(steps);
}

void run(benchmark::State& state, const std::string& unit) {
    const std::string script = repeated(unit, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) readAll(script);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * script.size()));
}

void BM_UnclosedBraces(benchmark::State& state) { run(state, "{"); }
void BM_UnclosedBrackets(benchmark::State& state) { run(state, "[{"); }
void BM_CommandsAndAnswers(benchmark::State& state) { run(state, "12{CE}[yes]+"); }
void BM_PlainKeys(benchmark::State& state) { run(state, "1234.56+78.9=\n"); }

BENCHMARK(BM_UnclosedBraces)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnclosedBrackets)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommandsAndAnswers)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainKeys)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
