// One analysis of one resistance test, from the data file to the report.
#pragma once

#include <filesystem>
#include <string>

#include "text/Faults.h"
#include "ui/Toolkit.h"

namespace kavrel {

inline constexpr const char* DataFileName = "KAVREL_BAS.DAT";
inline constexpr const char* ReportFileName = "KAVREL.OUT";

// Reads KAVREL_BAS.DAT in `folder`, asks the temperature and smoothing questions
// through `ui`, runs the chosen smoothing dialogue and writes KAVREL.OUT into `folder`.
// Throws InputFault for a fault in the data or the answers (no report is written then)
// and WriteFault when the report cannot be written (an earlier report stays as it was).
void RunAnalysis(Toolkit& ui, const std::filesystem::path& folder);

}  // namespace kavrel
