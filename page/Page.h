// The report page KAVREL.html: one self-contained, static HTML5 document with the test, the
// analysis, the runs, the plots, the full-scale prediction and the uncertainty when there are
// any, the notes and the files written, for reading in a browser, printing on A4 and archiving.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "ship/Prediction.h"
#include "uncertainty/Uncertainty.h"

namespace kavrel {

inline constexpr const char* PageFileName = "KAVREL.html";

// An input file as the page identifies it.
struct PageInput {
  std::string name;
  std::uint64_t bytes = 0;
  std::string sha256;  // 64 hexadecimal digits
};

// A file of the output set, with what it is ("the report").
struct PageOutput {
  std::string name;
  std::string what;
};

struct PageContent {
  const AnalysedTest& analysed;
  const ShipPrediction* prediction = nullptr;
  const UncertaintyResult* uncertainty = nullptr;
  std::vector<PageInput> inputs;    // the data file first
  std::vector<PageOutput> written;  // every other file of the set, in order
  std::string version;              // of the program
};

// The page; the same content gives the same bytes (no clock time in it).
std::string PageText(const PageContent& content);

}  // namespace kavrel
