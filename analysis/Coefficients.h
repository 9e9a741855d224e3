// Froude and Reynolds numbers and the resistance coefficients of the ITTC-1957
// model-ship correlation line, the conversion to another water temperature, and the
// scaling of the coefficients by 1000.
#pragma once

#include <span>
#include <vector>

#include "formfactor/Ittc.h"

namespace kavrel {

// Per-run results, index 0 for the first (slowest) run.
struct RunCoefficients {
  std::vector<double> Fn;    // Froude number
  std::vector<double> Rnm;   // Reynolds number of the model
  std::vector<double> Ctm;   // total resistance coefficient
  std::vector<double> CtmS;  // the same, to be smoothed
  std::vector<double> Cfm;   // frictional resistance coefficient (ITTC-1957)
};

// The ITTC-1957 line: 0.075 / (log10 Rn - 2)^2.
double Ittc1957(double Rn);

// Coefficients of every run at the test temperature (water density Rho in kg/m3,
// kinematic viscosity Nue in m2/s). The caller has made sure that every speed is
// positive and every Reynolds number above 100.
RunCoefficients ComputeCoefficients(std::span<const double> Vm, std::span<const double> Rtm,
                                    double Sw, double Lwl, double Rho, double Nue);

// Converts every run to the water of density newRho and viscosity newNue: the
// residuary part Ctm - Cfm is kept, Cfm is taken at the new Reynolds number, Rtm
// follows from the new Ctm. Fn and Rnm keep their values at the test temperature.
void ConvertTemperature(RunCoefficients& runs, std::span<double> Rtm, std::span<const double> Vm,
                        double Sw, double Lwl, double newRho, double newNue);

// Ctm, CtmS and Cfm times 1000, the scale of the smoothing and the report.
void ScaleBy1000(RunCoefficients& runs);

}  // namespace kavrel
