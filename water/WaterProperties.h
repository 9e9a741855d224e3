// Fresh-water kinematic viscosity and density from 0 to 30 degrees Celsius.
#pragma once

namespace kavrel {

inline constexpr double LowestTableTemperature = 0.0;
inline constexpr double HighestTableTemperature = 30.0;

// Nue in m2/s and Rho in kg/m3 at the temperature T (degrees Celsius), read off the
// built-in tables. Returns false, and leaves Nue and Rho as they were, when T lies
// outside 0..30 degrees or is not a number: the tables say nothing there.
bool WaterProperties(double T, double& Nue, double& Rho);

}  // namespace kavrel
