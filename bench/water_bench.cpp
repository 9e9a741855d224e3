// Speed of the fresh-water property lookup: two spline builds over the 31-row tables
// per call, which every temperature the analysis meets goes through.
#include <benchmark/benchmark.h>

#include "water/WaterProperties.h"

namespace {

// Temperatures that reach the spline for both properties and the flat density rows.
void BM_WaterProperties(benchmark::State& state) {
  const double temperatures[] = {15.5, 0.5, 3.5, 21.3, 29.9, 7.25, 12.0, 18.75};
  std::size_t i = 0;
  for (auto _ : state) {
    double Nue = 0, Rho = 0;
    const bool inside = kavrel::WaterProperties(temperatures[i++ % 8], Nue, Rho);
    benchmark::DoNotOptimize(inside);
    benchmark::DoNotOptimize(Nue);
    benchmark::DoNotOptimize(Rho);
  }
}
BENCHMARK(BM_WaterProperties);

// A temperature whose density interval is not flat: both properties need the spline.
void BM_WaterPropertiesBothSplines(benchmark::State& state) {
  for (auto _ : state) {
    double Nue = 0, Rho = 0;
    double T = 15.5;
    benchmark::DoNotOptimize(T);
    benchmark::DoNotOptimize(kavrel::WaterProperties(T, Nue, Rho));
    benchmark::DoNotOptimize(Nue);
    benchmark::DoNotOptimize(Rho);
  }
}
BENCHMARK(BM_WaterPropertiesBothSplines);

}  // namespace
