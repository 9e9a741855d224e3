// Fuzz target: a whole analysis on the terminal front end, driven by a fuzzed data file
// and fuzzed answers, in a temporary folder. It must end with a report or with an
// InputFault, never crash or hang; a report and the pictures hold only finite numbers,
// and no window holds a non-finite coordinate.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>

#include "analysis/Analysis.h"
#include "frontends/TerminalToolkit.h"
#include "fuzz/Require.h"
#include "text/Faults.h"

namespace fs = std::filesystem;

namespace {

using kavrel::fuzzing::Require;

// The data file and the answers are parted by the first line that holds exactly this.
constexpr std::string_view Separator = "\n@@@\n";
// Questions asked again forever end at the end of these answers.
constexpr int MaxAnswers = 64;

// One working folder for the whole fuzzing process, removed at its end.
const fs::path& Folder() {
  static const fs::path folder = [] {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "kavrel-fuzz-XXXXXX").string();
    Require(mkdtemp(pattern.data()) != nullptr, "cannot make the working folder");
    std::atexit([] {
      std::error_code error;
      fs::remove_all(Folder(), error);
    });
    return fs::path(pattern);
  }();
  return folder;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool Finite(const kavrel::UserCoordinates& s) {
  return std::isfinite(s.left) && std::isfinite(s.top) && std::isfinite(s.right) &&
         std::isfinite(s.bottom);
}

struct FiniteItem {
  bool operator()(const kavrel::LineItem& i) const {
    return std::isfinite(i.x1) && std::isfinite(i.y1) && std::isfinite(i.x2) &&
           std::isfinite(i.y2) && Finite(i.scale);
  }
  bool operator()(const kavrel::CircleItem& i) const {
    return std::isfinite(i.x) && std::isfinite(i.y) && std::isfinite(i.radius) && Finite(i.scale);
  }
  bool operator()(const kavrel::TextItem& i) const {
    return std::isfinite(i.x) && std::isfinite(i.y) && Finite(i.scale) &&
           i.text.find("NaN") == std::string::npos && i.text.find("Inf") == std::string::npos;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string bytesRead(bytes, bytes + size);
  const std::string_view input(bytesRead);
  const auto cut = input.find(Separator);
  const std::string_view dataFile = input.substr(0, cut);
  std::string answers;
  if (cut != std::string_view::npos) {
    const std::string_view rest = input.substr(cut + Separator.size());
    int lines = 0;
    for (std::size_t i = 0; i < rest.size() && lines < MaxAnswers; ++i) {
      answers += rest[i];
      if (rest[i] == '\n') ++lines;
    }
  }

  const fs::path& folder = Folder();
  for (const char* name : {kavrel::ReportFileName, "KAVREL_COEFFICIENTS.svg",
                           "KAVREL_FORM_FACTOR_RAW.svg", "KAVREL_FORM_FACTOR_SMOOTHED.svg"}) {
    fs::remove(folder / name);
  }
  {
    std::ofstream file(folder / kavrel::DataFileName, std::ios::binary);
    file << dataFile;
  }

  std::istringstream in(answers);
  std::ostringstream out;
  std::ostringstream err;
  bool reported = false;
  {
    const kavrel::Folder pictures(folder);
    kavrel::TerminalToolkit ui(in, out, err, &pictures);
    try {
      kavrel::RunAnalysis(ui, pictures);
      reported = true;
    } catch (const kavrel::InputFault& fault) {
      Require(*fault.what() != '\0', "an InputFault without a message");
    }
    for (kavrel::WindowId id : kavrel::AllWindows) {
      for (const kavrel::DrawItem& item : ui.Window(id).Items()) {
        Require(std::visit(FiniteItem{}, item), "a window holds a non-finite value");
      }
    }
  }

  Require(reported == fs::exists(folder / kavrel::ReportFileName),
          "a report without success, or success without a report");
  if (reported) {
    const std::string report = ReadFile(folder / kavrel::ReportFileName);
    Require(report.find("NaN") == std::string::npos && report.find("Inf") == std::string::npos,
            "the report holds a non-finite number");
  }
  for (const char* picture : {"KAVREL_COEFFICIENTS.svg", "KAVREL_FORM_FACTOR_RAW.svg",
                              "KAVREL_FORM_FACTOR_SMOOTHED.svg"}) {
    if (!fs::exists(folder / picture)) continue;
    const std::string svg = ReadFile(folder / picture);
    Require(svg.find("nan") == std::string::npos && svg.find("inf") == std::string::npos &&
                svg.find("NaN") == std::string::npos && svg.find("Inf") == std::string::npos,
            "a picture holds a non-finite number");
  }
  // No temporary file is left behind.
  int files = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    Require(entry.path().filename().string()[0] != '.', "a temporary file was left behind");
    ++files;
  }
  Require(files <= 5, "an unexpected file in the working folder");
  return 0;
}
