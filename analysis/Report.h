// The results report KAVREL.OUT: the run table and the particulars block, with the
// notes on the wave-resistance parameters and the temperature conversion.
#pragma once

#include <array>
#include <span>
#include <string>

namespace kavrel {

struct ReportData {
  // Per run, in the sorted order; Ctm, CtmS and Cfm times 1000.
  std::span<const double> Fn, Vm, Rtm, Ctm, CtmS, Cfm, Rnm;
  double Sw = 0;
  double Lwl = 0;
  double temperature = 0;  // the temperature at which Rho and Nue are taken
  double Rho = 0;
  double Nue = 0;  // m2/s
  double g = 0;
  int SmoothingType = 0;
  std::array<double, 4> D{};  // D(1)..D(4)
  bool converted = false;     // the temperature question was answered "Y" or "y"
  float Tnew = 0;
};

// The whole report, every line ended by CR LF.
std::string ReportText(const ReportData& data);

}  // namespace kavrel
