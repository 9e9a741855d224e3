// The uncertainty of the analysis's results by the GUM: the analysis, as the user answered it,
// re-evaluated as one function of its inputs with its accepted settings frozen.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "ship/Prediction.h"
#include "uncertainty/UncertaintyFile.h"

namespace kavrel {

// The method in one sentence, said in every output.
inline constexpr const char* UncertaintyMethod =
    "GUM; sensitivities by central differences of the analysis with its accepted settings; "
    "systematic sources fully correlated across runs, repeatability independent; model-test part "
    "only (the extrapolation method, roughness, CA and air terms are not included)";

// One result with its uncertainty, all in the unit of the value.
struct Uncertain {
  double value = 0;
  std::array<double, SourceCount> c{};  // signed contribution of each systematic source
  double random = 0;                    // root sum of squares of the runs' contributions
  double uc = 0;                        // combined standard uncertainty
  double U = 0;                         // expanded uncertainty k uc
};

// Repeats: runs (numbered from 1, sorted by speed) first..last, their speeds within the tolerance
// of the group's slowest.
struct RepeatGroup {
  int first = 0;
  int last = 0;
};

enum class RandomOrigin { Given, Pooled, NotIncluded };

struct RandomPart {
  std::vector<RepeatGroup> groups;  // those of two runs or more
  double pooled = 0;                // relative scatter of one run's Ctm (a fraction)
  int dof = 0;                      // degrees of freedom of `pooled`
  double s = 0;                     // the relative random uncertainty used (a fraction)
  RandomOrigin origin = RandomOrigin::NotIncluded;
};

// The repeats among runs sorted by speed and their pooled relative scatter of Ctm; s and its
// origin from the settings (a given repeatability first, then a pooled scatter with 2 degrees of
// freedom or more).
RandomPart FindRandomPart(const UncertaintySettings& settings, std::span<const double> Vm,
                          std::span<const double> Ctm);

struct UncertaintyResult {
  UncertaintySettings settings;
  RandomPart random;
  std::vector<double> Fn;       // of every run
  std::vector<double> VsKnots;  // with a ship file
  // Coefficients times 1000, Pe in kW. Cr is empty when there is no (1+k), Cts and PeKW
  // without a ship file.
  std::vector<Uncertain> Ctm, CtmS, Cr, Cts, PeKW;
  std::optional<Uncertain> OnePlusKRaw, OnePlusKSmoothed, OnePlusKGiven;
};

// The uncertainty of every result of `analysed`. `measured` is the test as read, before the
// dialogue (Rtm as measured, coefficients at the test temperature); `ship` and `prediction` are
// the ship file and its prediction when there is one. Throws InputFault naming the source and the
// fit, and the uncertainty file as `name`, when a perturbed analysis cannot be evaluated.
UncertaintyResult EvaluateUncertainty(const UncertaintySettings& settings,
                                      const CheckedTest& measured, const AnalysedTest& analysed,
                                      const std::optional<ShipParticulars>& ship,
                                      const std::optional<ShipPrediction>& prediction,
                                      const std::string& name = UncertaintyFileName);

}  // namespace kavrel
