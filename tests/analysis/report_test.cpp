// The report's run table, particulars block and notes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "analysis/Report.h"

namespace kavrel {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
  return lines;
}

struct Runs {
  std::vector<double> Fn, Vm, Rtm, Ctm, CtmS, Cfm, Rnm;
};

ReportData Data(const Runs& runs) {
  ReportData data;
  data.Fn = runs.Fn;
  data.Vm = runs.Vm;
  data.Rtm = runs.Rtm;
  data.Ctm = runs.Ctm;
  data.CtmS = runs.CtmS;
  data.Cfm = runs.Cfm;
  data.Rnm = runs.Rnm;
  data.Sw = 4;
  data.Lwl = 5;
  data.temperature = 15;
  data.Rho = 999.1;
  data.Nue = 1.1386e-6;
  data.g = 9.80665;
  data.SmoothingType = 1;
  return data;
}

TEST(Report, RunRowAndParticulars) {
  const Runs runs{{0.28562}, {2}, {3}, {3.6808}, {3.65}, {3.0688}, {8782715.6}};
  const auto lines = Lines(ReportText(Data(runs)));
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0], "  NO    Fn        Vm      Rtm      Ctm      CtmS      Cfm     Rnm ");
  EXPECT_EQ(lines[1], "                 m/s       Kg     *1000    *1000    *1000    *10^7");
  EXPECT_EQ(lines[0].size(), 66u);
  EXPECT_EQ(lines[1].size(), 66u);
  EXPECT_EQ(lines[2],
            "   1   0.286    2.000    3.000    3.681    3.650    3.069    0.878  ");
  EXPECT_EQ(lines[2].size(), 68u);
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], " MODEL WETTED SURFACE ----- Sw =   4.0000 m2");
  EXPECT_EQ(lines[6], " MODEL WATER LINE LENGTH - Lwl =   5.000 m");
  EXPECT_EQ(lines[7], " WATER TEMPERATURE --------- T = 15.000 degrees");
  EXPECT_EQ(lines[8], " WATER DENSITY ----------- Rho = 999.100 kg/m3");
  EXPECT_EQ(lines[9], " WATER VISCOSITY --------- Nue =  1.139 *10^-6 m2/s");
  EXPECT_EQ(lines[10], " ACCELERATION OF GRAVITY --- g =  9.80665 m/sn2");
}

TEST(Report, OverflowingNumberShiftsTheColumnsAfterIt) {
  const Runs runs{{0.2}, {1.5}, {1234.5}, {4}, {4}, {3}, {1e7}};
  const auto lines = Lines(ReportText(Data(runs)));
  EXPECT_EQ(lines[2], "   1   0.200    1.500  1234.500%    4.000    4.000    3.000    1.000  ");
}

TEST(Report, NoRunsMunkBlockAndConversionNote) {
  ReportData data = Data({});
  data.SmoothingType = 2;
  data.D = {0.5, 0.62, 0, 1.25};
  data.converted = true;
  data.Tnew = 20.5F;
  data.temperature = 20.5;
  const auto lines = Lines(ReportText(data));
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], " MODEL WETTED SURFACE ----- Sw =   4.0000 m2");
  EXPECT_EQ(lines[6], " WATER TEMPERATURE --------- T = 20.500 degrees");
  EXPECT_EQ(lines[10], "");
  EXPECT_EQ(lines[11], "");
  EXPECT_EQ(lines[12], "T. MUNK WAVE RESISTANCE APROACH HAS BEEN USED");
  EXPECT_EQ(lines[13], "D(1)= 0.500 : D(2)= 0.620 : D(3)= 0.000 : D(4)= 1.250");
  EXPECT_EQ(lines[14], "");
  EXPECT_EQ(lines[15], "");
  EXPECT_EQ(lines[16], "Resistance tests results were scaled to 20.50 degrees.");
}

TEST(Report, MunkBlockOnlyForTheAnswerTwo) {
  for (int type : {0, 1, 3, -2}) {
    ReportData data = Data({});
    data.SmoothingType = type;
    EXPECT_EQ(ReportText(data).find("MUNK"), std::string::npos) << type;
  }
}

}  // namespace
}  // namespace kavrel
