// Cost of the number text on the windowed program's busiest paths: one exchange or saved-table
// row, one mouse read-out, reading a typed number (ASCII, and what a Japanese input method gives
// in full-width mode), and the general number text of a list line.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "textconv.h"

namespace {

std::vector<double> sampleValues() {
    std::vector<double> values;
    for (int i = 1; i <= 9900; ++i)
        values.push_back(std::sin(i * 0.37) * std::pow(10.0, i % 7 - 3));
    return values;
}

void BM_FormatExchangeRow(benchmark::State& state) {
    const std::vector<double> values = sampleValues();
    size_t i = 0;
    for (auto _ : state) {
        const double v = values[i++ % values.size()];
        benchmark::DoNotOptimize(FormatNumber(std::fabs(v), u"0.00000E+00"));
    }
}
BENCHMARK(BM_FormatExchangeRow);

void BM_FormatReadout(benchmark::State& state) {
    const std::vector<double> values = sampleValues();
    size_t i = 0;
    for (auto _ : state) {
        const double v = values[i++ % values.size()];
        benchmark::DoNotOptimize(FormatNumber(v, u"##0.000"));
    }
}
BENCHMARK(BM_FormatReadout);

void BM_ParseRecordField(benchmark::State& state) {
    const QString text = QStringLiteral("  -2.50000E+00");
    for (auto _ : state) benchmark::DoNotOptimize(ParseNumber(text));
}
BENCHMARK(BM_ParseRecordField);

void BM_ParseTypedNumber(benchmark::State& state) {
    const QString text = QStringLiteral("1.5");
    for (auto _ : state) benchmark::DoNotOptimize(ParseNumber(text));
}
BENCHMARK(BM_ParseTypedNumber);

void BM_ParseTypedFullWidth(benchmark::State& state) {
    const QString text = QStringLiteral("ー２．５Ｅ－３");
    for (auto _ : state) benchmark::DoNotOptimize(ParseNumber(text));
}
BENCHMARK(BM_ParseTypedFullWidth);

void BM_GeneralNumberText(benchmark::State& state) {
    const std::vector<double> values = sampleValues();
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(GeneralNumberText(values[i++ % values.size()]));
}
BENCHMARK(BM_GeneralNumberText);

}  // namespace

BENCHMARK_MAIN();
