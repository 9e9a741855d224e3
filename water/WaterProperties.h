// Kinematic viscosity and density of fresh water and of standard sea water from 0 to 30
// degrees Celsius.
#pragma once

namespace kavrel {

inline constexpr double LowestTableTemperature = 0.0;
inline constexpr double HighestTableTemperature = 30.0;

// Nue in m2/s and Rho in kg/m3 at the temperature T (degrees Celsius), read off the
// built-in tables. Returns false, and leaves Nue and Rho as they were, when T lies
// outside 0..30 degrees or is not a number: the tables say nothing there.
[[nodiscard]] bool WaterProperties(double T, double& Nue, double& Rho);

// The same for standard sea water (salinity 35.16504 g/kg), read off its table (density from
// the ITTC fresh- and sea-water table of 2011) by the same spline.
[[nodiscard]] bool SeaWaterProperties(double T, double& Nue, double& Rho);

}  // namespace kavrel
