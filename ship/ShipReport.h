// The texts of the full-scale prediction: the report KAVREL_SHIP.OUT, the table
// KAVREL_SHIP.csv and the short summary shown at the end of the analysis.
#pragma once

#include <string>

#include "ship/Prediction.h"

namespace kavrel {

inline constexpr const char* ShipReportFileName = "KAVREL_SHIP.OUT";
inline constexpr const char* ShipCsvFileName = "KAVREL_SHIP.csv";

// Every input and constant used, then one row per run; lines end in CR LF like KAVREL.OUT.
std::string ShipReportText(const ShipPrediction& prediction);

// A header line and one row per run, coefficients as plain numbers, every number in its
// shortest round-trip form; lines end in LF.
std::string ShipCsvText(const ShipPrediction& prediction);

// The form factor used, and where it came from (the ship file, the smoothed runs, or the runs
// when no smoothing was accepted), and the speed and effective power of every run, one line
// each.
std::string ShipSummaryText(const ShipPrediction& prediction, bool smoothed);

}  // namespace kavrel
