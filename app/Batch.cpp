// Many tests in one call.
#include "app/Batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <sstream>
#include <string_view>

#include "app/ExitStatus.h"
#include "app/Session.h"
#include "files/FileWrite.h"
#include "frontends/TerminalToolkit.h"
#include "text/Answers.h"
#include "text/Faults.h"
#include "text/NumberText.h"

namespace kavrel {

std::string FolderArgumentFault(const std::string& folder) {
  struct stat status {};
  if (::stat(folder.c_str(), &status) != 0) {
    return errno == ENOENT ? "the folder '" + folder + "' does not exist"
                           : "cannot open the folder '" + folder + "': " + std::strerror(errno);
  }
  if (!S_ISDIR(status.st_mode)) return "'" + folder + "' is not a folder";
  return {};
}

std::string ShownAs(const std::string& folder) {
  return folder.ends_with('/') ? folder : folder + "/";
}

std::string OutputNameOf(const std::string& folder) {
  std::filesystem::path path = std::filesystem::absolute(folder).lexically_normal();
  if (!path.has_filename()) path = path.parent_path();
  return path.filename().string();
}

namespace {

// A progress line on standard error, kept below the other messages, when it is a terminal and
// the folders are more than a few.
class Progress {
 public:
  explicit Progress(std::size_t total) : total_(total), shown_(total > 5 && ::isatty(2) == 1) {}
  ~Progress() { Clear(); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  Progress(Progress&&) = delete;
  Progress& operator=(Progress&&) = delete;

  void Show(std::size_t done, const std::string& folder) {
    if (!shown_) return;
    std::cerr << "\r\033[K[" << done << "/" << total_ << "] " << folder << std::flush;
    visible_ = true;
  }
  void Clear() {
    if (visible_) std::cerr << "\r\033[K" << std::flush;
    visible_ = false;
  }

 private:
  std::size_t total_;
  bool shown_;
  bool visible_ = false;
};

// The output folder of one test under --output: <dir>/<name>, made when missing.
std::unique_ptr<Folder> OutputFolder(const Folder& dir, const std::string& name) {
  const std::string path = (dir.Path() / name).string();
  if (name.empty()) throw WriteFault("no output folder can be named after the root folder");
  if (::mkdirat(dir.Descriptor(), name.c_str(), 0777) != 0 && errno != EEXIST) {
    throw WriteFault("cannot make the output folder " + path + ": " + std::strerror(errno));
  }
  try {
    return std::make_unique<Folder>(path);
  } catch (const InputFault& fault) {
    throw WriteFault(fault.what());
  }
}

// One test analysed with the answers of the call, nothing of its dialogue shown; its status,
// with the reason of a failure said on standard error, naming the folder.
int AnalyseOne(const BatchCall& call, const std::string& folder, const Folder* outputs,
               Outcome& outcome, Progress& progress) {
  std::string failure;
  int status = exits::ReportWritten;
  try {
    if (std::string fault = FolderArgumentFault(folder); !fault.empty()) {
      failure = std::move(fault);
      status = exits::CommandLine;
    } else {
      const Folder test(folder, ShownAs(folder));
      const std::unique_ptr<Folder> own =
          outputs != nullptr ? OutputFolder(*outputs, OutputNameOf(folder)) : nullptr;
      std::istringstream answers(call.answers);
      std::ostream none(nullptr);
      TerminalToolkit ui(answers, none, none, nullptr);
      outcome = AnalyseAndWrite(ui, test, own ? *own : test);
    }
  } catch (const InputFault& fault) {
    failure = fault.what();
    status = exits::InputFault;
  } catch (const WriteFault& fault) {
    failure = fault.what();
    status = exits::WriteFault;
  } catch (const std::bad_alloc&) {
    failure = "out of memory; no report was written";
    status = exits::InternalFault;
  } catch (const std::exception& fault) {
    failure = std::string("internal error: ") + fault.what() + "; no report was written";
    status = exits::InternalFault;
  }
  if (status != exits::ReportWritten) {
    // Every message names the folder: those about its files do already.
    if (!failure.starts_with(ShownAs(folder))) failure = folder + ": " + failure;
    progress.Clear();
    std::cerr << "kavrel: " << failure << "\n" << std::flush;
  }
  return status;
}

// A field of the CSV table, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

// A (1+k) as the closing words say it: three decimals.
std::string FormFactorText(const std::optional<double>& value) {
  return value ? std::string(TrimBlanks(FormatFixed(*value, 2, 3))) : "not found";
}

// The line of one folder, for people, and its row of the summary, for scripts.
void Describe(const std::string& folder, int status, const Outcome& outcome, std::string& line,
              std::string& row) {
  line = folder + ": status " + std::to_string(status);
  row = CsvField(folder) + "," + std::to_string(status);
  if (status != exits::ReportWritten) {
    line += ", no report\n";
    row += ",,,,\n";
    return;
  }
  const FormFactors& k = outcome.formFactors;
  line += ", " + std::to_string(outcome.runs) + " runs, (1+k) raw " + FormFactorText(k.raw) +
          ", smoothed " + FormFactorText(k.smoothed);
  row += "," + std::to_string(outcome.runs) + "," + (k.raw ? RoundTrip(*k.raw) : "") + "," +
         (k.smoothed ? RoundTrip(*k.smoothed) : "") + ",";
  if (outcome.fastestPeKW) {
    line += ", Pe " + std::string(TrimBlanks(FormatFixed(*outcome.fastestPeKW, 7, 1))) +
            " kW at the fastest run";
    row += RoundTrip(*outcome.fastestPeKW);
  }
  line += "\n";
  row += "\n";
}

}  // namespace

int RunBatch(const BatchCall& call) {
  std::unique_ptr<Folder> outputs;
  if (call.output) outputs = std::make_unique<Folder>(*call.output);
  int worst = exits::ReportWritten;
  bool outputClosed = false;
  std::string summary = SummaryHeader;
  Progress progress(call.folders.size());
  for (std::size_t i = 0; i < call.folders.size(); ++i) {
    const std::string& folder = call.folders[i];
    progress.Show(i, folder);
    Outcome outcome;
    const int status = AnalyseOne(call, folder, outputs.get(), outcome, progress);
    worst = std::max(worst, status);
    std::string line, row;
    Describe(folder, status, outcome, line, row);
    summary += row;
    progress.Clear();
    if (!outputClosed && (std::fwrite(line.data(), 1, line.size(), stdout) != line.size() ||
                          std::fflush(stdout) != 0)) {
      std::cerr << "kavrel: cannot write to standard output: " << std::strerror(errno)
                << "; the analyses go on\n";
      outputClosed = true;
    }
  }
  progress.Clear();
  if (call.summary) {
    if (const auto failure = WriteFileAtomically(*call.summary, summary)) {
      std::cerr << "kavrel: cannot write the summary " << *call.summary << ": " << *failure << "\n";
      worst = std::max(worst, exits::WriteFault);
    }
  }
  if (outputClosed) worst = std::max(worst, exits::OutputClosed);
  return worst;
}

}  // namespace kavrel
