// The full-scale prediction stage: the prediction, each failure named after the ship file.
#include "ship/ShipStage.h"

#include <optional>
#include <string>

#include "ship/ShipReport.h"
#include "text/Faults.h"
#include "text/NumberText.h"

namespace kavrel {

namespace {

// Whether the prediction came out finite with every number inside its column (an overflowing
// field of the ship's report carries a "%" mark).
bool Printable(const std::optional<ShipPrediction>& prediction) {
  return prediction && ShipReportText(*prediction).find('%') == std::string::npos;
}

}  // namespace

void CheckShipStage(const ShipParticulars& ship, const ModelRuns& measured,
                    const std::string& name) {
  // Without a form factor of the ship file's, the smoothed runs' is not known yet: the
  // prediction must fit with a (1+k) of 1 (the largest Cr, Cts and Pe of a ship) and of 2 (the
  // most negative Cr).
  const auto printableWith = [&](double OnePlusK) {
    return Printable(PredictShip(ship, measured, ship.formFactor.value_or(OnePlusK)));
  };
  if (!printableWith(1.0) || !printableWith(2.0)) {
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
  if (!Printable(prediction)) {
    // The check before the first question makes this rare: a (1+k) of the smoothed runs
    // outside 1 to 2 with particulars near the limits.
    throw InputFault(name + ": the full-scale prediction does not come out as finite numbers " +
                     "that fit the report's columns with these particulars and (1+k) = " +
                     ReadableNumber(*OnePlusK) + "; no report is written");
  }
  return std::move(*prediction);
}

}  // namespace kavrel
