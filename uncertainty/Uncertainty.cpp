// The GUM by the data-reduction chain: Ctm -> (temperature conversion as answered) -> smoothing
// with the accepted fits -> (1+k) from the same runs -> Cr -> the ship's prediction. Each
// systematic source is a central difference of the whole chain; the random part, one run's Rtm
// at a time, goes through the chain's linear part only (the fits with their abscissae fixed are
// linear in Ctm), which is exact and costs one fit per run.
#include "uncertainty/Uncertainty.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "analysis/Coefficients.h"
#include "formfactor/FormFactor.h"
#include "formfactor/Ittc.h"
#include "munk/MunkFit.h"
#include "polynomial/PolynomialFit.h"
#include "text/Faults.h"
#include "text/Finite.h"
#include "text/NumberText.h"
#include "water/WaterProperties.h"

namespace kavrel {

namespace {

// The inputs the chain is a function of.
struct ChainInputs {
  std::vector<double> Rtm, Vm;
  double Sw = 0, Lwl = 0, T = 0, dRho = 0;
  std::optional<double> OnePlusK;  // the ship file's
};

// The analysis as answered, frozen.
struct FrozenChain {
  bool converted = false;
  double newRho = 0, newNue = 0;
  bool polynomial = true;
  std::vector<PolynomialFitSetting> fits;
  bool munkFitted = false;
  MunkParameters D{};
  std::vector<std::size_t> prohaska;  // the runs of the Prohaska plot
  std::optional<ShipParticulars> ship;
  bool raw = false, smoothed = false;  // which (1+k) were found
  bool cr = false;                     // whether there is a (1+k) for Cr
};

// The outputs in one row: Ctm, CtmS, Cr, Cts, Pe of every run (the blocks that exist), then
// (1+k) raw, smoothed and given (those that exist).
using Outputs = std::vector<double>;

std::optional<double> FrozenFormFactor(const FrozenChain& chain, std::span<const double> Fn,
                                       std::span<const double> ordinate,
                                       std::span<const double> Cfm) {
  std::vector<double> x, y;
  for (const std::size_t i : chain.prohaska) {
    x.push_back(std::pow(Fn[i], 4) / (Cfm[i] / 1000.0));
    y.push_back(ordinate[i] / Cfm[i]);
  }
  const auto line = LineFit(x, y);
  if (!line) return std::nullopt;
  return line->Intercept;
}

// Evaluates the chain; empty with `failure` saying what could not be evaluated.
std::optional<Outputs> Evaluate(const FrozenChain& chain, const ChainInputs& in,
                                std::string& failure) {
  double Nue = 0, Rho = 0;
  if (!WaterProperties(in.T, Nue, Rho)) {
    failure = "the water table";
    return std::nullopt;
  }
  RunCoefficients runs = ComputeCoefficients(in.Vm, in.Rtm, in.Sw, in.Lwl, Rho + in.dRho, Nue);
  if (chain.converted) {
    std::vector<double> Rtm = in.Rtm;
    ConvertTemperature(runs, Rtm, in.Vm, in.Sw, in.Lwl, chain.newRho, chain.newNue);
  }
  ScaleBy1000(runs);
  const std::size_t N = runs.Fn.size();
  if (chain.polynomial) {
    for (const PolynomialFitSetting& fit : chain.fits) {
      const auto first = static_cast<std::size_t>(fit.NS - 1);
      const auto M = static_cast<std::size_t>(fit.ND) - static_cast<std::size_t>(fit.NS) + 1;
      std::vector<double> Y(runs.Ctm.begin() + static_cast<std::ptrdiff_t>(first),
                            runs.Ctm.begin() + static_cast<std::ptrdiff_t>(first + M));
      if (!PolynomialFit(std::span(runs.Fn).subspan(first, M), Y, fit.Order)) {
        failure = "the polynomial fit of runs " + std::to_string(fit.NS) + " to " +
                  std::to_string(fit.ND) + " (order " + std::to_string(fit.Order) + ")";
        return std::nullopt;
      }
      std::copy(Y.begin(), Y.end(), runs.CtmS.begin() + static_cast<std::ptrdiff_t>(first));
    }
  } else if (chain.munkFitted) {
    MunkFit fit(runs.Cfm, runs.Ctm, runs.Fn);
    if (fit.Try(chain.D, 4, runs.CtmS) != MunkFitOutcome::Fitted) {
      failure = "the wave-resistance fit";
      return std::nullopt;
    }
  }
  const std::optional<double> raw = FrozenFormFactor(chain, runs.Fn, runs.Ctm, runs.Cfm);
  const std::optional<double> smoothed = FrozenFormFactor(chain, runs.Fn, runs.CtmS, runs.Cfm);
  if ((chain.raw && !raw) || (chain.smoothed && !smoothed)) {
    failure = "the Prohaska line";
    return std::nullopt;
  }
  const std::optional<double> used = in.OnePlusK ? in.OnePlusK : smoothed;
  Outputs out;
  out.reserve(5 * N + 3);
  out.insert(out.end(), runs.Ctm.begin(), runs.Ctm.end());
  out.insert(out.end(), runs.CtmS.begin(), runs.CtmS.end());
  if (chain.cr) {
    for (std::size_t i = 0; i < N; ++i) out.push_back(runs.CtmS[i] - *used * runs.Cfm[i]);
  }
  if (chain.ship) {
    ShipParticulars ship = *chain.ship;
    ship.formFactor = in.OnePlusK;
    const auto prediction =
        PredictShip(ship, {runs.Fn, in.Vm, runs.CtmS, runs.Cfm, in.Lwl, in.Sw}, *used);
    if (!prediction) {
      failure = "the full-scale prediction";
      return std::nullopt;
    }
    for (const ShipRun& run : prediction->runs) out.push_back(run.Cts * 1000);
    for (const ShipRun& run : prediction->runs) out.push_back(run.PeKW);
  }
  if (chain.raw) out.push_back(*raw);
  if (chain.smoothed) out.push_back(*smoothed);
  if (in.OnePlusK) out.push_back(*in.OnePlusK);
  if (!AllFinite(out)) {
    failure = "a result that does not come out finite";
    return std::nullopt;
  }
  return out;
}

// The inputs moved by `sign` times the source's standard uncertainty u.
ChainInputs Moved(ChainInputs in, Source source, double u) {
  switch (source) {
    case Resistance:
      for (double& R : in.Rtm) R += u;
      break;
    case ResistanceRel:
      for (double& R : in.Rtm) R *= 1 + u / 100;
      break;
    case Speed:
      for (double& V : in.Vm) V += u;
      break;
    case SpeedRel:
      for (double& V : in.Vm) V *= 1 + u / 100;
      break;
    case WettedSurface:
      in.Sw *= 1 + u / 100;
      break;
    case Length:
      in.Lwl += u;
      break;
    case Temperature:
      in.T += u;
      break;
    case Density:
      in.dRho += u;
      break;
    case FormFactor:
      *in.OnePlusK += u;
      break;
    case SourceCount:
      break;
  }
  return in;
}

// The change of every output when run j's Ctm (times 1000) moves by dCtm, through the chain's
// linear part: the frozen fits at fixed abscissae, the Prohaska line at fixed abscissae, Cr, and
// Cts and Pe at the ship's fixed speeds and frictional coefficients.
class LinearPart {
 public:
  LinearPart(const FrozenChain& chain, const AnalysedTest& analysed,
             const std::optional<ShipPrediction>& prediction, bool given)
      : chain_(chain),
        runs_(analysed.test.runs),
        prediction_(prediction),
        given_(given),
        delta_(runs_.Fn.size(), 0.0),
        deltaS_(runs_.Fn.size(), 0.0),
        munk_(runs_.Cfm, delta_, runs_.Fn) {}

