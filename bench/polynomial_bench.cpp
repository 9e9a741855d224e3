// Speed of the orthogonal-polynomial fit at the size of the largest fit the smoothing
// dialogue was designed for: 40 points, 20 terms (target: at most 10 microseconds).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "polynomial/PolynomialFit.h"

namespace {

void BM_PolynomialFit40Points20Terms(benchmark::State& state) {
  // Froude numbers 0.10 to 0.49 with a smooth resistance curve and a little scatter.
  std::vector<double> X(40);
  std::vector<double> measured(40);
  for (int i = 0; i < 40; ++i) {
    X[i] = 0.10 + 0.01 * i;
    measured[i] = 3.5 + 40 * std::pow(X[i], 4) + 0.02 * std::sin(7.0 * i);
  }
  std::vector<double> Y(40);
  for (auto _ : state) {
    Y = measured;
    const bool fitted = kavrel::PolynomialFit(X, Y, 20);
    benchmark::DoNotOptimize(fitted);
    benchmark::DoNotOptimize(Y.data());
  }
}
BENCHMARK(BM_PolynomialFit40Points20Terms);

}  // namespace
