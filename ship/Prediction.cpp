// The ITTC-1978 extrapolation of the model test to the ship: the residuary coefficient kept,
// the frictional part by the ITTC-1957 line at the ship's Reynolds number times (1+k), with the
// roughness, correlation and air allowances.
#include "ship/Prediction.h"

#include <cmath>

#include "formfactor/FormFactor.h"
#include "formfactor/Ittc.h"
#include "text/Finite.h"
#include "water/WaterProperties.h"

namespace kavrel {

double RoughnessAllowance(ShipMethod method, double kS, double Ls, double Rns) {
  // The roughness term (kS/Ls)^(1/3), kS in metres.
  const double roughness = std::cbrt(kS * 1e-6 / Ls);
  if (method == ShipMethod::Ittc1978) return (105 * roughness - 0.64) * 1e-3;
  return 0.044 * (roughness - 10 * std::pow(Rns, -1.0 / 3)) + 0.000125;
}

std::optional<double> ShipFormFactor(const ShipParticulars& ship, const ModelRuns& model) {
  if (ship.formFactor) return ship.formFactor;
  return ProhaskaFormFactor(model.Fn, model.CtmS, model.Cfm);
}

std::optional<ShipPrediction> PredictShip(const ShipParticulars& ship, const ModelRuns& model,
                                          double OnePlusK) {
  ShipPrediction prediction;
  ShipConstants& c = prediction.constants;
  c.lambda = ship.scale;
  c.Ls = ship.scale * model.Lwl;
  c.SsGiven = ship.wettedSurface.has_value();
  c.Ss = ship.wettedSurface.value_or(ship.scale * ship.scale * model.Sw);
  c.SBK = ship.bilgeKeelArea;
  c.kS = ship.roughness;
  c.AVS = ship.transverseArea;
  c.CDA = ship.airDrag;
  c.rhoAir = ship.airDensity;
  c.water = ship.water;
  c.T = ship.waterTemperature;
  const bool tabled = ship.water == ShipWater::Sea ? SeaWaterProperties(c.T, c.nuS, c.rhoS)
                                                   : WaterProperties(c.T, c.nuS, c.rhoS);
  if (!tabled) return std::nullopt;
  c.OnePlusK = OnePlusK;
  c.OnePlusKGiven = ship.formFactor.has_value();
  c.method = ship.method;
  c.CA = ship.correlationAllowance;

  const bool revised = c.method == ShipMethod::Ittc2011;
  const double wetted = (c.Ss + c.SBK) / c.Ss;
  for (std::size_t i = 0; i < model.Fn.size(); ++i) {
    ShipRun run;
    run.Fn = model.Fn[i];
    run.Vs = model.Vm[i] * std::sqrt(c.lambda);
    run.VsKnots = run.Vs / MetresPerSecondPerKnot;
    run.Rns = run.Vs * c.Ls / c.nuS;
    run.Cfs = Ittc1957Line(std::log10(run.Rns));
    // The residuary part is the model's, with its sign.
    run.Cr = model.CtmS[i] / 1000 - OnePlusK * model.Cfm[i] / 1000;
    run.dCf = RoughnessAllowance(c.method, c.kS, c.Ls, run.Rns);
    if (revised) {
      run.CA = c.CA.value_or((5.68 - 0.6 * std::log10(run.Rns)) * 1e-3);
      run.Caas = c.CDA * c.rhoAir * c.AVS / (c.rhoS * c.Ss);
    } else {
      run.CA = c.CA.value_or(0.0);
      run.Caas = 0.001 * c.AVS / c.Ss;
    }
    run.Cts = wetted * (OnePlusK * run.Cfs + run.dCf + run.CA) + run.Cr + run.Caas;
    const double Rts = 0.5 * c.rhoS * c.Ss * run.Vs * run.Vs * run.Cts;  // N
    run.RtsKN = Rts / 1000;
    run.PeKW = Rts * run.Vs / 1000;
    if (!Finite({run.VsKnots, run.Vs, run.Rns, run.Cfs, run.dCf, run.CA, run.Caas, run.Cr, run.Cts,
                 run.RtsKN, run.PeKW})) {
      return std::nullopt;
    }
    prediction.runs.push_back(run);
  }
  return prediction;
}

}  // namespace kavrel
