// The uncertainty file KAVREL_UNC.DAT: the standard uncertainties of the test's inputs, one
// "name = value" per line, read and checked before the first question.
#pragma once

#include <array>
#include <cstddef>
#include <istream>
#include <optional>
#include <string>

namespace kavrel {

inline constexpr const char* UncertaintyFileName = "KAVREL_UNC.DAT";

// The systematic sources, in the order of the outputs' columns: each the same error in every run.
enum Source : std::size_t {
  Resistance,     // kg, added to every Rtm
  ResistanceRel,  // % of Rtm
  Speed,          // m/s, added to every Vm
  SpeedRel,       // % of Vm
  WettedSurface,  // % of Sw
  Length,         // m, Lwl
  Temperature,    // degrees, the test temperature (rho and nu through the water table)
  Density,        // kg/m3 added to rho at the test temperature
  FormFactor,     // the ship file's (1+k)
  SourceCount
};

struct SourceText {
  const char* name;  // as in the file and the CSV header
  const char* unit;
};
inline constexpr std::array<SourceText, SourceCount> Sources{{{"resistance", "kg"},
                                                              {"resistance_rel", "% of Rtm"},
                                                              {"speed", "m/s"},
                                                              {"speed_rel", "% of Vm"},
                                                              {"wetted_surface", "% of Sw"},
                                                              {"length", "m"},
                                                              {"temperature", "degC"},
                                                              {"density", "kg/m3"},
                                                              {"form_factor", "(absolute)"}}};

// Every value is a standard uncertainty (one standard deviation). A source not named, or named
// with 0, is not included.
struct UncertaintySettings {
  std::array<double, SourceCount> u{};
  std::optional<double> repeatability;  // % of Ctm, the random part of one run; named
  double repeatTolerance = 0.5;         // % of Vm: runs this close in speed are repeats
  double coverage = 2;                  // k of U = k u_c
  std::array<int, SourceCount> line{};  // where each source was named (0: not named)

  bool Included(Source source) const { return u[source] > 0; }
};

// Reads the uncertainty file; `name` is how messages call it. Throws InputFault naming the file
// and the line for a line that is not "name = value", an unknown or repeated name, a value that
// is not a finite number or is negative, a coverage not above 0, and a file that names no source.
UncertaintySettings ReadUncertaintyFile(std::istream& in, const std::string& name);

// Checks the settings against the test and the ship file: the test temperature T must lie at
// least `temperature` inside the water table, and form_factor needs a ship file that gives
// (1+k) (`shipFormFactor`). Throws InputFault naming the line.
void CheckUncertaintySettings(const UncertaintySettings& settings, double T, bool shipFormFactor,
                              const std::string& name);

}  // namespace kavrel
