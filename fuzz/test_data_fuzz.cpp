// Fuzz target: the data-file reader and SortRuns on arbitrary bytes. A file is either
// read into a valid test or refused with an InputFault that names the file and a line.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "analysis/TestData.h"
#include "fuzz/Require.h"
#include "text/Faults.h"

namespace {

using kavrel::fuzzing::Require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  std::istringstream in(std::string(bytes, bytes + size));
  kavrel::TestData data;
  try {
    data = kavrel::ReadTestData(in, "KAVREL_BAS.DAT");
  } catch (const kavrel::InputFault& fault) {
    // "KAVREL_BAS.DAT:<line>: ..." with a line number, always.
    const std::string message = fault.what();
    Require(message.rfind("KAVREL_BAS.DAT:", 0) == 0, "a fault that does not name the file");
    Require(message.size() > 15 && message[15] >= '1' && message[15] <= '9',
            "a fault that does not name the line");
    return 0;
  }
  const std::size_t N = data.Vm.size();
  Require(data.Rtm.size() == N && data.runLines.size() == N, "the run arrays differ in size");
  Require(N <= static_cast<std::size_t>(kavrel::MaxRunLines - 1), "more than 99 runs");
  for (std::size_t i = 0; i < N; ++i) {
    Require(std::isfinite(data.Rtm[i]) && std::isfinite(data.Vm[i]), "a run that is not finite");
    // No run is the terminator, and the lines follow the nine headings in order.
    Require(!(std::fabs(data.Rtm[i]) < 0.001 && std::fabs(data.Vm[i]) < 0.001),
            "the terminator taken as a run");
    Require(data.runLines[i] == static_cast<int>(10 + i), "a run with the wrong line");
  }
  Require(std::isfinite(data.Sw) && std::isfinite(data.Lwl) && std::isfinite(data.T),
          "a particular that is not finite");
  Require(data.particularsLine == static_cast<int>(N) + 13, "the particulars from the wrong line");
  Require(data.temperatureLine == data.particularsLine + 2, "the temperature from the wrong line");

  // Sorting keeps every speed, resistance and line together and orders the speeds.
  using Run = std::tuple<double, double, int>;
  std::multiset<Run> before;
  for (std::size_t i = 0; i < N; ++i) before.emplace(data.Vm[i], data.Rtm[i], data.runLines[i]);
  kavrel::SortRuns(data.Rtm, data.Vm, data.runLines);
  std::multiset<Run> after;
  for (std::size_t i = 0; i < N; ++i) {
    after.emplace(data.Vm[i], data.Rtm[i], data.runLines[i]);
    if (i + 1 < N) Require(data.Vm[i] <= data.Vm[i + 1], "the speeds are not in order");
  }
  Require(before == after, "a run lost or changed by sorting");
  return 0;
}
