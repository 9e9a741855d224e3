// One analysis of one resistance test, from the data file to the report.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Coefficients.h"
#include "analysis/Report.h"
#include "analysis/TestData.h"
#include "files/Folder.h"
#include "files/OutputSet.h"
#include "munk/MunkFit.h"
#include "polynomial/PolynomialFit.h"
#include "text/Faults.h"
#include "ui/Toolkit.h"

namespace kavrel {

inline constexpr const char* DataFileName = "KAVREL_BAS.DAT";
inline constexpr const char* ReportFileName = "KAVREL.OUT";
inline constexpr const char* RunTableFileName = "KAVREL.csv";

// The test as read and checked, and its coefficients.
struct CheckedTest {
  TestData data;
  RunCoefficients runs;
  double Nue = 0;  // the water the coefficients are taken in (after any conversion)
  double Rho = 0;
};

// The answer to the temperature question.
struct Conversion {
  bool converted = false;  // answered "Y" or "y"
  float Tnew = 0;          // the new temperature, as typed
};

// The smoothing answer and the settings it accepted: for the regression polynomial every fit
// that made CtmS, in order; for the wave-resistance approach its parameters.
struct Smoothing {
  int SmoothingType = 0;
  MunkParameters D{};
  std::vector<PolynomialFitSetting> fits;
};

// A finished analysis: what the report shows.
struct AnalysedTest {
  CheckedTest test;  // coefficients times 1000, CtmS smoothed
  Conversion conversion;
  Smoothing smoothing;

  // Views of the values above for the report.
  ReportData Report() const;
  // Whether a smoothing was accepted: false when CtmS is the measured Ctm (order 0, or too few
  // speeds for the wave-resistance approach).
  bool Smoothed() const;
};

// The form factor (1+k) of a finished analysis, from the measured Ctm (raw) and from the
// smoothed CtmS, as the form-factor diagrams found it; empty where no line could be fitted
// (fewer than two runs with 0.1 < Fn < 0.2).
struct FormFactors {
  std::optional<double> raw;
  std::optional<double> smoothed;
};
FormFactors FormFactorsOf(const AnalysedTest& analysed);

// Lines saying the two (1+k), or why they could not be found, for the end of an analysis.
std::string FormFactorLines(const FormFactors& found);

// Reads KAVREL_BAS.DAT in `folder`, checks it, sorts the runs by speed and computes their
// coefficients. Throws InputFault for a fault in the data.
CheckedTest ReadAndCheckTest(const Folder& folder);

// The dialogue through `ui`: the first screen, the temperature question and conversion, the
// smoothing choice and its dialogue. Throws InputFault when the answers run out or a value
// does not come out finite.
AnalysedTest AnalyseTest(Toolkit& ui, CheckedTest test);

// KAVREL.OUT and the run table KAVREL.csv of a finished analysis, as outputs of its set.
// Throws InputFault when a smoothed coefficient is not finite.
std::vector<OutputFile> ReportOutputs(const AnalysedTest& analysed);

// Writes KAVREL.OUT and the run table KAVREL.csv into `folder`, both or neither. Throws
// WriteFault when they cannot be written (the earlier files stay as they were).
void WriteReport(const Folder& folder, const AnalysedTest& analysed);

// The three together: reads KAVREL_BAS.DAT in `folder`, asks the temperature and smoothing
// questions through `ui`, runs the chosen smoothing dialogue and writes KAVREL.OUT and
// KAVREL.csv into `folder`.
void RunAnalysis(Toolkit& ui, const Folder& folder);

}  // namespace kavrel
