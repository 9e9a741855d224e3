// One whole analysis with everything it writes.
#include "app/Session.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>

#include "files/InputFile.h"
#include "files/OutputSet.h"
#include "frontends/SvgWriter.h"
#include "graphs/PictureNote.h"
#include "graphs/PowerGraph.h"
#include "graphs/UncertaintyGraph.h"
#include "munk/MunkFit.h"
#include "page/Page.h"
#include "ship/ShipReport.h"
#include "ship/ShipStage.h"
#include "text/Answers.h"
#include "text/Faults.h"
#include "text/Sha256.h"
#include "uncertainty/UncertaintyReport.h"

namespace kavrel {

namespace {

// Every file an analysis may write, so that a later one removes those it does not make.
std::vector<std::string> OutputNames() {
  std::vector<std::string> names{ReportFileName,
                                 RunTableFileName,
                                 ShipReportFileName,
                                 ShipCsvFileName,
                                 SvgFileName(WindowId::Ship_Power),
                                 UncertaintyReportFileName,
                                 UncertaintyCsvFileName,
                                 SvgFileName(WindowId::Uncertainty),
                                 PageFileName};
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
  ShipParticulars ship = ReadShipFile(file.Stream(), folder.Shown(ShipFileName));
  CheckFormFactorSource(ship, Fn, folder.Shown(ShipFileName));
  return ship;
}

// The settings of KAVREL_UNC.DAT in `folder`, checked against the test temperature and the ship
// file; nothing when the folder holds no uncertainty file.
std::optional<UncertaintySettings> ReadUncertaintyStage(
    const Folder& folder, double T, const std::optional<ShipParticulars>& ship) {
  if (!Holds(folder, UncertaintyFileName)) return std::nullopt;
  InputFile file(folder, UncertaintyFileName, "uncertainty file");
  const std::string name = folder.Shown(UncertaintyFileName);
  UncertaintySettings settings = ReadUncertaintyFile(file.Stream(), name);
  CheckUncertaintySettings(settings, T, ship && ship->formFactor, name);
  return settings;
}

// The input file `name` in `folder` as the page identifies it: its size and SHA-256, read in
// bounded memory.
PageInput Identify(const Folder& folder, const char* name, const char* kind) {
  InputFile file(folder, name, kind);
  Sha256 digest;
  PageInput input{name, 0, {}};
  char buffer[65536];
  std::istream& in = file.Stream();
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    const auto count = static_cast<std::size_t>(in.gcount());
    digest.Update({buffer, count});
    input.bytes += count;
  }
  input.sha256 = digest.Hex();
  return input;
}

// Why the picture of `window` holds nothing of its own: a window never drawn (the smoothing
// ended before its diagram was drawn), or a form-factor diagram without its line. Nothing
// when it is a drawing.
std::vector<std::string> WhyEmpty(const AnalysedTest& analysed, const FormFactors& found,
                                  const DisplayWindow& window) {
  if (!window.Shown() || window.Items().empty()) {
    // Every answer but 1 to the smoothing question chose the wave-resistance approach.
    if (analysed.smoothing.SmoothingType != 1) {
      return {"Nothing is drawn: the wave resistance approach",
              "needs at least " + std::to_string(MunkUnknowns) + " runs at different speeds."};
    }
    return {"Nothing is drawn: no smoothing was accepted."};
  }
  if ((window.Id() == WindowId::Form_Faktor_Form1 && !found.raw) ||
      (window.Id() == WindowId::Form_Faktor_Form2 && !found.smoothed)) {
    return {"(1+k) not found: at least two runs", "with 0.1 < Fn < 0.2 are needed."};
  }
  return {};
}

}  // namespace

