// The scaled axes' tick steps and ranges, worked out by hand: about five ticks, each step 1, 2
// or 5 times a power of ten.
#include "graphs/Ticks.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kavrel::graphs {
namespace {

TEST(Ticks, StepsOfOneTwoOrFiveTimesAPowerOfTen) {
  // range / 5 = 4.6 -> 5; 1.6 -> 2; 0.8 -> 1 (8 rounds up to 10); 0.0046 -> 0.005.
  const std::vector<std::pair<double, double>> steps{{23, 5}, {8, 2}, {4, 1}, {0.023, 0.005}};
  for (const auto& [range, step] : steps) EXPECT_DOUBLE_EQ(StepFor(range).Value(), step) << range;
  // The example ship's power, 150.9 to 7126.8 kW from 0: step 2000, axis 0 to 8000.
  const std::vector<double> PeKW{150.9, 2170.0, 7126.8};
  const Axis axis = AxisFor(PeKW);
  EXPECT_DOUBLE_EQ(axis.step.Value(), 2000);
  EXPECT_DOUBLE_EQ(axis.Low(), 0);
  EXPECT_DOUBLE_EQ(axis.High(), 8000);
}

}  // namespace
}  // namespace kavrel::graphs
