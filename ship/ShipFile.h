// The ship file KAVREL_SHIP.DAT: the particulars of the ship for the full-scale prediction,
// one "name = value" per line.
#pragma once

#include <istream>
#include <optional>
#include <span>
#include <string>

namespace kavrel {

inline constexpr const char* ShipFileName = "KAVREL_SHIP.DAT";

enum class ShipWater { Sea, Fresh };
enum class ShipMethod { Ittc2011, Ittc1978 };

struct ShipParticulars {
  double scale = 0;                     // lambda = ship length / model length
  std::optional<double> wettedSurface;  // Ss in m2; lambda^2 Sw when not given
  double roughness = 150;               // kS in micrometres
  double transverseArea = 0;            // AVS in m2 (0: no air resistance)
  double airDrag = 0.8;                 // CDA
  double airDensity = 1.225;            // kg/m3
  double bilgeKeelArea = 0;             // SBK in m2
  ShipWater water = ShipWater::Sea;
  double waterTemperature = 15;      // degrees Celsius
  std::optional<double> formFactor;  // (1+k); from the runs when not given
  ShipMethod method = ShipMethod::Ittc2011;
  std::optional<double> correlationAllowance;  // CA; the method's own when not given
};

// Reads the ship file. `name` is how messages call it. Throws InputFault, naming the file and
// the line, for a line that is not "name = value", an unknown or repeated name, a value that is
// not a finite number or lies outside its range, and a missing scale.
ShipParticulars ReadShipFile(std::istream& in, const std::string& name);

// Throws InputFault, saying how to give one, when the ship file gives no form factor and the
// runs (their Froude numbers) cannot give one: fewer than two runs at different speeds with
// 0.1 < Fn < 0.2.
void CheckFormFactorSource(const ShipParticulars& ship, std::span<const double> Fn,
                           const std::string& name);

}  // namespace kavrel
