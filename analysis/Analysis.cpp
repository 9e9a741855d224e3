// The analysis driver: one test from the data file to the report, in five steps: read and
// check the test, show the first screen, convert to another temperature when asked, smooth
// by the chosen method, write the report (and the run table beside it).
#include "analysis/Analysis.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "files/OutputSet.h"
#include "formfactor/FormFactor.h"
#include "munk/MunkSmoothing.h"
#include "polynomial/PolynomialSmoothing.h"
#include "text/Answers.h"
#include "text/NumberText.h"
#include "ui/Ask.h"
#include "ui/TextWindow.h"
#include "water/WaterProperties.h"

namespace kavrel {

namespace {

// The data file and one of its lines, as messages name them.
std::string Where(const TestData& data, int line) {
  return (data.fileName.empty() ? std::string(DataFileName) : data.fileName) + ":" +
         std::to_string(line);
}

// Faults in the particulars and in the runs that make a coefficient undefined end the
// analysis before any question.
void CheckParticulars(const TestData& data) {
  if (!(data.Sw > 0)) {
    throw InputFault(Where(data, data.particularsLine) +
                     ": the wetted surface Sw must be positive, found " + ReadableNumber(data.Sw));
  }
  if (!(data.Lwl > 0)) {
    throw InputFault(Where(data, data.particularsLine) +
                     ": the water-line length Lwl must be positive, found " +
                     ReadableNumber(data.Lwl));
  }
  for (std::size_t i = 0; i < data.Vm.size(); ++i) {
    if (!(data.Vm[i] > 0)) {
      throw InputFault(Where(data, data.runLines[i]) + ": run " + std::to_string(i + 1) +
                       ": the speed must be positive, found " + ReadableNumber(data.Vm[i]) +
                       " m/s");
    }
  }
}

// A run whose Reynolds number is too small for the ITTC-1957 line (log10 Rn > 2 is needed).
struct ReynoldsFault {
  std::size_t run = 0;  // index of the run
  std::string text;
};

std::optional<ReynoldsFault> FindReynoldsFault(const TestData& data, double Nue) {
  for (std::size_t i = 0; i < data.Vm.size(); ++i) {
    const double Rn = data.Vm[i] * data.Lwl / Nue;
    if (!(Rn > 100)) {
      return ReynoldsFault{i, "run " + std::to_string(i + 1) + ": the Reynolds number " +
                                  ReadableNumber(Rn) +
                                  " is 100 or less, where the ITTC-1957 line is undefined"};
    }
  }
  return std::nullopt;
}

// Extreme but finite data can still overflow: every value of a run, at the scale at which
// the smoothing, the windows and the report use it (coefficients times 1000, Rnm / 10^7),
// must be a finite number, or the analysis ends naming the run's line.
void CheckFinite(const CheckedTest& test, const std::string& when) {
  const RunCoefficients& runs = test.runs;
  for (std::size_t i = 0; i < runs.Fn.size(); ++i) {
    const struct {
      const char* name;
      double value;
    } values[] = {{"the Froude number Fn", runs.Fn[i]},
                  {"the Reynolds number Rnm", runs.Rnm[i] / 10000000},
                  {"the resistance Rtm", test.data.Rtm[i]},
                  {"the total resistance coefficient Ctm", runs.Ctm[i] * 1000},
                  {"the frictional resistance coefficient Cfm", runs.Cfm[i] * 1000}};
    for (const auto& [name, value] : values) {
      if (!std::isfinite(value)) {
        throw InputFault(Where(test.data, test.data.runLines[i]) + ": " + name +
                         " of the run on this line is not a finite number" + when +
                         "; its numbers are out of any sensible range");
      }
    }
  }
}

}  // namespace

// Step 1: the data file read and checked, the runs sorted by speed, their coefficients.
CheckedTest ReadAndCheckTest(const Folder& folder) {
  CheckedTest test{ReadTestData(folder, DataFileName), {}};
  TestData& data = test.data;
  CheckParticulars(data);
  if (!WaterProperties(data.T, test.Nue, test.Rho)) {
    throw InputFault(Where(data, data.temperatureLine) + ": the water temperature " +
                     ReadableNumber(data.T) +
                     " degrees lies outside the water tables (0 to 30 degrees)");
  }
  if (const auto fault = FindReynoldsFault(data, test.Nue)) {
    throw InputFault(Where(data, data.runLines[fault->run]) + ": " + fault->text);
  }
  SortRuns(data.Rtm, data.Vm, data.runLines);
  test.runs = ComputeCoefficients(data.Vm, data.Rtm, data.Sw, data.Lwl, test.Rho, test.Nue);
  CheckFinite(test, "");
  return test;
}

namespace {

// Step 2: the water temperature and the note on the decimal separator.
void FirstScreen(Toolkit& ui, double T) {
  DisplayWindow& screen = ClearedTextWindow(ui);
  screen.SetPrintPosition(10, 20);
  screen.Print(" The water temperature during the resistance tests is " + FormatFixed(T, 2, 2) +
               " degrees");
  screen.SetPrintPosition(10, 70);
  screen.Print(" ******* IMPORTANT NOTE **********");
  screen.SetFontSize(8);
  screen.SetPrintPosition(10, 75);
  screen.Print(" In order to run the program properly the decimal separator");
  screen.SetPrintPosition(10, 80);
  screen.Print(" at the 'REGIONAL SETTINGS on WinXP' should be set as point '.'");
}

// Step 3: the temperature question and, when it is answered yes, the new temperature and
// the conversion of every run to it.
Conversion ConvertWhenAsked(Toolkit& ui, CheckedTest& test) {
  const TestData& data = test.data;
  Conversion conversion;
  conversion.converted = IsYes(
      ui.Ask({"Do you want to interpret the resistance tests to another degrees of temperature ? "
              "Y/N <N> ",
              "resistance temperature scaling", "N"}));
  if (!conversion.converted) return conversion;
  double newNue = 0;
  double newRho = 0;
  AskUntilAccepted(
      ui,
      {"Enter the new temperature at which the resistance tests to be scaled.",
       "resistance temperature entry", ShortestDecimal(data.T)},
      [&](const std::string& answer) -> Refusal {
        const auto value = ParseSingle(answer);
        // A number beyond single precision (1e300) is a number, but not a temperature.
        if (!value && !ParseNumber(answer)) return NotANumberMessage(answer);
        if (!value || !WaterProperties(static_cast<double>(*value), newNue, newRho)) {
          return "The temperature " + answer +
                 " lies outside the water tables. Please enter a temperature from 0 to 30 "
                 "degrees.";
        }
        if (const auto fault = FindReynoldsFault(data, newNue)) {
          return "At " + answer + " degrees " + fault->text + ". Please enter another temperature.";
        }
        conversion.Tnew = *value;
        return std::nullopt;
      });
  ConvertTemperature(test.runs, test.data.Rtm, data.Vm, data.Sw, data.Lwl, newRho, newNue);
  CheckFinite(test, " after the temperature conversion");
  test.Nue = newNue;
  test.Rho = newRho;
  return conversion;
}

// The runs as the report's run table numbers them, for choosing the range to smooth where no
// graph shows them.
TextTable RunListTable(const RunCoefficients& runs) {
  TextTable table{" The runs by speed (NS and ND are their numbers NO):",
                  {"  NO    Fn      Ctm", "               *1000"},
                  {}};
  for (std::size_t i = 0; i < runs.Fn.size(); ++i) {
    table.rows.push_back(FormatInteger(static_cast<double>(i + 1), 4) + " " +
                         FormatFixed(runs.Fn[i], 3, 3) + "  " + FormatFixed(runs.Ctm[i], 3, 3));
  }
  return table;
}

// The same for a front end without windows, a line each.
std::string RunListText(const TextTable& table) {
  std::string out = "\n" + table.title + "\n";
  for (const auto* lines : {&table.head, &table.rows}) {
    for (const std::string& line : *lines) out += line + "\n";
  }
  return out;
}

// Step 4: the smoothing question and the chosen dialogue, which leaves its values in CtmS.
Smoothing SmoothByChoice(Toolkit& ui, RunCoefficients& runs) {
  const TextTable runList = RunListTable(runs);
  ui.Transcript(RunListText(runList));
  DisplayWindow& screen = ClearedTextWindow(ui);
  PrintTextLine(screen, 1, " ENTER THE SMOOTHING CHOISE 1/2  <1>");
  PrintTextLine(screen, 2, " <1> REGRESSION POLYNOMIAL SMOOTHING");
  PrintTextLine(screen, 3, " <2> TORBEN MUNK WAVE RESISTANCE APROACH");
  Smoothing smoothing;
  smoothing.SmoothingType =
      AskWhole16(ui, {"Enter the values 1 or 2", "smoothing type entry", "1"});
  screen.Clear();
  // The seam of the two smoothing methods: 1 is the regression polynomial, every other
  // answer the wave-resistance approach.
  if (smoothing.SmoothingType == 1) {
    ui.ListRuns(runList);
    smoothing.fits = PolynomialSmoothing(ui, runs.Fn, runs.CtmS, runs.Ctm, runs.Cfm);
  } else {
    MunkSmoothing(ui, runs.Cfm, runs.CtmS, runs.Ctm, runs.Fn, smoothing.D);
  }
  return smoothing;
}

// The run table for spreadsheets and scripts: coefficients as plain numbers, Rnm the Reynolds
// number itself, every number in its shortest round-trip form.
std::string RunTableText(const ReportData& report) {
  std::string out = "run,Fn,Vm,Rtm,Ctm,CtmS,Cfm,Rnm\n";
  for (std::size_t i = 0; i < report.Fn.size(); ++i) {
    out += std::to_string(i + 1);
    AppendCsvNumbers(out, {report.Fn[i], report.Vm[i], report.Rtm[i], report.Ctm[i] / 1000,
                           report.CtmS[i] / 1000, report.Cfm[i] / 1000, report.Rnm[i]});
    out += "\n";
  }
  return out;
}

}  // namespace

AnalysedTest AnalyseTest(Toolkit& ui, CheckedTest test) {
  FirstScreen(ui, test.data.T);
  const Conversion conversion = ConvertWhenAsked(ui, test);
  ScaleBy1000(test.runs);
  const Smoothing smoothing = SmoothByChoice(ui, test.runs);
  return {std::move(test), conversion, smoothing};
}

ReportData AnalysedTest::Report() const {
  const RunCoefficients& runs = test.runs;
  return {
      .Fn = runs.Fn,
      .Vm = test.data.Vm,
      .Rtm = test.data.Rtm,
      .Ctm = runs.Ctm,
      .CtmS = runs.CtmS,
      .Cfm = runs.Cfm,
      .Rnm = runs.Rnm,
      .Sw = test.data.Sw,
      .Lwl = test.data.Lwl,
      .temperature = conversion.converted ? static_cast<double>(conversion.Tnew) : test.data.T,
      .Rho = test.Rho,
      .Nue = test.Nue,
      .g = g,
      .SmoothingType = smoothing.SmoothingType,
      .D = smoothing.D,
      .converted = conversion.converted,
      .Tnew = conversion.Tnew,
  };
}

bool AnalysedTest::Smoothed() const {
  return !std::ranges::equal(test.runs.Ctm, test.runs.CtmS);
}

FormFactors FormFactorsOf(const AnalysedTest& analysed) {
  const RunCoefficients& runs = analysed.test.runs;
  return {ProhaskaFormFactor(runs.Fn, runs.Ctm, runs.Cfm),
          ProhaskaFormFactor(runs.Fn, runs.CtmS, runs.Cfm)};
}

std::string FormFactorLines(const FormFactors& found) {
  std::string out;
  for (const auto& [data, value] : {std::pair{"raw", found.raw}, {"smoothed", found.smoothed}}) {
    out += "Form factor (1+k), ";
    out += data;
    out += " data: ";
    out += value ? std::string(TrimBlanks(FormatFixed(*value, 2, 3)))
                 : "not found (at least two runs with 0.1 < Fn < 0.2 are needed)";
    out += "\n";
  }
  return out;
}

// Step 5: KAVREL.OUT and the run table.
std::vector<OutputFile> ReportOutputs(const AnalysedTest& analysed) {
  const CheckedTest& test = analysed.test;
  const RunCoefficients& runs = test.runs;
  // The smoothing dialogues refuse fits that are not finite; this is the last guard.
  for (std::size_t i = 0; i < runs.CtmS.size(); ++i) {
    if (!std::isfinite(runs.CtmS[i])) {
      throw InputFault("run " + std::to_string(i + 1) + " (" +
                       Where(test.data, test.data.runLines[i]) +
                       "): the smoothed coefficient CtmS is not a finite number; no report is "
                       "written");
    }
  }
  const ReportData report = analysed.Report();
  return {{ReportFileName, ReportText(report), "the report"},
          {RunTableFileName, RunTableText(report), "the run table"}};
}

void WriteReport(const Folder& folder, const AnalysedTest& analysed) {
  const std::vector<OutputFile> outputs = ReportOutputs(analysed);
  CommitOutputSet(folder, outputs, {});
}

void RunAnalysis(Toolkit& ui, const Folder& folder) {
  WriteReport(folder, AnalyseTest(ui, ReadAndCheckTest(folder)));
}

}  // namespace kavrel
