// The texts of the uncertainty analysis: the report KAVREL_UNC.OUT, the table KAVREL_UNC.csv
// and the lines said at the end of the analysis.
#pragma once

#include <string>

#include "uncertainty/Uncertainty.h"

namespace kavrel {

inline constexpr const char* UncertaintyReportFileName = "KAVREL_UNC.OUT";
inline constexpr const char* UncertaintyCsvFileName = "KAVREL_UNC.csv";

// The sources with their values or "not included", the random part, k and the method, then the
// tables of Ctm, CtmS, Cr, (1+k) and, with a ship file, Cts and Pe, each value with the
// contribution of every source, u_c and U; lines end in CR LF like KAVREL.OUT.
std::string UncertaintyReportText(const UncertaintyResult& result);

// One row per quantity and run: value, u_c, U, each source's signed contribution (empty when
// not included) and the random part; plain numbers in shortest round-trip form, lines end in LF.
std::string UncertaintyCsvText(const UncertaintyResult& result);

// (1+k) with its U and the range of U in % of Ctm (and of Pe), one line each.
std::string UncertaintySummaryText(const UncertaintyResult& result);

}  // namespace kavrel
