// Decimal arithmetic and text conversion. Target: add, multiply and divide
// each under 100 ns per operation.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/Decimal.h"
#include "engine/DoubleText.h"

using zorv::engine::Decimal;

namespace {

// Readout-sized operands: a few whole digits and a few decimals.
const std::vector<Decimal>& readoutValues() {
    static const std::vector<Decimal> values = {
        Decimal::parse("12.5"),     Decimal::parse("1234.56"), Decimal::parse("0.075"),
        Decimal::parse("99999.99"), Decimal::parse("-42"),     Decimal::parse("3.14159"),
        Decimal::parse("1000000"),  Decimal::parse("0.5"),
    };
    return values;
}

void BM_DecimalAdd(benchmark::State& state) {
    const auto& v = readoutValues();
    size_t i = 0;
    for (auto _ : state) {
        Decimal r = v[i % v.size()] + v[(i + 3) % v.size()];
        benchmark::DoNotOptimize(r);
        ++i;
    }
}
BENCHMARK(BM_DecimalAdd);

void BM_DecimalAddWideScales(benchmark::State& state) {
    // 28-decimal operand plus a whole number: the 192-bit alignment path.
    Decimal a = Decimal(1) / Decimal(3);
    Decimal b = Decimal::parse("123456789012");
    for (auto _ : state) {
        Decimal r = a + b;
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(BM_DecimalAddWideScales);

void BM_DecimalMultiply(benchmark::State& state) {
    const auto& v = readoutValues();
    size_t i = 0;
    for (auto _ : state) {
        Decimal r = v[i % v.size()] * v[(i + 5) % v.size()];
        benchmark::DoNotOptimize(r);
        ++i;
    }
}
BENCHMARK(BM_DecimalMultiply);

void BM_DecimalMultiplyRounded(benchmark::State& state) {
    // Two 28-decimal values: the product has to be rounded back.
    Decimal a = Decimal(1) / Decimal(3);
    Decimal b = Decimal(2) / Decimal(3);
    for (auto _ : state) {
        Decimal r = a * b;
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(BM_DecimalMultiplyRounded);

void BM_DecimalDivide(benchmark::State& state) {
    const auto& v = readoutValues();
    size_t i = 0;
    for (auto _ : state) {
        Decimal r = v[i % v.size()] / v[(i + 1) % v.size()];
        benchmark::DoNotOptimize(r);
        ++i;
    }
}
BENCHMARK(BM_DecimalDivide);

void BM_DecimalDivideOneThird(benchmark::State& state) {
    Decimal one = 1, three = 3;
    for (auto _ : state) {
        Decimal r = one / three;
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(one);
    }
}
BENCHMARK(BM_DecimalDivideOneThird);

void BM_DecimalDivideWideDivisor(benchmark::State& state) {
    // A 96-bit divisor: the slower 128-bit long-division steps.
    Decimal a = Decimal::parse("1");
    Decimal b = Decimal::parse("7.9228162514264337593543950335");
    for (auto _ : state) {
        Decimal r = a / b;
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(BM_DecimalDivideWideDivisor);

void BM_DecimalParse(benchmark::State& state) {
    const std::string texts[] = {"1234.56", "-0.075", "1,234,567.5", "3.3333333333333333333333333333"};
    size_t i = 0;
    for (auto _ : state) {
        Decimal r = Decimal::parse(texts[i % 4]);
        benchmark::DoNotOptimize(r);
        ++i;
    }
}
BENCHMARK(BM_DecimalParse);

void BM_DecimalToString(benchmark::State& state) {
    const Decimal values[] = {Decimal::parse("1234.56"), Decimal(1) / Decimal(3), Decimal::parse("-0.0009"),
                              Decimal::maxValue()};
    size_t i = 0;
    for (auto _ : state) {
        std::string s = values[i % 4].toString();
        benchmark::DoNotOptimize(s);
        ++i;
    }
}
BENCHMARK(BM_DecimalToString);

void BM_DecimalFromDouble(benchmark::State& state) {
    double x = 2.0123456789123456;
    for (auto _ : state) {
        Decimal r = Decimal::fromDouble(x);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(BM_DecimalFromDouble);

void BM_PlainText(benchmark::State& state) {
    double x = 1234.5678;
    for (auto _ : state) {
        std::string s = zorv::engine::plainText(x);
        benchmark::DoNotOptimize(s);
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(BM_PlainText);

}  // namespace
