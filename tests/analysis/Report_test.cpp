// The report's run row when a number overflows its field, and the notes after the particulars.
// Whole reports worked out by hand are compared end to end in tests/app.
#include "analysis/Report.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace kavrel {
namespace {

// The report of one run with the particulars of the small test at 20.5 degrees, cut into lines
// at CR LF.
std::vector<std::string> ReportLines(int SmoothingType, bool converted) {
  // Fn, Vm, Rtm, Ctm, CtmS, Cfm, Rnm.
  static const std::vector<double> run{0.2, 1.5, 1234.5, 4, 4, 3, 1e7};
  const auto one = [](std::size_t i) { return std::span<const double>(&run[i], 1); };
  // Sw, Lwl, the temperature, Rho, Nue, g, the smoothing answer, D(1) to D(4), the conversion.
  constexpr std::array<double, 4> D{0.5, 0.62, 0, 1.25};
  const ReportData data{one(0), one(1),    one(2), one(3), one(4),    one(5),  one(6),
                        4,      5,         20.5,   999.1,  1.1386e-6, 9.80665, SmoothingType,
                        D,      converted, 20.5F};
  const std::string text = ReportText(data);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = 0; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
  return lines;
}

TEST(Report, AnOverflowShiftsTheRowAndTheNotesFollowTheParticulars) {
  const auto lines = ReportLines(2, true);
  ASSERT_EQ(lines.size(), 18u);
  // 1234.5 needs four integer places of the three: printed whole and marked.
  EXPECT_EQ(lines[2], "   1   0.200    1.500  1234.500%    4.000    4.000    3.000    1.000  ");
  EXPECT_EQ(
      std::vector(lines.begin() + 11, lines.end()),
      (std::vector<std::string>{"", "", "T. MUNK WAVE RESISTANCE APROACH HAS BEEN USED",
                                "D(1)= 0.500 : D(2)= 0.620 : D(3)= 0.000 : D(4)= 1.250", "", "",
                                "Resistance tests results were scaled to 20.50 degrees."}));
  // Only the answer 2 adds the wave-resistance block; without a conversion there is no note.
  for (int type : {0, 1, 3, -2}) EXPECT_EQ(ReportLines(type, false).size(), 11u) << type;
}

}  // namespace
}  // namespace kavrel
