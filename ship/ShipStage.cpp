// The full-scale prediction stage: the prediction, each failure named after the ship file.
#include "ship/ShipStage.h"

#include <string>

#include "ship/ShipReport.h"
#include "text/Faults.h"

namespace kavrel {

void CheckShipStage(const ShipParticulars& ship, const ModelRuns& measured,
                    const std::string& name) {
  const auto prediction = PredictShip(ship, measured, ship.formFactor.value_or(1.5));
  // An overflowing field of the ship's report carries a "%" mark.
  if (!prediction || ShipReportText(*prediction).find('%') != std::string::npos) {
    throw InputFault(name +
                     ": the full-scale prediction would not come out as finite, printable "
                     "numbers with these particulars and this test's speeds; check scale, "
                     "wetted_surface, transverse_area and bilge_keel_area");
  }
}

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