  Outputs Change(std::size_t j, double dCtm) {
    const std::size_t N = delta_.size();
    std::fill(delta_.begin(), delta_.end(), 0.0);
    delta_[j] = dCtm;
    deltaS_ = delta_;
    if (chain_.polynomial) {
      for (const PolynomialFitSetting& fit : chain_.fits) {
        const auto first = static_cast<std::size_t>(fit.NS - 1);
        const auto M = static_cast<std::size_t>(fit.ND) - static_cast<std::size_t>(fit.NS) + 1;
        const std::span<double> Y = std::span(deltaS_).subspan(first, M);
        if (j < first || j >= first + M) {
          std::fill(Y.begin(), Y.end(), 0.0);
          continue;
        }
        std::copy_n(delta_.begin() + static_cast<std::ptrdiff_t>(first), M, Y.begin());
        (void)PolynomialFit(std::span(runs_.Fn).subspan(first, M), Y, fit.Order);
      }
    } else if (chain_.munkFitted) {
      (void)munk_.Try(chain_.D, 4, deltaS_);
    }
    Outputs out(delta_);
    out.insert(out.end(), deltaS_.begin(), deltaS_.end());
    const double dRaw = chain_.raw ? Intercept(delta_) : 0;
    const double dSmoothed = chain_.smoothed ? Intercept(deltaS_) : 0;
    const double dUsed = given_ ? 0 : dSmoothed;
    if (chain_.cr) {
      for (std::size_t i = 0; i < N; ++i) out.push_back(deltaS_[i] - dUsed * runs_.Cfm[i]);
    }
    if (prediction_) {
      const ShipConstants& c = prediction_->constants;
      const double wetted = (c.Ss + c.SBK) / c.Ss;
      std::vector<double> dCts(N);
      for (std::size_t i = 0; i < N; ++i) {
        const ShipRun& run = prediction_->runs[i];
        dCts[i] = wetted * dUsed * run.Cfs + (deltaS_[i] - dUsed * runs_.Cfm[i]) / 1000;
        out.push_back(dCts[i] * 1000);
      }
      for (std::size_t i = 0; i < N; ++i) {
        const double Vs = prediction_->runs[i].Vs;
        out.push_back(0.5 * c.rhoS * c.Ss * Vs * Vs * Vs * dCts[i] / 1000);
      }
    }
    if (chain_.raw) out.push_back(dRaw);
    if (chain_.smoothed) out.push_back(dSmoothed);
    if (given_) out.push_back(0);
    return out;
  }