Outcome AnalyseAndWrite(Toolkit& ui, const Folder& folder, const Folder& output,
                        const std::function<void()>& switched) {
  // Under the lock, what an earlier run cut short is finished or removed before anything is
  // read; an output folder that cannot be written ends the analysis before the first question.
  CheckWritable(output);
  LockFolder(output);
  const std::vector<std::string> names = OutputNames(), previews = PreviewNames();
  const std::vector<std::string_view> outputs(names.begin(), names.end()),
      leftovers(previews.begin(), previews.end());
  RecoverFolder(output, outputs, leftovers);

  CheckedTest test = ReadAndCheckTest(folder);
  const std::optional<ShipParticulars> ship = ReadShipStage(folder, test.runs.Fn);
  if (ship) {
    const RunCoefficients& r = test.runs;
    CheckShipStage(*ship, {r.Fn, test.data.Vm, r.Ctm, r.Cfm, test.data.Lwl, test.data.Sw},
                   folder.Shown(ShipFileName));
  }
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
        *ship, {t.runs.Fn, t.data.Vm, t.runs.CtmS, t.runs.Cfm, t.data.Lwl, t.data.Sw},
        folder.Shown(ShipFileName));
  }
  std::optional<UncertaintyResult> uncertainty;
  if (uncertaintySettings) {
    uncertainty = EvaluateUncertainty(*uncertaintySettings, *measured, analysed, ship, prediction,
                                      folder.Shown(UncertaintyFileName));
  }

  // Every output made, then switched into place as one set.
  std::vector<OutputFile> set = ReportOutputs(analysed);
  Outcome outcome;
  outcome.formFactors = FormFactorsOf(analysed);
  for (WindowId id : AllWindows) {
    const std::string name = SvgFileName(id);
    if (name.empty()) continue;
    const DisplayWindow& window = ui.Window(id);
    const std::vector<std::string> why = WhyEmpty(analysed, outcome.formFactors, window);
    set.push_back({name, SvgPicture(why.empty() ? window : WithNote(window, why)), "the picture"});
    if (why.empty()) continue;
    outcome.pictureNotes.push_back(name + " carries the note \"" + Joined(why, " ") + "\"");
  }
  outcome.runs = analysed.test.runs.Fn.size();
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
    outcome.shipSummary = ShipSummaryText(*prediction, analysed.Smoothed());
    const auto fastest =
        std::max_element(prediction->runs.begin(), prediction->runs.end(),
                         [](const ShipRun& a, const ShipRun& b) { return a.VsKnots < b.VsKnots; });
    if (fastest != prediction->runs.end()) outcome.fastestPeKW = fastest->PeKW;
  }
  if (uncertainty) {
    const std::string what = "the uncertainty analysis";
    set.push_back({UncertaintyReportFileName, UncertaintyReportText(*uncertainty), what});
    set.push_back({UncertaintyCsvFileName, UncertaintyCsvText(*uncertainty), what});
    DisplayWindow picture = UncertaintyGraphWindow();
    std::vector<double> Ctm, UCtm, CtmS, UCtmS;
    for (std::size_t i = 0; i < uncertainty->Ctm.size(); ++i) {
      Ctm.push_back(uncertainty->Ctm[i].value);
      UCtm.push_back(uncertainty->Ctm[i].U);
      CtmS.push_back(uncertainty->CtmS[i].value);
      UCtmS.push_back(uncertainty->CtmS[i].U);
    }
    DrawUncertaintyGraph(picture, uncertainty->Fn, Ctm, UCtm, CtmS, UCtmS);
    set.push_back({SvgFileName(WindowId::Uncertainty), SvgPicture(picture), what});
    outcome.uncertaintySummary = UncertaintySummaryText(*uncertainty);
  }
  // The page last: it shows the others and links to them.
  PageContent page{.analysed = analysed,
                   .prediction = prediction ? &*prediction : nullptr,
                   .uncertainty = uncertainty ? &*uncertainty : nullptr,
                   .inputs = {Identify(folder, DataFileName, "data file")},
                   .written = {},
                   .version = KAVREL_VERSION};
  if (ship) page.inputs.push_back(Identify(folder, ShipFileName, "ship file"));
  if (uncertaintySettings) {
    page.inputs.push_back(Identify(folder, UncertaintyFileName, "uncertainty file"));
  }
  for (const OutputFile& file : set) page.written.push_back({file.name, file.what});
  set.push_back({PageFileName, PageText(page), "the report page"});
  CommitOutputSet(output, set, outputs, switched);
  for (const OutputFile& file : set) outcome.written.push_back(file.name);
  return outcome;
}

std::string ClosingNote(const Outcome& outcome, const Folder& folder) {
  std::string note = "The analysis is finished. Written in ";
  note += folder.CurrentPath().string();
  note += ":\n";
  note += Joined(outcome.written, ", ");
  note += "\n\n";
  note += FormFactorLines(outcome.formFactors);
  note += outcome.uncertaintySummary;
  for (const std::string& line : outcome.pictureNotes) note += line + "\n";
  return note;
}

Closing ClosingWords(const Outcome& outcome, const Folder& folder) {
  return {.note = ClosingNote(outcome, folder),
          .reportPath = (folder.CurrentPath() / ReportFileName).string(),
          .written = Joined(outcome.written, ", "),
          .pictureNotes = outcome.pictureNotes,
          .formFactors = FormFactorLines(outcome.formFactors) + outcome.uncertaintySummary,
          .shipSummary = outcome.shipSummary};
}

}  // namespace kavrel
