// The kavrel executable with a ship file: the full-scale prediction and the run table against
// values worked out apart from the program (tests/data/ship_expected.py), the report unchanged
// by the ship file, and every fault of a ship file named before the first question.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace kavrel {
namespace {

using test::RunKavrel;
using test::TempFolder;
using test::TestData;

// The numbers of a CSV text, row by row, after its header line.
std::vector<std::vector<double>> Numbers(const std::string& csv, std::string* header) {
  std::istringstream in(csv);
  std::getline(in, *header);
  std::vector<std::vector<double>> rows;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    rows.emplace_back();
    for (std::string field; std::getline(fields, field, ',');)
      rows.back().push_back(std::stod(field));
  }
  return rows;
}

// Expected and written CSV files agree in their header and every number to 1e-9 relative: the
// worked-out values use the same formulas in another order of operations.
void ExpectSameTable(const std::string& written, const std::string& expected) {
  constexpr double Agreement = 1e-9;
  std::string writtenHeader, expectedHeader;
  const auto got = Numbers(written, &writtenHeader), want = Numbers(expected, &expectedHeader);
  EXPECT_EQ(writtenHeader, expectedHeader);
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t r = 0; r < want.size(); ++r) {
    ASSERT_EQ(got[r].size(), want[r].size());
    for (std::size_t c = 0; c < want[r].size(); ++c)
      EXPECT_LE(std::fabs(got[r][c] - want[r][c]), Agreement * std::fabs(want[r][c]))
          << "row " << r + 1 << " column " << c + 1 << ": " << got[r][c];
  }
  EXPECT_EQ(written.find('\r'), std::string::npos);
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
      {"scale = 25\nfrom_factor = 1.1\n", "ship_KAVREL_BAS.DAT",
       "kavrel: KAVREL_SHIP.DAT:2: unknown name \"from_factor\""},
      {"scale = 25\nscale = 30\n", "ship_KAVREL_BAS.DAT",
       "kavrel: KAVREL_SHIP.DAT:2: scale is given twice (first on line 1)"},
      {"scale = 1e999\n", "ship_KAVREL_BAS.DAT",
       "kavrel: KAVREL_SHIP.DAT:1: the value \"1e999\" of scale is not a number"},
      {"scale = 0.04\n", "ship_KAVREL_BAS.DAT",
       "kavrel: KAVREL_SHIP.DAT:1: the value \"0.04\" of scale must be greater than 1"},
      {"# no scale\nwater = sea\n", "ship_KAVREL_BAS.DAT",
       "kavrel: KAVREL_SHIP.DAT: the scale ratio is missing"},
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
