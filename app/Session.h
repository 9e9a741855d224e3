// One whole analysis with everything it writes, for the command line and the window tests:
// the test and any ship file read, the dialogue, the report, the pictures, the full-scale
// prediction, and the closing words.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "files/Folder.h"
#include "ui/Toolkit.h"

namespace kavrel {

// What a finished analysis tells the user at the end.
struct Outcome {
  FormFactors formFactors;
  std::vector<std::string> written;       // the files written, in order
  std::string shipSummary;                // empty without a ship file
  std::string uncertaintySummary;         // empty without an uncertainty file
  std::vector<std::string> pictureNotes;  // each picture that carries a note in place of a drawing
  std::size_t runs = 0;                   // the runs of the test
  std::optional<double> fastestPeKW;  // the effective power of the fastest run, with a ship file
};

// One analysis of the test in `folder`, written into `output`: the output folder checked
// writable and locked and what an earlier run cut short finished or removed; the test and any
// ship file read from `folder` and checked before the first question; the dialogue; the
// full-scale prediction; then every output made (the report, its run table, the pictures, the
// prediction's files) and switched into place in `output` as one set, an earlier analysis's
// outputs that this one does not make removed (`switched` is called, with the stop signals
// blocked, once the new set is in place). Throws InputFault, WriteFault, StoppedByUser.
Outcome AnalyseAndWrite(Toolkit& ui, const Folder& folder, const Folder& output,
                        const std::function<void()>& switched = {});
// The same with the outputs written beside the test.
inline Outcome AnalyseAndWrite(Toolkit& ui, const Folder& folder,
                               const std::function<void()>& switched = {}) {
  return AnalyseAndWrite(ui, folder, folder, switched);
}

// The closing box of the desktop: the folder and the files written in it, the form factor.
std::string ClosingNote(const Outcome& outcome, const Folder& folder);

// Everything the front end tells the user at the end of the analysis in `folder`.
Closing ClosingWords(const Outcome& outcome, const Folder& folder);

}  // namespace kavrel
