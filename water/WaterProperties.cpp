// Kinematic viscosity and density of fresh and of sea water from 0 to 30 degrees Celsius,
// read off tables with one row per whole degree by cubic-spline interpolation.
#include "water/WaterProperties.h"

#include <array>
#include <span>

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

// Standard sea water, salinity 35.16504 g/kg: kinematic viscosity x 10^6 in m2/s and density
// in kg/m3 at 0, 1, ..., 30 degrees Celsius.
constexpr std::array<double, 31> SeaTableNue = {
    1.8543, 1.7926, 1.7341, 1.6787, 1.6262, 1.5762, 1.5288, 1.4836, 1.4406, 1.3995, 1.3604,
    1.3230, 1.2873, 1.2532, 1.2205, 1.1892, 1.1592, 1.1304, 1.1028, 1.0763, 1.0508, 1.0263,
    1.0027, 0.9800, 0.9582, 0.9371, 0.9168, 0.8973, 0.8784, 0.8601, 0.8425};
constexpr std::array<double, 31> SeaTableRho = {
    1028.1555, 1028.0941, 1028.0197, 1027.9327, 1027.8336, 1027.7225, 1027.6000, 1027.4662,
    1027.3214, 1027.1659, 1027.0000, 1026.8238, 1026.6376, 1026.4416, 1026.2360, 1026.0210,
    1025.7967, 1025.5633, 1025.3210, 1025.0700, 1024.8103, 1024.5421, 1024.2656, 1023.9808,
    1023.6881, 1023.3873, 1023.0788, 1022.7626, 1022.4389, 1022.1078, 1021.7694};

bool FromTables(std::span<const double> NueTable, std::span<const double> RhoTable, double T,
                double& Nue, double& Rho) {
  // The negated test also refuses NaN.
  if (!(T >= LowestTableTemperature && T <= HighestTableTemperature)) return false;

  double NueAtT = 0;
  double RhoAtT = 0;
  if (!Interpolate(TableT, NueTable, T, NueAtT) || !Interpolate(TableT, RhoTable, T, RhoAtT)) {
    return false;
  }
  Nue = NueAtT / 1000000;  // the tables hold Nue x 10^6
  Rho = RhoAtT;
  return true;
}

}  // namespace

bool WaterProperties(double T, double& Nue, double& Rho) {
  return FromTables(TableNue, TableRho, T, Nue, Rho);
}

bool SeaWaterProperties(double T, double& Nue, double& Rho) {
  return FromTables(SeaTableNue, SeaTableRho, T, Nue, Rho);
}

}  // namespace kavrel
