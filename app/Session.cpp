// One whole analysis with everything it writes.
#include "app/Session.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <optional>
#include <utility>

#include "files/FileWrite.h"
#include "files/InputFile.h"
#include "frontends/SvgWriter.h"
#include "graphs/PowerGraph.h"
#include "graphs/UncertaintyGraph.h"
#include "ship/ShipReport.h"
#include "ship/ShipStage.h"
#include "text/Faults.h"
#include "uncertainty/UncertaintyReport.h"

namespace kavrel {

namespace {

void WritePicture(const DisplayWindow& window, const Folder& folder) {
  WriteOutput(folder, SvgFileName(window.Id()), SvgPicture(window), "the picture", true);
}

// Whether `folder` holds the optional input file `name`. A link that leads nowhere is a file
// that cannot be opened, not a missing one.
bool Holds(const Folder& folder, const char* name) {
  struct stat status {};
  return ::fstatat(folder.Descriptor(), name, &status, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT;
}

// The particulars of KAVREL_SHIP.DAT in `folder`, checked against the runs' Froude numbers
// (whether they can give (1+k)); nothing when the folder holds no ship file.
std::optional<ShipParticulars> ReadShipStage(const Folder& folder, std::span<const double> Fn) {
  if (!Holds(folder, ShipFileName)) return std::nullopt;
  InputFile file(folder, ShipFileName, "ship file");
  ShipParticulars ship = ReadShipFile(file.Stream(), ShipFileName);
  CheckFormFactorSource(ship, Fn, ShipFileName);
  return ship;
}

// The settings of KAVREL_UNC.DAT in `folder`, checked against the test temperature and the ship
// file; nothing when the folder holds no uncertainty file.
std::optional<UncertaintySettings> ReadUncertaintyStage(
    const Folder& folder, double T, const std::optional<ShipParticulars>& ship) {
  if (!Holds(folder, UncertaintyFileName)) return std::nullopt;
  InputFile file(folder, UncertaintyFileName, "uncertainty file");
  UncertaintySettings settings = ReadUncertaintyFile(file.Stream(), UncertaintyFileName);
  CheckUncertaintySettings(settings, T, ship && ship->formFactor, UncertaintyFileName);
  return settings;
}

// The prediction's report, table and picture.
void WriteShipFiles(const ShipPrediction& prediction, const Folder& folder, Outcome& outcome) {
  for (const auto& [name, text] : {std::pair{ShipReportFileName, ShipReportText(prediction)},
                                   std::pair{ShipCsvFileName, ShipCsvText(prediction)}}) {
    WriteOutput(folder, name, text, "the full-scale prediction", true);
  }
  outcome.written.insert(outcome.written.end(), {ShipReportFileName, ShipCsvFileName});
  DisplayWindow power = PowerGraphWindow();
  std::vector<double> knots, PeKW;
  for (const ShipRun& run : prediction.runs) {
    knots.push_back(run.VsKnots);
    PeKW.push_back(run.PeKW);
  }
  DrawPowerGraph(power, knots, PeKW);
  WritePicture(power, folder);
  outcome.written.push_back(SvgFileName(WindowId::Ship_Power));
  outcome.shipSummary = ShipSummaryText(prediction);
}

}  // namespace

Outcome AnalyseAndWrite(Toolkit& ui, const Folder& folder,
                        const std::function<void()>& reportWritten) {
  Outcome outcome;
  CheckedTest test = ReadAndCheckTest(folder);
  const std::optional<ShipParticulars> ship = ReadShipStage(folder, test.runs.Fn);
  const std::optional<UncertaintySettings> uncertaintySettings =
      ReadUncertaintyStage(folder, test.data.T, ship);
  // The test as read, before the dialogue converts it: the inputs of the uncertainty analysis.
  const std::optional<CheckedTest> measured =
      uncertaintySettings ? std::optional(test) : std::nullopt;
  const AnalysedTest analysed = AnalyseTest(ui, std::move(test));
  std::optional<ShipPrediction> prediction;
  if (ship) {
    const CheckedTest& t = analysed.test;
    prediction = PredictShipStage(
        *ship, {t.runs.Fn, t.data.Vm, t.runs.CtmS, t.runs.Cfm, t.data.Lwl, t.data.Sw});
  }
  std::optional<UncertaintyResult> uncertainty;
  if (uncertaintySettings) {
    uncertainty = EvaluateUncertainty(*uncertaintySettings, *measured, analysed, ship, prediction);
  }
  WriteReport(folder, analysed);
  if (reportWritten) reportWritten();
  outcome.formFactors = FormFactorsOf(analysed);
  outcome.written = {ReportFileName, RunTableFileName};
  for (WindowId id : AllWindows) {
    if (SvgFileName(id).empty()) continue;
    WritePicture(ui.Window(id), folder);
    outcome.written.push_back(SvgFileName(id));
  }
  if (prediction) WriteShipFiles(*prediction, folder, outcome);
  // The uncertainty analysis's files, the last of the set.
  if (uncertainty) {
    for (const auto& [name, text] :
         {std::pair{UncertaintyReportFileName, UncertaintyReportText(*uncertainty)},
          std::pair{UncertaintyCsvFileName, UncertaintyCsvText(*uncertainty)}}) {
      WriteOutput(folder, name, text, "the uncertainty analysis", true);
    }
    DisplayWindow picture = UncertaintyGraphWindow();
    std::vector<double> Ctm, UCtm, CtmS, UCtmS;
    for (std::size_t i = 0; i < uncertainty->Ctm.size(); ++i) {
      Ctm.push_back(uncertainty->Ctm[i].value);
      UCtm.push_back(uncertainty->Ctm[i].U);
      CtmS.push_back(uncertainty->CtmS[i].value);
      UCtmS.push_back(uncertainty->CtmS[i].U);
    }
    DrawUncertaintyGraph(picture, uncertainty->Fn, Ctm, UCtm, CtmS, UCtmS);
    WriteOutput(folder, SvgFileName(WindowId::Uncertainty), SvgPicture(picture),
                "the uncertainty analysis", true);
    outcome.written.insert(
        outcome.written.end(),
        {UncertaintyReportFileName, UncertaintyCsvFileName, SvgFileName(WindowId::Uncertainty)});
    outcome.uncertaintySummary = UncertaintySummaryText(*uncertainty);
  }
  return outcome;
}

std::string ClosingNote(const Outcome& outcome, const Folder& folder) {
  std::string note = "The analysis is finished. Written in ";
  note += folder.CurrentPath().string();
  note += ":\n";
  for (std::size_t i = 0; i < outcome.written.size(); ++i) {
    if (i > 0) note += ", ";
    note += outcome.written[i];
  }
  note += "\n\n";
  note += FormFactorLines(outcome.formFactors);
  note += outcome.uncertaintySummary;
  return note;
}

Closing ClosingWords(const Outcome& outcome, const Folder& folder) {
  return {.note = ClosingNote(outcome, folder),
          .reportPath = (folder.CurrentPath() / ReportFileName).string(),
          .formFactors = FormFactorLines(outcome.formFactors) + outcome.uncertaintySummary,
          .shipSummary = outcome.shipSummary};
}

}  // namespace kavrel