 private:
  // The change of the Prohaska line's intercept for a change of its ordinates' source.
  double Intercept(std::span<const double> d) {
    x_.clear();
    y_.clear();
    for (const std::size_t i : chain_.prohaska) {
      x_.push_back(std::pow(runs_.Fn[i], 4) / (runs_.Cfm[i] / 1000.0));
      y_.push_back(d[i] / runs_.Cfm[i]);
    }
    const auto line = LineFit(x_, y_);
    return line ? line->Intercept : 0;
  }

  const FrozenChain& chain_;
  const RunCoefficients& runs_;
  const std::optional<ShipPrediction>& prediction_;
  bool given_;
  std::vector<double> delta_, deltaS_, x_, y_;
  MunkFit munk_;
};

}  // namespace

RandomPart FindRandomPart(const UncertaintySettings& settings, std::span<const double> Vm,
                          std::span<const double> Ctm) {
  RandomPart part;
  double squares = 0;
  for (std::size_t first = 0; first < Vm.size();) {
    std::size_t end = first + 1;
    while (end < Vm.size() && Vm[end] - Vm[first] <= settings.repeatTolerance / 100 * Vm[first]) {
      ++end;
    }
    if (end - first >= 2) {
      double mean = 0;
      for (std::size_t i = first; i < end; ++i) mean += Ctm[i];
      mean /= static_cast<double>(end - first);
      for (std::size_t i = first; i < end; ++i) squares += std::pow(Ctm[i] / mean - 1, 2);
      part.dof += static_cast<int>(end - first - 1);
      part.groups.push_back({static_cast<int>(first + 1), static_cast<int>(end)});
    }
    first = end;
  }
  if (part.dof > 0) part.pooled = std::sqrt(squares / part.dof);
  if (settings.repeatability) {
    part.s = *settings.repeatability / 100;
    if (part.s > 0) part.origin = RandomOrigin::Given;
  } else if (part.dof >= 2) {
    part.s = part.pooled;
    part.origin = RandomOrigin::Pooled;
  }
  return part;
}

UncertaintyResult EvaluateUncertainty(const UncertaintySettings& settings,
                                      const CheckedTest& measured, const AnalysedTest& analysed,
                                      const std::optional<ShipParticulars>& ship,
                                      const std::optional<ShipPrediction>& prediction,
                                      const std::string& name) {
  const RunCoefficients& runs = analysed.test.runs;
  const std::size_t N = runs.Fn.size();
  FrozenChain chain;
  chain.converted = analysed.conversion.converted;
  if (chain.converted) {
    chain.newRho = analysed.test.Rho;
    chain.newNue = analysed.test.Nue;
  }
  chain.polynomial = analysed.smoothing.SmoothingType == 1;
  chain.fits = analysed.smoothing.fits;
  chain.D = analysed.smoothing.D;
  // The wave-resistance dialogue leaves D all 0 only where the runs could not carry the model
  // and CtmS is the measured Ctm.
  chain.munkFitted = std::any_of(chain.D.begin(), chain.D.end(), [](double d) { return d != 0; });
  for (std::size_t i = 0; i < N; ++i) {
    if (InProhaskaWindow(runs.Fn[i]) && std::isfinite(std::pow(runs.Fn[i], 4) / runs.Cfm[i]) &&
        std::isfinite(runs.Ctm[i] / runs.Cfm[i])) {
      chain.prohaska.push_back(i);
    }
  }
  const FormFactors found = FormFactorsOf(analysed);
  chain.raw = found.raw.has_value();
  chain.smoothed = found.smoothed.has_value();
  chain.ship = ship;
  const bool given = ship && ship->formFactor;
  const std::optional<double> used = given ? ship->formFactor : found.smoothed;
  chain.cr = used.has_value();

  UncertaintyResult result;
  result.settings = settings;
  result.random = FindRandomPart(settings, measured.data.Vm, measured.runs.Ctm);
  result.Fn = runs.Fn;

  // The nominal values, as the report and the prediction print them.
  Outputs nominal(runs.Ctm);
  nominal.insert(nominal.end(), runs.CtmS.begin(), runs.CtmS.end());
  if (chain.cr) {
    for (std::size_t i = 0; i < N; ++i) nominal.push_back(runs.CtmS[i] - *used * runs.Cfm[i]);
  }
  if (prediction) {
    for (const ShipRun& run : prediction->runs) nominal.push_back(run.Cts * 1000);
    for (const ShipRun& run : prediction->runs) {
      nominal.push_back(run.PeKW);
      result.VsKnots.push_back(run.VsKnots);
    }
  }
  if (chain.raw) nominal.push_back(*found.raw);
  if (chain.smoothed) nominal.push_back(*found.smoothed);
  if (given) nominal.push_back(*ship->formFactor);

  std::vector<Uncertain> all(nominal.size());
  for (std::size_t o = 0; o < all.size(); ++o) all[o].value = nominal[o];

  const ChainInputs inputs{measured.data.Rtm,
                           measured.data.Vm,
                           measured.data.Sw,
                           measured.data.Lwl,
                           measured.data.T,
                           0,
                           given ? ship->formFactor : std::nullopt};
  for (std::size_t s = 0; s < SourceCount; ++s) {
    const auto source = static_cast<Source>(s);
    if (!settings.Included(source) || (source == FormFactor && !given)) continue;
    const double u = settings.u[s];
    std::string failure;
    const auto plus = Evaluate(chain, Moved(inputs, source, u), failure);
    const auto minus = plus ? Evaluate(chain, Moved(inputs, source, -u), failure) : plus;
    if (!plus || !minus) {
      std::string message = name + ": with " + Sources[s].name + " moved by ";
      message += plus ? "-" : "+";
      message += ReadableNumber(u) + " " + Sources[s].unit + ", ";
      message += failure;
      message += " cannot be evaluated; no report is written";
      throw InputFault(message);
    }
    for (std::size_t o = 0; o < all.size(); ++o) all[o].c[s] = ((*plus)[o] - (*minus)[o]) / 2;
  }
  if (result.random.origin != RandomOrigin::NotIncluded) {
    LinearPart linear(chain, analysed, prediction, given);
    for (std::size_t j = 0; j < N; ++j) {
      const Outputs change = linear.Change(j, result.random.s * measured.runs.Ctm[j] * 1000);
      for (std::size_t o = 0; o < all.size(); ++o) all[o].random += change[o] * change[o];
    }
    for (Uncertain& q : all) q.random = std::sqrt(q.random);
  }
  for (Uncertain& q : all) {
    double squares = q.random * q.random;
    for (const double c : q.c) squares += c * c;
    q.uc = std::sqrt(squares);
    q.U = settings.coverage * q.uc;
  }

  auto next = all.begin();
  const auto take = [&](std::vector<Uncertain>& block) {
    block.assign(next, next + static_cast<std::ptrdiff_t>(N));
    next += static_cast<std::ptrdiff_t>(N);
  };
  take(result.Ctm);
  take(result.CtmS);
  if (chain.cr) take(result.Cr);
  if (prediction) {
    take(result.Cts);
    take(result.PeKW);
  }
  if (chain.raw) result.OnePlusKRaw = *next++;
  if (chain.smoothed) result.OnePlusKSmoothed = *next++;
  if (given) result.OnePlusKGiven = *next++;
  return result;
}

}  // namespace kavrel
