// Speed of one try of the wave-resistance fit on the largest test a data file holds, 99 runs:
// design matrix, normal equations, Gauss-Jordan solve and CtmS (target: at most 20 microseconds).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "munk/MunkFit.h"

namespace {

void BM_MunkFourthTry99Runs(benchmark::State& state) {
  // A 4 m model from Fn 0.08 to 0.45, Cfm of the ITTC-1957 line (times 1000), a wave term
  // with small cosine components and a little scatter.
  constexpr int N = 99;
  std::vector<double> Fn(N), Cfm(N), Ctm(N);
  for (int i = 0; i < N; ++i) {
    Fn[i] = 0.08 + 0.37 * i / (N - 1);
    const double Rn = Fn[i] * std::sqrt(9.80665 * 4) * 4 / 1.14e-6;
    Cfm[i] = 0.075 / std::pow(std::log10(Rn) - 2, 2) * 1000;
    const double F4 = std::pow(Fn[i], 4);
    Ctm[i] = 1.15 * Cfm[i] + 1000 * F4 * (0.07 + 0.02 * std::cos(0.1 / (Fn[i] * Fn[i]))) +
             0.02 * std::sin(7.0 * i);
  }
  std::vector<double> CtmS = Ctm;
  const kavrel::MunkParameters D{0.1, 0.3, 0.5, 0.8};
  kavrel::MunkFit fit(Cfm, Ctm, Fn);  // working storage made once, as in the dialogue
  for (auto _ : state) {
    const auto outcome = fit.Try(D, 4, CtmS);
    benchmark::DoNotOptimize(outcome);
    benchmark::DoNotOptimize(CtmS.data());
  }
}
BENCHMARK(BM_MunkFourthTry99Runs);

}  // namespace
