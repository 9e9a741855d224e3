// The full-scale prediction as a stage of the analysis: the prediction made from the analysed
// runs before anything is written, each failure named after the ship file.
#pragma once

#include <string>

#include "ship/Prediction.h"
#include "ship/ShipFile.h"

namespace kavrel {

// Before the first question: throws InputFault, naming the ship file, when the particulars
// would not give finite, printable numbers for these runs (the measured coefficients standing
// in for the smoothed ones, the form factor given or 1.5).
void CheckShipStage(const ShipParticulars& ship, const ModelRuns& measured,
                    const std::string& name = ShipFileName);

// The prediction from the analysed runs. Throws InputFault, naming the ship file as `name`, when
// (1+k) cannot be found or a number does not come out finite.
ShipPrediction PredictShipStage(const ShipParticulars& ship, const ModelRuns& model,
                                const std::string& name = ShipFileName);

}  // namespace kavrel
