// The full-scale prediction of the ship's resistance and effective power from the analysed
// model test, by the resistance part of the ITTC-1978 performance prediction (with the
// revised allowances of 2011 or the original ones).
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "ship/ShipFile.h"

namespace kavrel {

// The analysed model runs as the report shows them, in the report's order.
struct ModelRuns {
  std::span<const double> Fn;
  std::span<const double> Vm;    // m/s
  std::span<const double> CtmS;  // smoothed total resistance coefficient, times 1000
  std::span<const double> Cfm;   // ITTC-1957 frictional coefficient, times 1000
  double Lwl = 0;                // m
  double Sw = 0;                 // m2
};

// Every input and constant the prediction used.
struct ShipConstants {
  double lambda = 0;
  double Ls = 0;         // m
  double Ss = 0;         // m2
  bool SsGiven = false;  // from the ship file, else lambda^2 Sw
  double SBK = 0;        // m2
  double kS = 0;         // micrometres
  double AVS = 0;        // m2
  double CDA = 0;
  double rhoAir = 0;  // kg/m3
  ShipWater water = ShipWater::Sea;
  double T = 0;     // degrees Celsius
  double rhoS = 0;  // kg/m3
  double nuS = 0;   // m2/s
  double OnePlusK = 0;
  bool OnePlusKGiven = false;  // from the ship file, else the smoothed-data Prohaska line
  ShipMethod method = ShipMethod::Ittc2011;
  std::optional<double> CA;  // the ship file's correlation allowance
};

// One ship speed; coefficients as plain numbers.
struct ShipRun {
  double VsKnots = 0, Vs = 0, Fn = 0, Rns = 0;
  double Cfs = 0, dCf = 0, CA = 0, Caas = 0, Cr = 0, Cts = 0;
  double RtsKN = 0, PeKW = 0;
};

struct ShipPrediction {
  ShipConstants constants;
  std::vector<ShipRun> runs;
};

// Metres per second in a knot.
inline constexpr double MetresPerSecondPerKnot = 1852.0 / 3600.0;

// The roughness allowance dCf for the hull roughness kS (micrometres) of a ship of length Ls
// (m) at the Reynolds number Rns: the revised formula of 2011 (speed-dependent) or the original
// one of 1978.
double RoughnessAllowance(ShipMethod method, double kS, double Ls, double Rns);

// The ship file's (1+k), else the intercept of the Prohaska line through the smoothed runs
// with 0.1 < Fn < 0.2; nothing when neither exists.
[[nodiscard]] std::optional<double> ShipFormFactor(const ShipParticulars& ship,
                                                   const ModelRuns& model);

// The prediction with the form factor OnePlusK. Nothing when a number does not come out finite
// (particulars far outside any ship).
[[nodiscard]] std::optional<ShipPrediction> PredictShip(const ShipParticulars& ship,
                                                        const ModelRuns& model, double OnePlusK);

}  // namespace kavrel
