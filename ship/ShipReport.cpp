// The full-scale prediction as a fixed-column report, a CSV table and a summary.
#include "ship/ShipReport.h"

#include "formfactor/Ittc.h"
#include "text/NumberText.h"

namespace kavrel {

namespace {

std::string WaterText(const ShipConstants& c) {
  return (c.water == ShipWater::Sea ? "sea water (salinity 35.16504 g/kg)" : "fresh water") +
         std::string(" at ") + FormatFixed(c.T, 2, 3) + " degrees";
}

std::string MethodText(const ShipConstants& c) {
  std::string text = c.method == ShipMethod::Ittc2011
                         ? "ittc-2011: ITTC-1978 with the revised allowances of 2011"
                         : "ittc-1978: ITTC-1978 with its original allowances";
  if (c.CA) text += "; CA given as " + RoundTrip(*c.CA);
  return text;
}

}  // namespace

std::string ShipReportText(const ShipPrediction& prediction) {
  const ShipConstants& c = prediction.constants;
  std::string out;
  const auto line = [&out](const std::string& text) { out += text + "\r\n"; };
  line(" FULL-SCALE PREDICTION OF THE SHIP'S RESISTANCE AND EFFECTIVE POWER");
  line(" METHOD ------------------------------ " + MethodText(c));
  line(" SCALE RATIO -------------------- lambda = " + FormatFixed(c.lambda, 5, 3));
  line(" SHIP WATER-LINE LENGTH ------------- Ls = " + FormatFixed(c.Ls, 5, 3) + " m");
  line(" SHIP WETTED SURFACE ---------------- Ss = " + FormatFixed(c.Ss, 5, 3) + " m2" +
       (c.SsGiven ? " (ship file)" : " (lambda^2 Sw)"));
  line(" BILGE KEEL WETTED SURFACE -------- SBK = " + FormatFixed(c.SBK, 5, 3) + " m2");
  line(" HULL ROUGHNESS --------------------- kS = " + FormatFixed(c.kS, 5, 3) + " micrometres");
  line(" TRANSVERSE AREA ABOVE WATER ------ AVS = " + FormatFixed(c.AVS, 5, 3) + " m2");
  line(" AIR DRAG COEFFICIENT ------------- CDA = " + FormatFixed(c.CDA, 5, 3));
  line(" AIR DENSITY -------------------- rho_a = " + FormatFixed(c.rhoAir, 5, 3) + " kg/m3");
  line(" SHIP WATER ---------------------------- " + WaterText(c));
  line(" WATER DENSITY ------------------ rho_s = " + FormatFixed(c.rhoS, 5, 3) + " kg/m3");
  line(" WATER VISCOSITY ----------------- nu_s = " + FormatFixed(c.nuS * 1e6, 5, 5) +
       " *10^-6 m2/s");
  line(" FORM FACTOR -------------------- (1+k) = " + FormatFixed(c.OnePlusK, 5, 4) +
       (c.OnePlusKGiven ? " (ship file)" : " (Prohaska plot of the smoothed runs)"));
  line(" ACCELERATION OF GRAVITY ------------ g = " + FormatFixed(g, 5, 5) + " m/s2");
  line("");
  line(
      "  NO   Vs       Vs      Fn      Rns     Cfs     dCf      CA     Caas      Cr     Cts"
      "       Rts        Pe");
  line(
      "       kn      m/s            *10^9   *1000   *1000   *1000   *1000   *1000   *1000"
      "        kN        kW");
  for (std::size_t i = 0; i < prediction.runs.size(); ++i) {
    const ShipRun& r = prediction.runs[i];
    line(FormatInteger(static_cast<double>(i + 1), 4) + " " + FormatFixed(r.VsKnots, 3, 3) + " " +
         FormatFixed(r.Vs, 3, 3) + " " + FormatFixed(r.Fn, 2, 4) + " " +
         FormatFixed(r.Rns / 1e9, 3, 4) + " " + FormatFixed(r.Cfs * 1000, 2, 4) + " " +
         FormatFixed(r.dCf * 1000, 2, 4) + " " + FormatFixed(r.CA * 1000, 2, 4) + " " +
         FormatFixed(r.Caas * 1000, 2, 4) + " " + FormatFixed(r.Cr * 1000, 2, 4) + " " +
         FormatFixed(r.Cts * 1000, 2, 4) + " " + FormatFixed(r.RtsKN, 6, 3) + " " +
         FormatFixed(r.PeKW, 6, 2));
  }
  return out;
}

std::string ShipCsvText(const ShipPrediction& prediction) {
  std::string out = "Vs_kn,Vs_m_s,Fn,Rns,Cfs,dCf,CA,Caas,Cr,Cts,Rts_kN,Pe_kW\n";
  for (const ShipRun& r : prediction.runs) {
    std::string row;
    AppendCsvNumbers(row, {r.VsKnots, r.Vs, r.Fn, r.Rns, r.Cfs, r.dCf, r.CA, r.Caas, r.Cr, r.Cts,
                           r.RtsKN, r.PeKW});
    out.append(row, 1);  // without the first comma
    out += '\n';
  }
  return out;
}

std::string ShipSummaryText(const ShipPrediction& prediction, bool smoothed) {
  const ShipConstants& c = prediction.constants;
  const char* const source = c.OnePlusKGiven ? " from the ship file"
                             : smoothed      ? " from the smoothed runs"
                                             : " from the runs (not smoothed)";
  std::string out = "Full-scale prediction (" + MethodText(c) +
                    "), (1+k) = " + FormatFixed(c.OnePlusK, 1, 4) + source + ":\n";
  for (const ShipRun& r : prediction.runs) {
    out += "  Vs = " + FormatFixed(r.VsKnots, 3, 2) + " kn   Pe = " + FormatFixed(r.PeKW, 7, 1) +
           " kW\n";
  }
  return out;
}

}  // namespace kavrel
