// Reading KAVREL_BAS.DAT line by line with bounded memory, and SortRuns.
#include "analysis/TestData.h"

#include <cmath>
#include <optional>
#include <utility>

#include "files/InputFile.h"
#include "text/Answers.h"
#include "text/Faults.h"
#include "text/LineReader.h"

namespace kavrel {

namespace {

// Reads lines ended by LF or CR LF in bounded memory, counting them. A lone CR is part of its
// line: inside a heading it is text, inside a number line a character that is not a number.
class LineReader {
 public:
  LineReader(std::istream& in, std::string name) : in_(in), name_(std::move(name)) {}

  // The next line, or nothing at the end of the file.
  std::optional<std::string> Next() {
    auto line = ReadBoundedLine(*in_.rdbuf(), MaxNumberLineLength);
    if (!line) return std::nullopt;
    tooLong_ = line->cut;
    ++lineNumber_;
    return std::move(line->text);
  }

  bool TooLong() const { return tooLong_; }
  int LineNumber() const { return lineNumber_; }
  const std::string& Name() const { return name_; }

  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw InputFault(name_ + ":" + std::to_string(line) + ": " + what);
  }

  // Skips `count` lines of any text.
  void Skip(int count, const std::string& expected) {
    for (int i = 0; i < count; ++i) {
      if (!Next()) Fail(lineNumber_ + 1, "the file ends early: " + expected + " was expected");
    }
  }

  // Reads a line of exactly `count` numbers.
  std::vector<double> Numbers(std::size_t count, const std::string& expected) {
    const auto line = Next();
    if (!line) Fail(lineNumber_ + 1, "the file ends early: " + expected + " was expected");
    if (TooLong()) {
      Fail(lineNumber_, "the line is too long for a number line (more than " +
                            std::to_string(MaxNumberLineLength) + " characters)");
    }
    std::vector<double> numbers;
    for (const std::string& field : Fields(*line)) {
      const auto value = ParseNumber(field);
      if (!value) Fail(lineNumber_, QuotedForMessage(field) + " is not a number");
      numbers.push_back(*value);
    }
    if (numbers.size() != count) {
      Fail(lineNumber_, "expected " + std::to_string(count) +
                            (count == 1 ? " number" : " numbers") + ", found " +
                            std::to_string(numbers.size()));
    }
    return numbers;
  }

 private:
  // Fields are separated by blanks or tabs, or by one comma with blanks around it.
  std::vector<std::string> Fields(const std::string& line) const {
    std::vector<std::string> fields;
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    const std::size_t n = line.size();
    std::size_t i = 0;
    const auto skipBlanks = [&] {
      while (i < n && isBlank(line[i])) ++i;
    };
    skipBlanks();
    while (i < n) {
      if (line[i] == ',') Fail(lineNumber_, "an empty field before a comma");
      const std::size_t start = i;
      while (i < n && !isBlank(line[i]) && line[i] != ',') ++i;
      fields.push_back(line.substr(start, i - start));
      skipBlanks();
      if (i < n && line[i] == ',') {
        ++i;
        skipBlanks();
        if (i == n) Fail(lineNumber_, "an empty field after the last comma");
      }
    }
    return fields;
  }

  std::istream& in_;
  std::string name_;
  int lineNumber_ = 0;
  bool tooLong_ = false;
};

}  // namespace

TestData ReadTestData(std::istream& in, const std::string& name) {
  LineReader reader(in, name);
  TestData data;
  data.fileName = name;
  for (int i = 0; i < 9; ++i) {
    auto line = reader.Next();
    if (!line) {
      reader.Fail(reader.LineNumber() + 1,
                  "the file ends early: one of the 9 heading lines was expected");
    }
    if (!line->empty() && line->back() == '\r') line->pop_back();
    data.heading.push_back(std::move(*line));
  }
  for (int i = 1;; ++i) {
    const auto pair =
        reader.Numbers(2, "a run line (resistance in kg, speed in m/s) or the terminator line 0 0");
    // The terminator: both numbers below 0.001 in absolute value.
    if (std::fabs(pair[0] - 0) < 0.001 && std::fabs(pair[1] - 0) < 0.001) break;
    if (i == MaxRunLines) {
      reader.Fail(reader.LineNumber(),
                  "no terminator line (two numbers below 0.001, such as 0 0) within the first " +
                      std::to_string(MaxRunLines) + " run lines: a test holds at most " +
                      std::to_string(MaxRunLines - 1) + " runs");
    }
    data.Rtm.push_back(pair[0]);
    data.Vm.push_back(pair[1]);
    data.runLines.push_back(reader.LineNumber());
  }
  reader.Skip(2, "one of the 2 lines after the terminator line");
  const auto particulars = reader.Numbers(
      2, "the line with the wetted surface Sw (m2) and the water-line length Lwl (m)");
  data.Sw = particulars[0];
  data.Lwl = particulars[1];
  data.particularsLine = reader.LineNumber();
  reader.Skip(1, "the line before the water temperature");
  data.T = reader.Numbers(1, "the line with the water temperature (degrees Celsius)")[0];
  data.temperatureLine = reader.LineNumber();
  return data;
}

TestData ReadTestData(const Folder& folder, const std::string& name) {
  InputFile file(folder, name, "data file");
  return ReadTestData(file.Stream(), folder.Shown(name));
}

void SortRuns(std::span<double> Rtm, std::span<double> Vm, std::span<int> lines) {
  const std::size_t N = Vm.size();
  bool ordered = true;
  for (std::size_t i = 0; i + 1 < N; ++i) {
    if (Vm[i] > Vm[i + 1]) {
      ordered = false;
      break;
    }
  }
  if (ordered) return;
  for (std::size_t i = 0; i + 1 < N; ++i) {
    for (std::size_t j = i + 1; j < N; ++j) {
      if (!(Vm[i] < Vm[j])) {
        std::swap(Vm[i], Vm[j]);
        std::swap(Rtm[i], Rtm[j]);
        if (!lines.empty()) std::swap(lines[i], lines[j]);
      }
    }
  }
}

}  // namespace kavrel
