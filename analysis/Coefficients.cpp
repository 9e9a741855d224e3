// Resistance coefficients of the runs by the ITTC-1957 line, and their conversion to
// another water temperature.
#include "analysis/Coefficients.h"

#include <cmath>

#include "text/NumberText.h"

namespace kavrel {

double Ittc1957(double Rn) {
  return Ittc1957Line(Log10(Rn));
}

RunCoefficients ComputeCoefficients(std::span<const double> Vm, std::span<const double> Rtm,
                                    double Sw, double Lwl, double Rho, double Nue) {
  RunCoefficients runs;
  for (std::size_t i = 0; i < Vm.size(); ++i) {
    const double Rnm = Vm[i] * Lwl / Nue;
    // kilogram-force to newtons by g, over the dynamic pressure times the wetted surface.
    const double Ctm = Rtm[i] * g / (0.5 * Rho * Sw * std::pow(Vm[i], 2));
    runs.Rnm.push_back(Rnm);
    runs.Ctm.push_back(Ctm);
    runs.CtmS.push_back(Ctm);
    runs.Cfm.push_back(Ittc1957(Rnm));
    runs.Fn.push_back(Vm[i] / std::sqrt(Lwl * g));
  }
  return runs;
}

void ConvertTemperature(RunCoefficients& runs, std::span<double> Rtm, std::span<const double> Vm,
                        double Sw, double Lwl, double newRho, double newNue) {
  for (std::size_t i = 0; i < Vm.size(); ++i) {
    const double newRn = Vm[i] * Lwl / newNue;
    const double newCf = Ittc1957(newRn);
    const double newCt = runs.CtmS[i] + (newCf - runs.Cfm[i]);
    runs.CtmS[i] = newCt;
    runs.Ctm[i] = newCt;
    runs.Cfm[i] = newCf;
    Rtm[i] = 0.5 * newRho * Sw * std::pow(Vm[i], 2) * newCt / g;
  }
}

void ScaleBy1000(RunCoefficients& runs) {
  for (std::size_t i = 0; i < runs.Ctm.size(); ++i) {
    runs.CtmS[i] = 1000 * runs.CtmS[i];
    runs.Ctm[i] = 1000 * runs.Ctm[i];
    runs.Cfm[i] = 1000 * runs.Cfm[i];
  }
}

}  // namespace kavrel
