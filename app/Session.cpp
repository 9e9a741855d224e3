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
#include "ship/ShipReport.h"
#include "ship/ShipStage.h"
#include "text/Faults.h"

namespace kavrel {

namespace {

void WritePicture(const DisplayWindow& window, const Folder& folder) {
  WriteOutput(folder, SvgFileName(window.Id()), SvgPicture(window), "the picture", true);
}

// The particulars of KAVREL_SHIP.DAT in `folder`, checked against the runs' Froude numbers
// (whether they can give (1+k)); nothing when the folder holds no ship file.
std::optional<ShipParticulars> ReadShipStage(const Folder& folder, std::span<const double> Fn) {
  // A link that leads nowhere is a ship file that cannot be opened, not a missing one.
  struct stat status {};
  if (::fstatat(folder.Descriptor(), ShipFileName, &status, AT_SYMLINK_NOFOLLOW) != 0 &&
      errno == ENOENT) {
    return std::nullopt;
  }
  InputFile file(folder, ShipFileName, "ship file");
  ShipParticulars ship = ReadShipFile(file.Stream(), ShipFileName);
  CheckFormFactorSource(ship, Fn, ShipFileName);
  return ship;
}

}  // namespace

Outcome AnalyseAndWrite(Toolkit& ui, const Folder& folder,
                        const std::function<void()>& reportWritten) {
  Outcome outcome;
  CheckedTest test = ReadAndCheckTest(folder);
  const std::optional<ShipParticulars> ship = ReadShipStage(folder, test.runs.Fn);
  const AnalysedTest analysed = AnalyseTest(ui, std::move(test));
  std::optional<ShipPrediction> prediction;
  if (ship) {
    const CheckedTest& t = analysed.test;
    prediction = PredictShipStage(
        *ship, {t.runs.Fn, t.data.Vm, t.runs.CtmS, t.runs.Cfm, t.data.Lwl, t.data.Sw});
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
  if (!prediction) return outcome;
  for (const auto& [name, text] : {std::pair{ShipReportFileName, ShipReportText(*prediction)},
                                   std::pair{ShipCsvFileName, ShipCsvText(*prediction)}}) {
    WriteOutput(folder, name, text, "the full-scale prediction", true);
  }
  outcome.written.insert(outcome.written.end(), {ShipReportFileName, ShipCsvFileName});
  DisplayWindow power = PowerGraphWindow();
  std::vector<double> knots, PeKW;
  for (const ShipRun& run : prediction->runs) {
    knots.push_back(run.VsKnots);
    PeKW.push_back(run.PeKW);
  }
  DrawPowerGraph(power, knots, PeKW);
  WritePicture(power, folder);
  outcome.written.push_back(SvgFileName(WindowId::Ship_Power));
  outcome.shipSummary = ShipSummaryText(*prediction);
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
  return note;
}

Closing ClosingWords(const Outcome& outcome, const Folder& folder) {
  return {.note = ClosingNote(outcome, folder),
          .reportPath = (folder.CurrentPath() / ReportFileName).string(),
          .formFactors = FormFactorLines(outcome.formFactors),
          .shipSummary = outcome.shipSummary};
}

}  // namespace kavrel
