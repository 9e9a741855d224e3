// Fuzz target: the readers of the uncertainty file and the ship file on arbitrary bytes. Each
// file is either read into settings that keep their promises or refused with an InputFault that
// names the file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/Require.h"
#include "ship/ShipFile.h"
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
  } catch (const kavrel::InputFault& fault) {
    RequireNamed(fault, "KAVREL_SHIP.DAT");
  }
  return 0;
}
