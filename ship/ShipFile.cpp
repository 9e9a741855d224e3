// Reading and checking KAVREL_SHIP.DAT: "name = value" lines, "#" comments, blank lines.
#include "ship/ShipFile.h"

#include <array>
#include <cmath>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "formfactor/Ittc.h"
#include "text/Answers.h"
#include "text/Faults.h"
#include "text/NameValueFile.h"
#include "text/NumberText.h"

namespace kavrel {

namespace {

// A number with its admissible range, or a word from a list.
struct Setting {
  const char* name;
  std::function<std::optional<std::string>(std::string_view value, ShipParticulars& ship)> take;
};

// Takes a number into `target` (a double or an optional one) when `admissible` holds;
// otherwise says what the range is.
template <class Target>
auto Number(Target ShipParticulars::*target, bool (*admissible)(double), const char* range) {
  return [=](std::string_view value, ShipParticulars& ship) -> std::optional<std::string> {
    const auto number = ParseNumber(value);
    if (!number) return "is not a number";
    if (!admissible(*number)) return std::string("must be ") + range;
    ship.*target = *number + 0.0;  // -0 is 0, and prints so
    return std::nullopt;
  };
}

// Takes one of two words into `target`.
template <class Kind>
auto Word(Kind ShipParticulars::*target, std::array<std::pair<const char*, Kind>, 2> words) {
  return [=](std::string_view value, ShipParticulars& ship) -> std::optional<std::string> {
    for (const auto& [word, kind] : words) {
      if (value == word) {
        ship.*target = kind;
        return std::nullopt;
      }
    }
    return std::string("must be ") + words[0].first + " or " + words[1].first;
  };
}

const std::array<Setting, 12>& Settings() {
  static const std::array<Setting, 12> settings{{
      {"scale", Number(
                    &ShipParticulars::scale, [](double v) { return v > 1 && v <= 1000; },
                    "greater than 1 and at most 1000 (ship length / model length)")},
      {"wetted_surface",
       Number(
           &ShipParticulars::wettedSurface, [](double v) { return v >= 1 && v <= 100000; },
           "from 1 to 100000 (m2)")},
      {"roughness", Number(
                        &ShipParticulars::roughness, [](double v) { return v >= 0 && v <= 10000; },
                        "from 0 to 10000 (micrometres)")},
      {"transverse_area",
       Number(
           &ShipParticulars::transverseArea, [](double v) { return v >= 0 && v <= 10000; },
           "from 0 to 10000 (m2)")},
      {"air_drag",
       Number(
           &ShipParticulars::airDrag, [](double v) { return v >= 0 && v <= 10; }, "from 0 to 10")},
      {"air_density", Number(
                          &ShipParticulars::airDensity, [](double v) { return v > 0 && v <= 10; },
                          "positive and at most 10 (kg/m3)")},
      {"bilge_keel_area",
       Number(
           &ShipParticulars::bilgeKeelArea, [](double v) { return v >= 0 && v <= 10000; },
           "from 0 to 10000 (m2)")},
      {"water",
       Word(&ShipParticulars::water, {{{"sea", ShipWater::Sea}, {"fresh", ShipWater::Fresh}}})},
      {"water_temperature",
       Number(
           &ShipParticulars::waterTemperature, [](double v) { return v >= 0 && v <= 30; },
           "from 0 to 30 (degrees Celsius, the range of the water tables)")},
      {"form_factor", Number(
                          &ShipParticulars::formFactor, [](double v) { return v >= 1 && v <= 2; },
                          "from 1 to 2 (it is (1+k), not k)")},
      {"method", Word(&ShipParticulars::method, {{{"ittc-2011", ShipMethod::Ittc2011},
                                                  {"ittc-1978", ShipMethod::Ittc1978}}})},
      {"correlation_allowance",
       Number(
           &ShipParticulars::correlationAllowance, [](double v) { return std::fabs(v) <= 0.001; },
           "a plain coefficient from -0.001 to 0.001 (for example 0.00015, not "
           "times 1000)")},
  }};
  return settings;
}

}  // namespace

ShipParticulars ReadShipFile(std::istream& in, const std::string& name) {
  ShipParticulars ship;
  std::array<std::string_view, 12> names;
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = Settings()[i].name;
  const std::vector<int> given =
      ReadNameValues(in, name, names, [&](std::size_t index, std::string_view value) {
        return Settings()[index].take(value, ship);
      });
  if (given[0] == 0) {
    throw InputFault(name +
                     ": the scale ratio is missing: add a line \"scale = ...\" (ship "
                     "length / model length)");
  }
  return ship;
}

void CheckFormFactorSource(const ShipParticulars& ship, std::span<const double> Fn,
                           const std::string& name) {
  if (ship.formFactor) return;
  std::set<double> speeds;
  for (const double F : Fn) {
    if (InProhaskaWindow(F)) speeds.insert(F);
  }
  if (speeds.size() >= 2) return;
  throw InputFault(name +
                   ": no form_factor is given, and the form factor (1+k) cannot be found from "
                   "this test: fewer than two runs at different speeds have 0.1 < Fn < 0.2. "
                   "Give it with a line \"form_factor = ...\" (for example from a double-body "
                   "computation).");
}

}  // namespace kavrel
