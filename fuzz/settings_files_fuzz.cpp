// Fuzz target: the readers of the uncertainty file and the ship file on arbitrary bytes. Each
// file is either read into settings that keep their promises or refused with an InputFault that
// names the file; an accepted ship file gives a finite prediction that fits its columns.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/Require.h"
#include "ship/ShipFile.h"
#include "ship/ShipReport.h"
#include "ship/ShipStage.h"
#include "text/Faults.h"
#include "uncertainty/UncertaintyFile.h"

namespace {

using kavrel::fuzzing::Require;

void RequireNamed(const kavrel::InputFault& fault, const std::string& name) {
  Require(std::string(fault.what()).rfind(name + ":", 0) == 0,
          "a fault that does not name the file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string text(bytes, bytes + size);
  try {
    std::istringstream in(text);
    const kavrel::UncertaintySettings s = kavrel::ReadUncertaintyFile(in, "KAVREL_UNC.DAT");
    for (const double u : s.u)
      Require(std::isfinite(u) && u >= 0, "a source not finite or negative");
    Require(std::isfinite(s.coverage) && s.coverage > 0, "a coverage not above 0");
    Require(std::isfinite(s.repeatTolerance) && s.repeatTolerance >= 0, "a bad repeat tolerance");
    for (const double T : {0.0, 15.0, 30.0}) {
      try {
        kavrel::CheckUncertaintySettings(s, T, T > 10, "KAVREL_UNC.DAT");
      } catch (const kavrel::InputFault& fault) {
        RequireNamed(fault, "KAVREL_UNC.DAT");
      }
    }
  } catch (const kavrel::InputFault& fault) {
    RequireNamed(fault, "KAVREL_UNC.DAT");
  }
  try {
    std::istringstream in(text);
    const kavrel::ShipParticulars ship = kavrel::ReadShipFile(in, "KAVREL_SHIP.DAT");
    Require(ship.scale > 1 && std::isfinite(ship.scale), "a scale not above 1");
    Require(!ship.formFactor || (*ship.formFactor >= 1 && *ship.formFactor <= 2),
            "a form factor outside 1 to 2");
    // The particulars on a 5 m model run from 0.7 to 2.3 m/s: refused before the first
    // question, or a prediction whose every number is finite and fits its column.
    static const double Fn[] = {0.1, 0.15, 0.2, 0.25, 0.33}, Vm[] = {0.7, 1.05, 1.4, 1.75, 2.31},
                        CtmS[] = {4.6, 4.3, 4.2, 4.4, 5.1}, Cfm[] = {4.0, 3.7, 3.5, 3.4, 3.2};
    const kavrel::ModelRuns runs{Fn, Vm, CtmS, Cfm, 5.0, 4.2};
    kavrel::CheckShipStage(ship, runs);
    const auto prediction = kavrel::PredictShip(ship, runs, ship.formFactor.value_or(1.12));
    Require(prediction.has_value(), "an accepted ship file without a finite prediction");
    Require(kavrel::ShipReportText(*prediction).find('%') == std::string::npos,
            "an accepted ship file whose prediction overflows its columns");
  } catch (const kavrel::InputFault& fault) {
    RequireNamed(fault, "KAVREL_SHIP.DAT");
  }
  return 0;
}
