// The full-scale prediction stage: the prediction, each failure named after the ship file.
#include "ship/ShipStage.h"

#include <string>

#include "text/Faults.h"

namespace kavrel {

ShipPrediction PredictShipStage(const ShipParticulars& ship, const ModelRuns& model,
                                const std::string& name) {
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

}  // namespace kavrel
