// Reading and checking KAVREL_UNC.DAT with the "name = value" reader of the ship file.
#include "uncertainty/UncertaintyFile.h"

#include <cassert>
#include <string_view>
#include <vector>

#include "text/Answers.h"
#include "text/Faults.h"
#include "text/NameValueFile.h"
#include "text/NumberText.h"
#include "water/WaterProperties.h"

namespace kavrel {

namespace {

// The file's names: the systematic sources in their order, then these three.
constexpr std::size_t Repeatability = SourceCount, RepeatTolerance = SourceCount + 1,
                      Coverage = SourceCount + 2;

}  // namespace

UncertaintySettings ReadUncertaintyFile(std::istream& in, const std::string& name) {
  std::vector<std::string_view> names;
  names.reserve(Coverage + 1);
  for (const SourceText& source : Sources) names.emplace_back(source.name);
  for (const std::string_view more : {"repeatability", "repeat_tolerance", "coverage"}) {
    names.push_back(more);
  }
  assert(names.size() == Coverage + 1);
  UncertaintySettings settings;
  const std::vector<int> given = ReadNameValues(
      in, name, names, [&](std::size_t index, std::string_view text) -> std::optional<std::string> {
        const auto value = ParseNumber(text);
        if (!value) return "is not a finite number";
        if (index == Coverage) {
          if (!(*value > 0)) return "must be greater than 0 (the coverage factor k)";
          settings.coverage = *value;
          return std::nullopt;
        }
        if (*value < 0) return "must not be negative (it is a standard uncertainty)";
        if (index < SourceCount) settings.u[index] = *value;
        if (index == Repeatability) settings.repeatability = *value;
        if (index == RepeatTolerance) settings.repeatTolerance = *value;
        return std::nullopt;
      });
  bool anySource = given[Repeatability] != 0;
  for (std::size_t i = 0; i < SourceCount; ++i) {
    settings.line[i] = given[i];
    anySource = anySource || given[i] != 0;
  }
  if (!anySource) {
    throw InputFault(name +
                     ": the file names no source of uncertainty: give at least one line such as "
                     "\"resistance = 0.005\" or \"repeatability = 0.3\"");
  }
  return settings;
}

void CheckUncertaintySettings(const UncertaintySettings& settings, double T, bool shipFormFactor,
                              const std::string& name) {
  const auto where = [&](Source source) {
    return name + ":" + std::to_string(settings.line[source]) + ": ";
  };
  const double u = settings.u[Temperature];
  if (settings.Included(Temperature) &&
      (T - u < LowestTableTemperature || T + u > HighestTableTemperature)) {
    throw InputFault(where(Temperature) + "the test temperature " + ReadableNumber(T) +
                     " degrees lies closer than temperature = " + ReadableNumber(u) +
                     " to an end of the water table (0 to 30 degrees)");
  }
  if (settings.line[FormFactor] != 0 && !shipFormFactor) {
    throw InputFault(where(FormFactor) +
                     "form_factor is the uncertainty of the form_factor of KAVREL_SHIP.DAT, "
                     "which gives none (or there is no ship file)");
  }
}

}  // namespace kavrel
