// The analysis driver: data file, water properties, coefficients, the temperature and
// smoothing questions, the chosen smoothing dialogue, and the report.
#include "analysis/Analysis.h"

#include <cmath>
#include <string>

#include "analysis/Answers.h"
#include "analysis/Coefficients.h"
#include "analysis/FileWrite.h"
#include "analysis/InputFault.h"
#include "analysis/NumberText.h"
#include "analysis/Report.h"
#include "analysis/TestData.h"
#include "munk/MunkSmoothing.h"
#include "polynomial/PolynomialSmoothing.h"
#include "water/WaterProperties.h"

namespace kavrel {

namespace {

std::string Where(const std::string& file, int line) {
  return file + ":" + std::to_string(line);
}

// Faults in the particulars and in the runs that make a coefficient undefined end the
// analysis before any question.
void CheckParticulars(const TestData& data, const std::string& file) {
  if (!(data.Sw > 0)) {
    throw InputFault(Where(file, data.particularsLine) +
                     ": the wetted surface Sw must be positive, found " + ShortestDecimal(data.Sw));
  }
  if (!(data.Lwl > 0)) {
    throw InputFault(Where(file, data.particularsLine) +
                     ": the water-line length Lwl must be positive, found " +
                     ShortestDecimal(data.Lwl));
  }
  for (std::size_t i = 0; i < data.Vm.size(); ++i) {
    if (!(data.Vm[i] > 0)) {
      throw InputFault(Where(file, data.runLines[i]) + ": run " + std::to_string(i + 1) +
                       ": the speed must be positive, found " + ShortestDecimal(data.Vm[i]) +
                       " m/s");
    }
  }
}

// The ITTC-1957 line needs log10 Rn > 2.
std::string ReynoldsFault(const TestData& data, double Nue, std::size_t* run) {
  for (std::size_t i = 0; i < data.Vm.size(); ++i) {
    const double Rn = data.Vm[i] * data.Lwl / Nue;
    if (!(Rn > 100)) {
      *run = i;
      return "run " + std::to_string(i + 1) + ": the Reynolds number " + ShortestDecimal(Rn) +
             " is 100 or less, where the ITTC-1957 line is undefined";
    }
  }
  return {};
}

// Extreme but finite data can still overflow: every value of a run, at the scale at which
// the smoothing, the windows and the report use it (coefficients times 1000, Rnm / 10^7),
// must be a finite number, or the analysis ends naming the run's line.
void CheckFinite(const RunCoefficients& runs, std::span<const double> Rtm,
                 std::span<const int> lines, const std::string& file, const std::string& when) {
  for (std::size_t i = 0; i < runs.Fn.size(); ++i) {
    const struct {
      const char* name;
      double value;
    } values[] = {{"the Froude number Fn", runs.Fn[i]},
                  {"the Reynolds number Rnm", runs.Rnm[i] / 10000000},
                  {"the resistance Rtm", Rtm[i]},
                  {"the total resistance coefficient Ctm", runs.Ctm[i] * 1000},
                  {"the frictional resistance coefficient Cfm", runs.Cfm[i] * 1000}};
    for (const auto& [name, value] : values) {
      if (!std::isfinite(value)) {
        throw InputFault(Where(file, lines[i]) + ": " + name +
                         " of the run on this line is not a finite number" + when +
                         "; its numbers are out of any sensible range");
      }
    }
  }
}

void FirstScreen(Toolkit& ui, double T) {
  DisplayWindow& screen = ui.Window(WindowId::Ekran_Form1);
  screen.Show();
  screen.Clear();
  screen.SetFontSize(10);
  screen.SetUserCoordinates(0, 0, 100, 100);
  screen.SetFontName("Times New Roman");
  screen.SetTextColour(Colour::DarkBlue);
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

void SecondScreen(Toolkit& ui) {
  DisplayWindow& screen = ui.Window(WindowId::Ekran_Form1);
  screen.Show();
  screen.Clear();
  screen.SetFontSize(10);
  screen.SetFontName("Times New Roman");
  screen.SetTextColour(Colour::DarkBlue);
  const double left = 10;
  const double first = 10;
  const double step = 5;
  screen.SetPrintPosition(left, first);
  screen.Print(" ENTER THE SMOOTHING CHOISE 1/2  <1>");
  screen.SetPrintPosition(left, first + step);
  screen.Print(" <1> REGRESSION POLYNOMIAL SMOOTHING");
  screen.SetPrintPosition(left, first + 2 * step);
  screen.Print(" <2> TORBEN MUNK WAVE RESISTANCE APROACH");
}

}  // namespace

void RunAnalysis(Toolkit& ui, const std::filesystem::path& folder) {
  const std::string file = DataFileName;
  TestData data = ReadTestData(folder / DataFileName, file);
  CheckParticulars(data, file);

  double Nue = 0;
  double Rho = 0;
  if (!WaterProperties(data.T, Nue, Rho)) {
    throw InputFault(Where(file, data.temperatureLine) + ": the water temperature " +
                     ShortestDecimal(data.T) +
                     " degrees lies outside the water tables (0 to 30 degrees)");
  }
  std::size_t faultyRun = 0;
  if (const std::string fault = ReynoldsFault(data, Nue, &faultyRun); !fault.empty()) {
    throw InputFault(Where(file, data.runLines[faultyRun]) + ": " + fault);
  }

  SortRuns(data.Rtm, data.Vm, data.runLines);
  RunCoefficients runs = ComputeCoefficients(data.Vm, data.Rtm, data.Sw, data.Lwl, Rho, Nue);
  CheckFinite(runs, data.Rtm, data.runLines, file, "");

  FirstScreen(ui, data.T);
  const std::string temperatureAnswer =
      ui.Ask({"Do you want to interpret the resistance tests to another degrees of temperature ? "
              "Y/N <N> ",
              "resistance temperature scaling", "N"});
  const bool converted = IsYes(temperatureAnswer);
  float Tnew = 0;
  double temperature = data.T;
  if (converted) {
    double newNue = 0;
    double newRho = 0;
    AskUntilAccepted(
        ui,
        {"Enter the new temperature at which the resistance tests to be scaled.",
         "resistance temperature entry", ShortestDecimal(data.T)},
        [&](const std::string& answer) -> std::string {
          const auto value = ParseSingle(answer);
          // A number beyond single precision (1e300) is a number, but not a temperature.
          if (!value && !ParseNumber(answer)) return NotANumberMessage(answer);
          if (!value || !WaterProperties(static_cast<double>(*value), newNue, newRho)) {
            return "The temperature " + answer +
                   " lies outside the water tables. Please enter a temperature from 0 to 30 "
                   "degrees.";
          }
          std::size_t run = 0;
          if (const std::string fault = ReynoldsFault(data, newNue, &run); !fault.empty()) {
            return "At " + answer + " degrees " + fault + ". Please enter another temperature.";
          }
          Tnew = *value;
          return {};
        });
    ConvertTemperature(runs, data.Rtm, data.Vm, data.Sw, data.Lwl, newRho, newNue);
    CheckFinite(runs, data.Rtm, data.runLines, file, " after the temperature conversion");
    Nue = newNue;
    Rho = newRho;
    temperature = static_cast<double>(Tnew);
  }
  ScaleBy1000(runs);

  SecondScreen(ui);
  const int SmoothingType =
      AskWhole16(ui, {"Enter the values 1 or 2", "smoothing type entry", "1"});
  ui.Window(WindowId::Ekran_Form1).Clear();

  // The seam of the two smoothing methods: 1 is the regression polynomial, every other
  // answer the wave-resistance approach.
  MunkParameters D{};
  if (SmoothingType == 1) {
    PolynomialSmoothing(ui, runs.Fn, runs.CtmS, runs.Ctm, runs.Cfm);
  } else {
    MunkSmoothing(ui, runs.Cfm, runs.CtmS, runs.Ctm, runs.Fn, D);
  }

  ReportData report;
  report.Fn = runs.Fn;
  report.Vm = data.Vm;
  report.Rtm = data.Rtm;
  report.Ctm = runs.Ctm;
  report.CtmS = runs.CtmS;
  report.Cfm = runs.Cfm;
  report.Rnm = runs.Rnm;
  report.Sw = data.Sw;
  report.Lwl = data.Lwl;
  report.temperature = temperature;
  report.Rho = Rho;
  report.Nue = Nue;
  report.g = g;
  report.SmoothingType = SmoothingType;
  report.D = D;
  report.converted = converted;
  report.Tnew = Tnew;
  // The smoothing dialogues refuse fits that are not finite; this is the last guard.
  for (std::size_t i = 0; i < runs.CtmS.size(); ++i) {
    if (!std::isfinite(runs.CtmS[i])) {
      throw InputFault("run " + std::to_string(i + 1) + " (" + Where(file, data.runLines[i]) +
                       "): the smoothed coefficient CtmS is not a finite number; no report is "
                       "written");
    }
  }
  const std::string failure = WriteFileAtomically(folder / ReportFileName, ReportText(report));
  if (!failure.empty()) {
    throw WriteFault("cannot write the report " + std::string(ReportFileName) + " in " +
                     folder.string() + ": " + failure);
  }
}

}  // namespace kavrel
