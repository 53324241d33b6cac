// Exchange rates. Target: a rates file of 1,000 currencies loads in under
// 20 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "convert/ExchangeRates.h"

namespace {

std::string thousandCurrencies() {
    std::string text = "# generated\nbase EUR Euro\ndate 2026-12-07\n";
    for (int i = 0; i < 999; ++i) {
        const std::string code{static_cast<char>('A' + i / 676), static_cast<char>('A' + i / 26 % 26),
                               static_cast<char>('A' + i % 26)};
        text += code + " " + std::to_string(1 + i * 7919 % 100000) + "." + std::to_string(1000 + i) +
                " Currency number " + std::to_string(i) + "\n";
    }
    return text;
}

void BM_ReadRatesText1000(benchmark::State& state) {
    const std::string text = thousandCurrencies();
    for (auto _ : state) benchmark::DoNotOptimize(zorv::convert::readRates(text).rates.size());
}
BENCHMARK(BM_ReadRatesText1000)->Unit(benchmark::kMillisecond);

// From the disk, as the currency window and batch mode load it.
void BM_LoadRatesFile1000(benchmark::State& state) {
    const std::string path = "/tmp/zorv_bench_rates.rt";
    {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f << thousandCurrencies();
    }
    for (auto _ : state) {
        const zorv::convert::LoadedRates loaded = zorv::convert::loadRatesFile(path);
        if (loaded.rates.size() != 1000) state.SkipWithError("not all currencies loaded");
        benchmark::DoNotOptimize(loaded.rates.size());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadRatesFile1000)->Unit(benchmark::kMillisecond);

void BM_WriteRatesText1000(benchmark::State& state) {
    const zorv::convert::ExchangeRates rates = zorv::convert::readRates(thousandCurrencies()).rates;
    for (auto _ : state) benchmark::DoNotOptimize(rates.toText().size());
}
BENCHMARK(BM_WriteRatesText1000)->Unit(benchmark::kMillisecond);

}  // namespace
