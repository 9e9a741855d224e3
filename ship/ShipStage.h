// The full-scale prediction as a stage of the analysis: the ship file read and checked before
// the first question, the prediction made before anything is written, its files after the
// report.
#pragma once

#include <optional>
#include <span>

#include "ship/Prediction.h"
#include "ship/ShipFile.h"

namespace kavrel {

// The particulars of KAVREL_SHIP.DAT in `folder`, checked against the runs' Froude numbers
// (whether they can give (1+k)); nothing when the folder holds no ship file. Throws InputFault.
std::optional<ShipParticulars> ReadShipStage(const Folder& folder, std::span<const double> Fn);

// The prediction from the analysed runs. Throws InputFault, naming the ship file, when (1+k)
// cannot be found or a number does not come out finite.
ShipPrediction PredictShipStage(const ShipParticulars& ship, const ModelRuns& model);

// Writes KAVREL_SHIP.OUT and KAVREL_SHIP.csv into `folder`. Throws WriteFault.
void WriteShipStage(const Folder& folder, const ShipPrediction& prediction);

}  // namespace kavrel
