// Fresh-water kinematic viscosity and density from 0 to 30 degrees Celsius, read off
// tables with one row per whole degree by cubic-spline interpolation.
#include "water/WaterProperties.h"

#include <array>

#include "water/Interpolation.h"

namespace kavrel {

namespace {

constexpr std::array<double, 31> TableT = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                           11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                           22, 23, 24, 25, 26, 27, 28, 29, 30};

// Kinematic viscosity x 10^6 in m2/s at 0, 1, ..., 30 degrees Celsius.
constexpr std::array<double, 31> TableNue = {
    1.78667, 1.72701, 1.67040, 1.61665, 1.56557, 1.51698, 1.47070, 1.42667,
    1.38471, 1.34463, 1.30641, 1.26988, 1.23495, 1.20159, 1.16964, 1.13902,
    1.10966, 1.08155, 1.05456, 1.02865, 1.00374, 0.97984, 0.95682, 0.93471,
    0.91340, 0.89292, 0.87313, 0.85409, 0.83572, 0.81798, 0.80091};

// Density in kg/m3 at 0, 1, ..., 30 degrees Celsius. Not monotonic (densest near
// 4 degrees), with runs of equal neighbours that the interpolation reads as flat.
constexpr std::array<double, 31> TableRho = {999.8, 999.8, 999.9, 999.9, 999.9, 999.9, 999.9, 999.8,
                                             999.8, 999.7, 999.6, 999.5, 999.4, 999.3, 999.1, 999.0,
                                             998.9, 998.7, 998.5, 998.3, 998.1, 997.9, 997.7, 997.4,
                                             997.2, 996.9, 996.7, 996.4, 996.2, 995.9, 995.6};

}  // namespace

bool WaterProperties(double T, double& Nue, double& Rho) {
  // The negated test also refuses NaN.
  if (!(T >= LowestTableTemperature && T <= HighestTableTemperature)) return false;

  double NueTable = 0;
  double RhoTable = 0;
  if (!Interpolate(TableT, TableNue, T, NueTable) || !Interpolate(TableT, TableRho, T, RhoTable)) {
    return false;
  }
  Nue = NueTable / 1000000;  // the table holds Nue x 10^6
  Rho = RhoTable;
  return true;
}

}  // namespace kavrel
