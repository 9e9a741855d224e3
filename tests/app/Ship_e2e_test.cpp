// The kavrel executable with a ship file: the full-scale prediction and the run table against
// values worked out apart from the program (tests/support/ship_expected.py), the report
// unchanged by the ship file, and a faulty ship file ending the run before the first question
// (every fault's message is checked in tests/ship).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

#include "tests/support/TempFolder.h"

namespace kavrel {
namespace {

using test::RunKavrel;
using test::TempFolder;
using test::TestData;

// Expected and written CSV files agree in their header, their numbers of lines and fields, and
// every number to 1e-9 relative: the worked-out values use the same formulas in another order
// of operations.
void ExpectSameTable(std::string written, std::string expected) {
  constexpr double Agreement = 1e-9;
  EXPECT_EQ(written.find('\r'), std::string::npos);
  EXPECT_EQ(written.substr(0, written.find('\n')), expected.substr(0, expected.find('\n')));
  for (const char end : {'\n', ','})
    EXPECT_EQ(std::count(written.begin(), written.end(), end),
              std::count(expected.begin(), expected.end(), end));
  std::replace(written.begin(), written.end(), ',', ' ');
  std::replace(expected.begin(), expected.end(), ',', ' ');
  std::istringstream got(written.substr(written.find('\n'))),
      want(expected.substr(expected.find('\n')));
  for (double g = 0, w = 0; want >> w;) {
    ASSERT_TRUE(got >> g);
    EXPECT_LE(std::fabs(g - w), Agreement * std::fabs(w)) << g << " for " << w;
  }
  EXPECT_TRUE((got >> std::ws).eof()) << "more numbers than expected";
}

const std::string Measured = "N\n1\n1\n0\n0\n";  // no smoothing: CtmS = Ctm

TEST(ShipRun, PredictsTheShipAndLeavesTheReportAsItWas) {
  TempFolder plain;
  plain.Write("KAVREL_BAS.DAT", TestData("ship_KAVREL_BAS.DAT"));
  ASSERT_EQ(RunKavrel(plain.Path(), Measured).status, 0);
  ExpectSameTable(plain.Read("KAVREL.csv"), TestData("ship_model.csv"));
  EXPECT_FALSE(plain.Exists("KAVREL_SHIP.OUT") || plain.Exists("KAVREL_SHIP.csv") ||
               plain.Exists("KAVREL_SHIP.svg"));
  for (const char* method : {"2011", "1978"}) {
    TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", TestData("ship_KAVREL_BAS.DAT"));
    folder.Write("KAVREL_SHIP.DAT", TestData(std::string("ship_") + method + ".DAT"));
    const auto run = RunKavrel(folder.Path(), Measured);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(folder.Read("KAVREL.OUT"), plain.Read("KAVREL.OUT"));
    ExpectSameTable(folder.Read("KAVREL_SHIP.csv"),
                    TestData(std::string("ship_") + method + ".csv"));
    EXPECT_NE(folder.Read("KAVREL_SHIP.OUT").find("(1+k) ="), std::string::npos);
    EXPECT_NE(folder.Read("KAVREL_SHIP.svg").find("Pe (kW)"), std::string::npos);
    // The summary follows the line that says where the report went.
    EXPECT_LT(run.out.find("The report is written to"), run.out.find("Full-scale prediction"));
  }
}

TEST(ShipRun, AFaultyShipFileEndsTheRunBeforeTheFirstQuestion) {
  const struct {
    const char* ship;
    const char* data;
    const char* message;
  } cases[] = {
      {"scale = 25\nscale = 30\n", "ship_KAVREL_BAS.DAT",
       "kavrel: KAVREL_SHIP.DAT:2: scale is given twice (first on line 1)"},
      // One run has 0.1 < Fn < 0.2: no Prohaska line, and no form factor given.
      {"scale = 25\n", "small_KAVREL_BAS.DAT",
       "kavrel: KAVREL_SHIP.DAT: no form_factor is given, and the form factor (1+k) cannot be "
       "found from this test: fewer than two runs at different speeds have 0.1 < Fn < 0.2"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", TestData(c.data));
    folder.Write("KAVREL_SHIP.DAT", c.ship);
    const auto run = RunKavrel(folder.Path(), Measured);
    EXPECT_EQ(run.status, 1) << c.ship;
    EXPECT_EQ(run.err.find(c.message), 0u) << run.err;
    EXPECT_EQ(run.out.find('['), std::string::npos) << "a question was asked: " << run.out;
    EXPECT_FALSE(folder.Exists("KAVREL.OUT") || folder.Exists("KAVREL.csv")) << c.ship;
  }
}

}  // namespace
}  // namespace kavrel
