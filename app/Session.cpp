// One whole analysis with everything it writes.
#include "app/Session.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <optional>
#include <utility>

#include "files/OutputSet.h"
#include "files/InputFile.h"
#include "frontends/SvgWriter.h"
#include "graphs/PowerGraph.h"
#include "ship/ShipReport.h"
#include "ship/ShipStage.h"
#include "text/Faults.h"

namespace kavrel {

namespace {

// Every file an analysis may write, so that a later one removes those it does not make.
std::vector<std::string> OutputNames() {
  std::vector<std::string> names{ReportFileName, RunTableFileName, ShipReportFileName,
                                 ShipCsvFileName, SvgFileName(WindowId::Ship_Power)};
  for (WindowId id : AllWindows) {
    if (!SvgFileName(id).empty()) names.push_back(SvgFileName(id));
  }
  return names;
}

// The previews a terminal run keeps up to date; a killed run leaves them.
std::vector<std::string> PreviewNames() {
  std::vector<std::string> names;
  for (WindowId id : AllWindows) {
    if (!SvgPreviewFileName(id).empty()) names.push_back(SvgPreviewFileName(id));
  }
  return names;
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
                        const std::function<void()>& switched) {
  // Under the lock, what an earlier run cut short is finished or removed before anything is
  // read.
  LockFolder(folder);
  const std::vector<std::string> names = OutputNames(), previews = PreviewNames();
  const std::vector<std::string_view> outputs(names.begin(), names.end()),
      leftovers(previews.begin(), previews.end());
  RecoverFolder(folder, outputs, leftovers);

  CheckedTest test = ReadAndCheckTest(folder);
  const std::optional<ShipParticulars> ship = ReadShipStage(folder, test.runs.Fn);
  const AnalysedTest analysed = AnalyseTest(ui, std::move(test));
  std::optional<ShipPrediction> prediction;
  if (ship) {
    const CheckedTest& t = analysed.test;
    prediction = PredictShipStage(
        *ship, {t.runs.Fn, t.data.Vm, t.runs.CtmS, t.runs.Cfm, t.data.Lwl, t.data.Sw});
  }

  // Every output made, then switched into place as one set.
  std::vector<OutputFile> set = ReportOutputs(analysed);
  for (WindowId id : AllWindows) {
    if (SvgFileName(id).empty()) continue;
    set.push_back({SvgFileName(id), SvgPicture(ui.Window(id)), "the picture"});
  }
  Outcome outcome;
  outcome.formFactors = FormFactorsOf(analysed);
  if (prediction) {
    set.push_back({ShipReportFileName, ShipReportText(*prediction), "the full-scale prediction"});
    set.push_back({ShipCsvFileName, ShipCsvText(*prediction), "the full-scale prediction"});
    DisplayWindow power = PowerGraphWindow();
    std::vector<double> knots, PeKW;
    for (const ShipRun& run : prediction->runs) {
      knots.push_back(run.VsKnots);
      PeKW.push_back(run.PeKW);
    }
    DrawPowerGraph(power, knots, PeKW);
    set.push_back({SvgFileName(WindowId::Ship_Power), SvgPicture(power), "the picture"});
    outcome.shipSummary = ShipSummaryText(*prediction);
  }
  CommitOutputSet(folder, set, outputs, switched);
  for (const OutputFile& file : set) outcome.written.push_back(file.name);
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
