// Cost of the full-scale prediction for the largest test a data file holds, 99 runs: the
// extrapolation itself with the form factor from the smoothed runs (target: at most 50
// microseconds), and apart from it the report and CSV texts and the effective-power picture,
// whose cost is that of the fixed-column and round-trip number texts and of the SVG writer.
#include <benchmark/benchmark.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "frontends/SvgWriter.h"
#include "graphs/PowerGraph.h"
#include "ship/Prediction.h"
#include "ship/ShipReport.h"

namespace {

// A 5 m model from Fn 0.08 to 0.45 in water of 15 degrees, coefficients times 1000.
struct Model {
  static constexpr int N = 99;
  std::vector<double> Fn, Vm, CtmS, Cfm;
  Model() : Fn(N), Vm(N), CtmS(N), Cfm(N) {
    for (int i = 0; i < N; ++i) {
      Fn[i] = 0.08 + 0.37 * i / (N - 1);
      Vm[i] = Fn[i] * std::sqrt(9.80665 * 5);
      Cfm[i] = 0.075 / std::pow(std::log10(Vm[i] * 5 / 1.139e-6) - 2, 2) * 1000;
      CtmS[i] = 1.15 * Cfm[i] + 1000 * 0.07 * std::pow(Fn[i], 4);
    }
  }
  kavrel::ModelRuns Runs() const { return {Fn, Vm, CtmS, Cfm, 5, 4.2}; }
};

kavrel::ShipParticulars Ship() {
  std::istringstream file("scale = 25\ntransverse_area = 300\nbilge_keel_area = 40\n");
  return kavrel::ReadShipFile(file, "KAVREL_SHIP.DAT");
}

kavrel::ShipPrediction Prediction(const Model& model) {
  const auto ship = Ship();
  return kavrel::PredictShip(ship, model.Runs(), *kavrel::ShipFormFactor(ship, model.Runs()))
      .value();
}

void BM_ShipPrediction99Runs(benchmark::State& state) {
  const Model model;
  const auto ship = Ship();
  for (auto _ : state) {
    const double OnePlusK = kavrel::ShipFormFactor(ship, model.Runs()).value();
    auto prediction = kavrel::PredictShip(ship, model.Runs(), OnePlusK);
    benchmark::DoNotOptimize(prediction);
  }
}
BENCHMARK(BM_ShipPrediction99Runs);

void BM_ShipTexts99Runs(benchmark::State& state) {
  const auto prediction = Prediction(Model());
  for (auto _ : state) {
    std::string texts = kavrel::ShipReportText(prediction) + kavrel::ShipCsvText(prediction);
    benchmark::DoNotOptimize(texts.data());
  }
}
BENCHMARK(BM_ShipTexts99Runs);

void BM_ShipPicture99Runs(benchmark::State& state) {
  const auto prediction = Prediction(Model());
  std::vector<double> knots, PeKW;
  for (const auto& run : prediction.runs) {
    knots.push_back(run.VsKnots);
    PeKW.push_back(run.PeKW);
  }
  for (auto _ : state) {
    kavrel::DisplayWindow window = kavrel::PowerGraphWindow();
    kavrel::DrawPowerGraph(window, knots, PeKW);
    std::string picture = kavrel::SvgPicture(window);
    benchmark::DoNotOptimize(picture.data());
  }
}
BENCHMARK(BM_ShipPicture99Runs);

}  // namespace
