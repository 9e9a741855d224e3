// The fixed-column results report.
#include "analysis/Report.h"

#include "text/NumberText.h"

namespace kavrel {

std::string ReportText(const ReportData& data) {
  std::string out;
  const auto line = [&out](const std::string& text) { out += text + "\r\n"; };

  line("  NO    Fn        Vm      Rtm      Ctm      CtmS      Cfm     Rnm ");
  line("                 m/s       Kg     *1000    *1000    *1000    *10^7");
  for (std::size_t i = 0; i < data.Fn.size(); ++i) {
    line(FormatInteger(static_cast<double>(i + 1), 4) + " " + FormatFixed(data.Fn[i], 3, 3) + "  " +
         FormatFixed(data.Vm[i], 3, 3) + "  " + FormatFixed(data.Rtm[i], 3, 3) + "  " +
         FormatFixed(data.Ctm[i], 3, 3) + "  " + FormatFixed(data.CtmS[i], 3, 3) + "  " +
         FormatFixed(data.Cfm[i], 3, 3) + "  " + FormatFixed(data.Rnm[i] / 10000000, 3, 3) + "  ");
  }
  line("");
  line("");
  line(" MODEL WETTED SURFACE ----- Sw = " + FormatFixed(data.Sw, 3, 4) + " m2");
  line(" MODEL WATER LINE LENGTH - Lwl = " + FormatFixed(data.Lwl, 3, 3) + " m");
  line(" WATER TEMPERATURE --------- T = " + FormatFixed(data.temperature, 2, 3) + " degrees");
  line(" WATER DENSITY ----------- Rho = " + FormatFixed(data.Rho, 3, 3) + " kg/m3");
  // The viscosity is printed times 10^6, so its unit is 10^-6 m2/s.
  line(" WATER VISCOSITY --------- Nue = " + FormatFixed(data.Nue * 1000000, 2, 3) +
       " *10^-6 m2/s");
  line(" ACCELERATION OF GRAVITY --- g = " + FormatFixed(data.g, 2, 5) + " m/sn2");
  if (data.SmoothingType == 2) {
    line("");
    line("");
    line("T. MUNK WAVE RESISTANCE APROACH HAS BEEN USED");
    line("D(1)=" + FormatFixed(data.D[0], 2, 3) + " : D(2)=" + FormatFixed(data.D[1], 2, 3) +
         " : D(3)=" + FormatFixed(data.D[2], 2, 3) + " : D(4)=" + FormatFixed(data.D[3], 2, 3));
  }
  if (data.converted) {
    line("");
    line("");
    line("Resistance tests results were scaled to " + FormatFixed(data.Tnew, 2, 2) + " degrees.");
  }
  return out;
}

}  // namespace kavrel
