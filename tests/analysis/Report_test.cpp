// The report's run table and its notes; whole reports are compared end to end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/Report.h"

namespace kavrel {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = 0; (end = text.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
  return lines;
}

// One run: Fn, Vm, Rtm, Ctm, CtmS, Cfm, Rnm.
std::vector<std::string> Report(const std::vector<double>& run, int SmoothingType = 1,
                                bool converted = false) {
  ReportData data;
  const auto one = [&](std::size_t i) { return std::span<const double>(&run[i], 1); };
  data.Fn = one(0);
  data.Vm = one(1);
  data.Rtm = one(2);
  data.Ctm = one(3);
  data.CtmS = one(4);
  data.Cfm = one(5);
  data.Rnm = one(6);
  data.Sw = 4;
  data.Lwl = 5;
  data.temperature = 20.5;
  data.Rho = 999.1;
  data.Nue = 1.1386e-6;
  data.g = 9.80665;
  data.SmoothingType = SmoothingType;
  data.D = {0.5, 0.62, 0, 1.25};
  data.converted = converted;
  data.Tnew = 20.5F;
  return Lines(ReportText(data));
}

TEST(Report, RunRowsAreFixedColumnsAndAnOverflowShiftsTheRest) {
  const auto lines = Report({0.28562, 2, 3, 3.6808, 3.65, 3.0688, 8782715.6});
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0], "  NO    Fn        Vm      Rtm      Ctm      CtmS      Cfm     Rnm ");
  EXPECT_EQ(lines[1], "                 m/s       Kg     *1000    *1000    *1000    *10^7");
  EXPECT_EQ(lines[2], "   1   0.286    2.000    3.000    3.681    3.650    3.069    0.878  ");
  EXPECT_EQ(lines[9], " WATER VISCOSITY --------- Nue =  1.139 *10^-6 m2/s");
  EXPECT_EQ(Report({0.2, 1.5, 1234.5, 4, 4, 3, 1e7})[2],
            "   1   0.200    1.500  1234.500%    4.000    4.000    3.000    1.000  ");
}

TEST(Report, MunkBlockOnlyForTheAnswerTwoAndTheConversionNote) {
  const auto lines = Report({0.2, 1.5, 1, 4, 4, 3, 1e7}, 2, true);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[11], "");
  EXPECT_EQ(lines[12], "");
  EXPECT_EQ(lines[13], "T. MUNK WAVE RESISTANCE APROACH HAS BEEN USED");
  EXPECT_EQ(lines[14], "D(1)= 0.500 : D(2)= 0.620 : D(3)= 0.000 : D(4)= 1.250");
  EXPECT_EQ(lines[15], "");
  EXPECT_EQ(lines[16], "");
  EXPECT_EQ(lines[17], "Resistance tests results were scaled to 20.50 degrees.");
  for (int type : {0, 1, 3, -2}) {
    EXPECT_EQ(Report({0.2, 1.5, 1, 4, 4, 3, 1e7}, type).size(), 11u) << type;
  }
}

}  // namespace
}  // namespace kavrel
