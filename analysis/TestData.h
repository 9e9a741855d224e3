// The test data file KAVREL_BAS.DAT: measured runs, model particulars and water
// temperature, and the ordering of the runs by speed.
#pragma once

#include <istream>
#include <span>
#include <string>
#include <vector>

#include "files/Folder.h"

namespace kavrel {

struct TestData {
  std::vector<double> Rtm;    // total resistance of each run, kg (kilogram-force)
  std::vector<double> Vm;     // speed of each run, m/s
  std::vector<int> runLines;  // the file line of each run
  double Sw = 0;              // wetted surface, m2
  double Lwl = 0;             // water-line length, m
  double T = 0;               // water temperature during the tests, degrees Celsius
  int particularsLine = 0;
  int temperatureLine = 0;
  std::string fileName;  // how messages call the file ("tests/a/KAVREL_BAS.DAT")
  // The 9 heading lines as read, a long one cut.
  std::vector<std::string> heading;
};

// The longest line accepted where numbers are due.
inline constexpr std::size_t MaxNumberLineLength = 1000;
// A file holds at most this many run lines, the terminator included.
inline constexpr int MaxRunLines = 100;

// Reads the data file. `name` is how messages call the file. Throws InputFault, naming
// the file and the line, when the file cannot be read, ends early, holds a field that
// is not a number, a number line with the wrong count of numbers, a line too long for
// a number line, or no terminator within the first 100 run lines.
TestData ReadTestData(std::istream& in, const std::string& name);
// The data file `name` in `folder`, called in messages as the folder shows it.
TestData ReadTestData(const Folder& folder, const std::string& name);

// Puts the runs in ascending order of speed by an exchange sort that carries the
// resistance (and, when given, the file line) along with its speed. Runs already in
// non-decreasing order are left untouched; otherwise runs of equal speed are exchanged
// too, which decides their order in the report.
void SortRuns(std::span<double> Rtm, std::span<double> Vm, std::span<int> lines = {});

}  // namespace kavrel
