// The full-scale prediction stage: reading, predicting and writing, each failure named.
#include "ship/ShipStage.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include <string>

#include "ship/ShipReport.h"
#include "text/Faults.h"
#include "text/FileWrite.h"

namespace kavrel {

std::optional<ShipParticulars> ReadShipStage(const Folder& folder, std::span<const double> Fn) {
  // A link that leads nowhere is a ship file that cannot be opened, not a missing one.
  struct stat status {};
  if (::fstatat(folder.Descriptor(), ShipFileName, &status, AT_SYMLINK_NOFOLLOW) != 0 &&
      errno == ENOENT) {
    return std::nullopt;
  }
  ShipParticulars ship = ReadShipFile(folder, ShipFileName);
  CheckFormFactorSource(ship, Fn, ShipFileName);
  return ship;
}

ShipPrediction PredictShipStage(const ShipParticulars& ship, const ModelRuns& model) {
  const std::string name = ShipFileName;
  const std::optional<double> OnePlusK = ShipFormFactor(ship, model);
  if (!OnePlusK) {
    throw InputFault(name +
                     ": the form factor (1+k) cannot be found from the smoothed runs (their "
                     "Prohaska line is undefined); give it with a line \"form_factor = ...\"");
  }
  auto prediction = PredictShip(ship, model, *OnePlusK);
  if (!prediction) {
    throw InputFault(name +
                     ": the full-scale prediction does not come out as finite numbers with "
                     "these particulars; no report is written");
  }
  return std::move(*prediction);
}

void WriteShipStage(const Folder& folder, const ShipPrediction& prediction) {
  for (const auto& [name, text] : {std::pair{ShipReportFileName, ShipReportText(prediction)},
                                   std::pair{ShipCsvFileName, ShipCsvText(prediction)}}) {
    if (const auto failure = WriteFileAtomically(folder, name, text)) {
      throw WriteFault("the report was written, but the full-scale prediction " +
                       std::string(name) + " could not be written in " + folder.Path().string() +
                       ": " + *failure);
    }
  }
}

}  // namespace kavrel
