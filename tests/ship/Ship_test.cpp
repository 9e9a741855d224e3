// The ship file's syntax and the ITTC-1978 extrapolation against values worked out by hand; the
// ship file's faults, and the form factor from the runs, are cases in tests/cases (ship_*).
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>
#include <vector>

#include "ship/Prediction.h"
#include "ship/ShipFile.h"

namespace kavrel {
namespace {

ShipParticulars Read(const std::string& text) {
  std::istringstream in(text);
  return ReadShipFile(in, "KAVREL_SHIP.DAT");
}

TEST(ShipFile, ReadsNamesValuesCommentsAndLineEnds) {
  // The values and the defaults reach the prediction in the end-to-end cases, which
  // compare every number of it; here the syntax, and the water temperature those runs give.
  const ShipParticulars ship = Read(
      "# a comment\r\n\r\n  scale= 25 # lambda\r\nwater =fresh\nmethod = ittc-1978\n"
      "form_factor = 1.12\ncorrelation_allowance = -0.0001\nwetted_surface = 2600");
  EXPECT_EQ(std::tuple(ship.scale, ship.water, ship.method, ship.formFactor,
                       ship.correlationAllowance, ship.wettedSurface, ship.waterTemperature),
            std::tuple(25.0, ShipWater::Fresh, ShipMethod::Ittc1978, 1.12, -0.0001, 2600.0, 15.0));
}

// One model run worked out by hand: Vm 2 m/s, Rtm 3 kg on a 5 m model with Sw 4 m2 in water of
// 999.1 kg/m3 and 1.1386e-6 m2/s gives Ctm 3.680806e-3, Cfm 3.068807e-3 and Fn 0.28562.
// lambda 25, (1+k) 1.10, sea water at 15 degrees (1026.021 kg/m3, 1.1892e-6 m2/s), kS 150 um,
// AVS 300 m2, by the ITTC-1978 method, whose correlation allowance is 0 when not given. The
// revised method is compared with a table worked out apart end to end (ship_ittc_2011).
TEST(ShipPrediction, OneRunByBothMethods) {
  const std::vector<double> Fn{0.2856174}, Vm{2}, CtmS{3.6808065}, Cfm{3.0688068};
  const ModelRuns model{Fn, Vm, CtmS, Cfm, 5, 4};
  // The ship file's last line, then by hand: dCf, CA, Caas, Cts, Rts in kN and Pe in kW; all
  // with Vs 10 m/s = 19.4384 kn, Rns 1.051127e9, Cfs 1.521186e-3.
  const std::pair<const char*, std::vector<double>> cases[] = {
      {"method = ittc-1978", {4.757915e-4, 0, 1.2e-4, 2.574215e-3, 330.150, 3301.50}},
      {"", {1.598225e-4, 2.670069e-4, 1.146175e-4, 2.519870e-3, 323.180, 3231.80}},
      {"bilge_keel_area = 50",
       {1.598225e-4, 2.670069e-4, 1.146175e-4, 2.561873e-3, 328.567, 3285.67}}};
  // The hand values carry 7 significant digits; the sea-water spline meets its table at
  // 15 degrees to about 1e-7.
  constexpr double HandDigits = 2e-6;
  for (const auto& [line, values] : cases) {
    const ShipParticulars ship =
        Read(std::string("scale = 25\ntransverse_area = 300\nform_factor = 1.1\n") + line);
    ASSERT_EQ(ShipFormFactor(ship, model), 1.1);
    const auto prediction = PredictShip(ship, model, 1.1);
    ASSERT_TRUE(prediction && prediction->runs.size() == 1);
    const ShipRun& r = prediction->runs[0];
    const double got[] = {r.VsKnots, r.Vs,   r.Rns, r.Cfs,   r.dCf,
                          r.CA,      r.Caas, r.Cts, r.RtsKN, r.PeKW};
    std::vector<double> hand{19.43844, 10, 1.051127e9, 1.521186e-3};
    hand.insert(hand.end(), values.begin(), values.end());
    for (std::size_t i = 0; i < hand.size(); ++i)
      EXPECT_NEAR(got[i], hand[i], HandDigits * hand[i]) << line << " " << i;
  }
}

TEST(ShipPrediction, PublishedRoughnessAllowanceOfTheRevisedMethod) {
  // A 330 m ship at 15 kn (Rns 2.1414e9): 10^3 dCf = 0.052, 0.079, 0.102, 0.122.
  for (const auto& [kS, published] :
       {std::pair{75.0, 0.052}, {100.0, 0.079}, {125.0, 0.102}, {150.0, 0.122}})
    EXPECT_NEAR(1000 * RoughnessAllowance(ShipMethod::Ittc2011, kS, 330, 2.1414e9), published,
                0.0005);
}

}  // namespace
}  // namespace kavrel
