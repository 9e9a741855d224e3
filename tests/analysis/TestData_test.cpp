// Reading the data file. Every fault of the data file, with its message naming the line, and the
// order of the runs by speed are cases of their own in tests/cases (data_*, sort_*).
#include "analysis/TestData.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace kavrel {
namespace {

const std::string Heading = "title\n1 2\n\n4\n5\n6\n7\n8\n9\n";
const std::string Particulars = "x\ny\n4.5 6.25\nT\n";

TestData Read(const std::string& text) {
  std::istringstream in(text);
  return ReadTestData(in, "KAVREL_BAS.DAT");
}

TEST(ReadTestData, ReadsRunsParticularsAndTemperature) {
  // Separators: blanks, a tab, a comma with blanks; lines ended by CR LF or LF; numbers in the
  // headings, and a lone CR that is no line end there; what follows the temperature is not read.
  const TestData data = Read(
      "h\r\n1 2\r\n\r\n\r\n\r\n\r\n\r\n\r\ncarriage 2\r12.5 3.0\r\n3.5 2\r\n1.25,\t1.5\n0.001 0\r\n"
      "0.0005, 0.0009\r\na\r\nb\n4.2 , 5\r\nc\n 15.5 \r\nrest is not read: x y z\r\n");
  EXPECT_EQ(data.Rtm, (std::vector<double>{3.5, 1.25, 0.001}));
  EXPECT_EQ(data.Vm, (std::vector<double>{2, 1.5, 0}));
  EXPECT_EQ(data.runLines, (std::vector<int>{10, 11, 12}));
  EXPECT_EQ(std::tie(data.Sw, data.Lwl, data.T, data.particularsLine, data.temperatureLine),
            std::make_tuple(4.2, 5.0, 15.5, 16, 18));
  // The terminator needs both numbers strictly below 0.001; a first pair that ends the list
  // leaves no runs; the last line needs no line end.
  EXPECT_EQ(Read(Heading + "0.001 0\n0 -0.0009\n" + Particulars + "15").Vm.size(), 1u);
  EXPECT_EQ(Read(Heading + "0 0.001\n0.0005 0.0009\n" + Particulars + "15").Vm.size(), 1u);
  const TestData none = Read(Heading + "0 0\na\nb\n1 2\nc\n20");
  EXPECT_TRUE(none.Vm.empty());
  EXPECT_EQ(none.T, 20);
}

}  // namespace
}  // namespace kavrel
