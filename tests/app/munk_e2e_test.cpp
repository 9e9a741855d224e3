// The kavrel executable with the wave-resistance approach: the smoothed column and the Munk
// block of the report after accepted, repeated, refused and singular tries, and too few runs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/munk/MunkTestData.h"
#include "tests/support/TempFolder.h"

namespace kavrel {
namespace {

using testing::RunKavrel;
using testing::TempFolder;
using testing::TestData;

// A test of a 5 m model, Sw 4.2 m2, at 15 degrees (Nue 1.13902e-6 m2/s, Rho 999.0 kg/m3 in
// the water tables), made from the wave-resistance model with D = 0.1, 0.3, 0.5, 0.8 plus
// scatter orthogonal to the model's terms. The fit with those D gives the model back, so the
// report's CtmS column must read the model's Ctm, and its Ctm column the scattered values.
struct MunkFile {
  std::string data;
  std::vector<std::string> model;  // CtmS as the report prints it
};

MunkFile MakeFile(std::size_t runs) {
  const auto test = testing::MakeModelTest(runs, 0.1, 0.4, testing::PlausibleX, testing::PlausibleD,
                                           0.05, 6, 1.13902e-6, 5);
  const double g = 9.80665, Sw = 4.2, Rho = 999.0;
  MunkFile file;
  for (int line = 1; line <= 9; ++line) file.data += "heading " + std::to_string(line) + "\r\n";
  char text[80];
  for (std::size_t I = 0; I < runs; ++I) {
    const double Vm = test.Fn[I] * std::sqrt(5 * g);
    const double Rtm = test.Ctm[I] / 1000 * 0.5 * Rho * Sw * Vm * Vm / g;
    std::snprintf(text, sizeof text, "%.15g %.15g\r\n", Rtm, Vm);
    file.data += text;
    std::snprintf(text, sizeof text, "%.3f", test.model[I]);
    file.model.push_back(text);
  }
  file.data += "0 0\r\n\r\nSw Lwl\r\n4.2 5.0\r\nT\r\n15\r\n";
  return file;
}

std::vector<std::vector<std::string>> Rows(const std::string& report, std::size_t runs) {
  std::istringstream lines(report);
  std::string line;
  std::vector<std::vector<std::string>> rows;
  for (std::size_t number = 1; std::getline(lines, line) && rows.size() < runs; ++number) {
    if (number < 3) continue;
    std::istringstream fields(line);
    rows.emplace_back(std::istream_iterator<std::string>(fields),
                      std::istream_iterator<std::string>());
  }
  return rows;
}

const std::string GravityLine = " ACCELERATION OF GRAVITY --- g =  9.80665 m/sn2\r\n";
const std::string Accept = "0.1\n\n0.3\n\n0.5\n\n0.8\n\n\n";

TEST(MunkSmoothingRun, WritesTheFittedColumnAndTheMunkBlock) {
  struct Case {
    const char* name;
    std::size_t runs;
    std::string answers;   // after the temperature answer
    const char* singular;  // messages that must appear, in order
    bool block;
  };
  const std::vector<Case> cases{
      {"four accepted tries", 12, "2\n" + Accept, "", true},
      {"a repeated try", 12, "2\n0.1\nY\n0.4\nn\n0.3\ny\n0.6\nN\n0.5\n\n0.8\n\n\n", "", true},
      {"a refused calculation starts again", 12, "2\n0.2\n\n0.4\n\n0.6\n\n0.9\n\nn\n" + Accept, "",
       true},
      {"answer 3: no Munk block", 12, "3\n" + Accept, "", false},
      {"singular D values asked again", 12, "2\n\n0.1\n\n0.1\n0.3\n\n0.5\n\n0.8\n\n\n",
       "D(1)=0.000", true},
      {"more than 25 runs", 40, "2\n" + Accept, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MunkFile file = MakeFile(c.runs);
    TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", file.data);
    const auto run = RunKavrel(folder.Path(), "N\n" + c.answers);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string report = folder.Read("KAVREL.OUT");
    const auto rows = Rows(report, c.runs);
    ASSERT_EQ(rows.size(), c.runs);
    bool scattered = false;
    for (std::size_t I = 0; I < c.runs; ++I) {
      ASSERT_EQ(rows[I].size(), 8u) << I;
      EXPECT_EQ(rows[I][5], file.model[I]) << "run " << I + 1;
      scattered = scattered || rows[I][4] != rows[I][5];
    }
    EXPECT_TRUE(scattered);
    const std::string block =
        "\r\n\r\nT. MUNK WAVE RESISTANCE APROACH HAS BEEN USED\r\n"
        "D(1)= 0.100 : D(2)= 0.300 : D(3)= 0.500 : D(4)= 0.800\r\n";
    EXPECT_EQ(report.substr(report.find(GravityLine)), GravityLine + (c.block ? block : ""));
    if (*c.singular != '\0') {
      EXPECT_NE(run.err.find(c.singular), std::string::npos) << run.err;
      EXPECT_NE(run.err.find("the same cosine term as D(1)"), std::string::npos) << run.err;
    }
  }
}

TEST(MunkSmoothingRun, FewerThanSixRunsKeepTheMeasuredValues) {
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));  // four runs
  const auto run = RunKavrel(folder.Path(), "N\n2\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(" The wave resistance approach needs at least 6 runs"), std::string::npos);
  EXPECT_EQ(folder.Read("KAVREL.OUT"),
            TestData("small_expected.OUT") +
                "\r\n\r\nT. MUNK WAVE RESISTANCE APROACH HAS BEEN USED\r\n"
                "D(1)= 0.000 : D(2)= 0.000 : D(3)= 0.000 : D(4)= 0.000\r\n");
}

}  // namespace
}  // namespace kavrel
