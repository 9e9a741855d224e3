// Cost of the uncertainty analysis for the largest test a data file holds, 99 runs, with a ship
// file and every source: 2 chain evaluations per systematic source and the random part of every
// run. Target with polynomial smoothing: at most 2 ms; the wave-resistance approach is measured
// beside it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "munk/MunkFit.h"
#include "polynomial/PolynomialFit.h"
#include "ship/ShipStage.h"
#include "uncertainty/Uncertainty.h"
#include "water/WaterProperties.h"

namespace {

using namespace kavrel;

// A 5 m model from Fn 0.08 to 0.45 in water of 15 degrees, smoothed by a polynomial of five
// terms over all runs or by the wave-resistance approach.
struct Case {
  CheckedTest measured;
  AnalysedTest analysed;
  std::optional<ShipParticulars> ship;
  std::optional<ShipPrediction> prediction;
  UncertaintySettings settings;

  explicit Case(bool polynomial) {
    TestData& d = measured.data;
    d.Sw = 4.2;
    d.Lwl = 5;
    d.T = 15;
    for (int i = 0; i < 99; ++i) {
      const double Fn = 0.08 + 0.37 * i / 98;
      d.Vm.push_back(Fn * std::sqrt(9.80665 * 5));
      d.Rtm.push_back(0.9 * d.Vm.back() * d.Vm.back() * (1 + 3 * std::pow(Fn, 4)));
    }
    (void)WaterProperties(d.T, measured.Nue, measured.Rho);
    measured.runs = ComputeCoefficients(d.Vm, d.Rtm, d.Sw, d.Lwl, measured.Rho, measured.Nue);
    analysed.test = measured;
    RunCoefficients& runs = analysed.test.runs;
    ScaleBy1000(runs);
    if (polynomial) {
      analysed.smoothing = {1, {}, {{1, 99, 5}}};
      (void)PolynomialFit(runs.Fn, runs.CtmS, 5);
    } else {
      analysed.smoothing = {2, {0.1, 0.3, 0.5, 0.8}, {}};
      MunkFit fit(runs.Cfm, runs.Ctm, runs.Fn);
      (void)fit.Try(analysed.smoothing.D, 4, runs.CtmS);
    }
    std::istringstream shipFile("scale = 25\ntransverse_area = 300\n");
    ship = ReadShipFile(shipFile, "KAVREL_SHIP.DAT");
    prediction = PredictShipStage(*ship, {runs.Fn, analysed.test.data.Vm, runs.CtmS, runs.Cfm,
                                          analysed.test.data.Lwl, analysed.test.data.Sw});
    std::istringstream uncFile(
        "resistance = 0.005\nresistance_rel = 0.1\nspeed = 0.002\nspeed_rel = 0.05\n"
        "wetted_surface = 0.2\nlength = 0.002\ntemperature = 0.1\ndensity = 0.3\n"
        "repeatability = 0.3\n");
    settings = ReadUncertaintyFile(uncFile, "KAVREL_UNC.DAT");
  }
};

void Run(benchmark::State& state, bool polynomial) {
  const Case c(polynomial);
  for (auto _ : state) {
    auto result = EvaluateUncertainty(c.settings, c.measured, c.analysed, c.ship, c.prediction);
    benchmark::DoNotOptimize(result);
  }
}

void BM_UncertaintyPolynomial99Runs(benchmark::State& state) {
  Run(state, true);
}
BENCHMARK(BM_UncertaintyPolynomial99Runs)->Unit(benchmark::kMicrosecond);

void BM_UncertaintyMunk99Runs(benchmark::State& state) {
  Run(state, false);
}
BENCHMARK(BM_UncertaintyMunk99Runs)->Unit(benchmark::kMicrosecond);

}  // namespace
