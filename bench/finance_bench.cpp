// Financial calculators. Targets: IRR over 1,000 cash flows within 10 ms;
// the amortization table of 1,200 payments built and appended to the tape
// within 100 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "finance/FeedbackNumericInput.h"
#include "finance/FinanceCommands.h"
#include "finance/FinancialFunctions.h"

namespace {

void BM_Irr1000CashFlows(benchmark::State& state) {
    std::vector<double> flows{-150000};
    for (int i = 0; i < 1000; ++i) flows.push_back(150 + (i % 7) * 10);
    for (auto _ : state) benchmark::DoNotOptimize(zorv::finance::IRR(flows, 0.1));
}
BENCHMARK(BM_Irr1000CashFlows)->Unit(benchmark::kMillisecond);

// The whole principal-payment calculator with its table, answered from a
// script: 250,000 over 1,200 monthly payments.
void BM_AmortizationTable1200Payments(benchmark::State& state) {
    zorv::engine::ScriptedFeedback feedback;
    zorv::engine::CalculatorModel model(feedback);
    zorv::finance::FeedbackNumericInput input(model);
    zorv::finance::registerFinanceCommands(model, input);
    for (auto _ : state) {
        state.PauseTiming();
        model.tape().clear();
        feedback.clearRecord();
        for (const char* a : {"250000", "0", "0", "6.5", "1200", "yes", "yes"}) feedback.answer(a);
        state.ResumeTiming();
        model.runCommand("Annuity Principle Payment");
        benchmark::DoNotOptimize(model.tape().size());
    }
}
BENCHMARK(BM_AmortizationTable1200Payments)->Unit(benchmark::kMillisecond);

}  // namespace
